/* The entry routine of a test language module, its one export: a resource-only library
   does nothing when it is loaded or freed. */
#include <windows.h>

__declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
