// The Dutch language module holds resources only: its entry routine, the one symbol it
// exports, does nothing. The program never looks a function up in a module.

#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
