// WindowControl: waits for and closes a program's top-level window by its window class,
// for scripts that start a Windows program under Wine and must know when its window is
// up, and end it the way a person would.
//
//   wine64 tm_window_control.exe wait CLASS SECONDS    (0: a visible window of CLASS)
//   wine64 tm_window_control.exe close CLASS SECONDS   (0: no window of CLASS is left)
//
// close sends WM_CLOSE to the window and waits until the program has destroyed it; a
// program that asks something first (a message box) keeps it open, and then the answer
// is 1 after SECONDS. Exit codes: 0 done, 1 time out, 2 usage.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool WaitUntil(bool (*condition)(const char*), const char* className, DWORD seconds) {
    const DWORD start = GetTickCount();
    while (!condition(className)) {
        if (GetTickCount() - start >= seconds * 1000) {
            return false;
        }
        Sleep(100);
    }
    return true;
}

bool IsShown(const char* className) {
    HWND window = FindWindowA(className, nullptr);
    return window != nullptr && IsWindowVisible(window);
}

bool IsGone(const char* className) {
    return FindWindowA(className, nullptr) == nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[1], "wait") != 0 && std::strcmp(argv[1], "close") != 0)) {
        std::fprintf(stderr, "usage: tm_window_control wait|close CLASS SECONDS\n");
        return 2;
    }
    const char* className = argv[2];
    const DWORD seconds = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));
    if (std::strcmp(argv[1], "wait") == 0) {
        return WaitUntil(&IsShown, className, seconds) ? 0 : 1;
    }
    HWND window = FindWindowA(className, nullptr);
    if (window != nullptr) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return WaitUntil(&IsGone, className, seconds) ? 0 : 1;
}
