# Shared by both mingw-w64 toolchain files; TM_TRIPLE names the target.
set(CMAKE_C_COMPILER ${TM_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TM_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TM_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TM_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No mingw runtime DLL has to sit beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
