# Each source folder is one static library. Its headers are reachable only as
# "<folder>/..." through an include root that holds a link to that folder alone,
# so a layer that includes a header of a layer it does not depend on fails to build.

set(TM_WARNINGS -Wall -Wextra)
if(TM_WERROR)
    list(APPEND TM_WARNINGS -Werror)
endif()
# Windows headers: the ANSI functions, no min/max macros, Windows XP and later.
set(TM_WIN_DEFINES _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600 NOMINMAX
    STRICT)

function(tm_layer_include_root layer out)
    set(root ${CMAKE_BINARY_DIR}/include/${layer})
    if(NOT EXISTS ${root}/${layer})
        file(MAKE_DIRECTORY ${root})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${layer} ${root}/${layer} SYMBOLIC)
    endif()
    set(${out} ${root} PARENT_SCOPE)
endfunction()

# Compile options of the program's own code (libraries, programs, tests).
function(tm_own_code target)
    target_compile_options(${target} PRIVATE ${TM_WARNINGS})
    target_compile_definitions(${target} PUBLIC ${TM_WIN_DEFINES})
endfunction()

function(tm_add_layer layer)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${layer}/*.cpp)
    # app/entry is the program's entry point, built into the program itself.
    list(FILTER sources EXCLUDE REGEX "/app/entry/")
    tm_layer_include_root(${layer} root)
    if(sources)
        add_library(${layer} STATIC ${sources})
        target_include_directories(${layer} PUBLIC ${root})
        target_link_libraries(${layer} PUBLIC ${ARGN})
    else()
        add_library(${layer} INTERFACE)
        target_include_directories(${layer} INTERFACE ${root})
        target_link_libraries(${layer} INTERFACE ${ARGN})
    endif()
    if(sources)
        tm_own_code(${layer})
    endif()
endfunction()

function(tm_link_system layer)
    get_target_property(type ${layer} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_link_libraries(${layer} INTERFACE ${ARGN})
    else()
        target_link_libraries(${layer} PUBLIC ${ARGN})
    endif()
endfunction()

function(tm_link_include layer dir)
    get_target_property(type ${layer} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${layer} INTERFACE ${dir})
    else()
        target_include_directories(${layer} PUBLIC ${dir})
    endif()
endfunction()
