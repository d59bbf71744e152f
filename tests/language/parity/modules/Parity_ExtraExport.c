/* A module that exports a routine beside its entry routine. */
#include <windows.h>

__declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}

__declspec(dllexport) int GetLanguageName(void) {
    return 0;
}
