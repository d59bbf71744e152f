// WindowControl: waits for and closes a program's top-level window by its window class,
// for scripts that start a Windows program under Wine and must know when its window is
// up, and end it the way a person would.
//
//   wine64 tm_window_control.exe wait CLASS SECONDS    (0: a visible window of CLASS)
//   wine64 tm_window_control.exe close CLASS SECONDS   (0: no window of CLASS is left)
//   wine64 tm_window_control.exe switch CLASS SECONDS  (0: the other display is shown)
//   wine64 tm_window_control.exe display CLASS SECONDS (0: a display is shown)
//   wine64 tm_window_control.exe dismiss CLASS SECONDS (0: no dialog is left over it)
//
// close sends WM_CLOSE to the window and waits until the program has destroyed it. The
// questions the program asks on its way out are answered as by a person who wants the
// project files left as they are: No to stopping the running work (it keeps running) and
// No to saving; each answer is printed. The questions are recognised by the texts of the
// program's own string table and of every language module beside it (Tallymarks_*.dll),
// whichever the program speaks. Any other window that shows meanwhile keeps the program
// open: it is named by its caption and text on the error output, and the answer is 1 at
// once; 1 also after SECONDS.
//
// switch asks the program's main window for its other display (full to compact, compact
// to full) through the View menu's commands, waits until the window it asked has gone and
// the new one shows, and prints the name of the display now shown; display prints the name
// of the display shown ("full" or "compact"); dismiss closes the dialogs shown over the
// main window (the tip of the day at start-up) as their close button would.
//
// Exit codes: 0 done, 1 time out or a window that keeps the program open, 2 usage.

#include "SClosingQuestions.h"

#include "resources/ResourceIds.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// Only the full window holds the activity list.
bool IsFullDisplay(HWND window) {
    return GetDlgItem(window, IDC_MAIN_ACTIVITIES) != nullptr;
}

struct SDialogSearch {
    HWND main;
    DWORD process;
    HWND found;
};

// A visible top-level window of the main window's process other than the main window:
// a dialog over it, owned by it or not.
BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
    SDialogSearch* search = reinterpret_cast<SDialogSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (window != search->main && process == search->process && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Closes the dialogs over the main window of className as their close button would.
int DismissDialogs(const char* className, DWORD seconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        SDialogSearch search = {FindWindowA(className, nullptr), 0, nullptr};
        if (search.main == nullptr) {
            return 1;
        }
        GetWindowThreadProcessId(search.main, &search.process);
        EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            return 0;
        }
        PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        while (IsWindow(search.found) && IsWindowVisible(search.found)) {
            if (GetTickCount() - start >= seconds * 1000) {
                return 1;
            }
            Sleep(100);
        }
    }
}

// Switches the main window of className to its other display.
int SwitchDisplay(const char* className, DWORD seconds) {
    HWND old = FindWindowA(className, nullptr);
    if (old == nullptr) {
        return 1;
    }
    const bool full = IsFullDisplay(old);
    PostMessageA(old, WM_COMMAND, MAKEWPARAM(full ? IDM_VIEW_COMPACT : IDM_VIEW_FULL, 0), 0);
    const DWORD start = GetTickCount();
    for (;;) {
        HWND now = FindWindowA(className, nullptr);
        if (!IsWindow(old) && now != nullptr && IsWindowVisible(now)) {
            std::printf("%s\n", full ? "compact" : "full");
            return 0;
        }
        if (GetTickCount() - start >= seconds * 1000) {
            return 1;
        }
        Sleep(100);
    }
}

// The control of a message box that holds its text.
const int kMessageBoxTextId = 0xFFFF;

std::string WindowText(HWND window) {
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Answers the message box with No when it asks one of the questions; false for any other
// window, which is then named on the error output.
bool AnswerQuestion(HWND box, const SClosingQuestions& questions) {
    HWND text = GetDlgItem(box, kMessageBoxTextId);
    HWND no = GetDlgItem(box, IDNO);
    const std::string caption = WindowText(box);
    const std::string question = text != nullptr ? WindowText(text) : std::string();
    if (text != nullptr && no != nullptr && questions.IsAsked(question)) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(no));
        // The first line says what was asked (the project and the activity).
        std::printf("Answered No to \"%s\": %s\n", caption.c_str(),
                    question.substr(0, question.find('\n')).c_str());
        std::fflush(stdout);
        return true;
    }
    std::fprintf(stderr, "tm_window_control: \"%s\" keeps the program open%s%s\n", caption.c_str(),
                 question.empty() ? "" : ": ", question.c_str());
    return false;
}

// Closes the main window of className, answering its closing questions.
int CloseMainWindow(const char* className, DWORD seconds) {
    HWND window = FindWindowA(className, nullptr);
    if (window == nullptr) {
        return 0;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const SClosingQuestions questions = SClosingQuestions::Load(process);
    PostMessageA(window, WM_CLOSE, 0, 0);
    const DWORD start = GetTickCount();
    auto late = [&] { return GetTickCount() - start >= seconds * 1000; };
    while (!IsGone(className)) {
        if (late()) {
            return 1;
        }
        SDialogSearch search = {window, process, nullptr};
        EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            if (!AnswerQuestion(search.found, questions)) {
                return 1;
            }
            // The next question, if any, comes after this box has gone.
            while (IsWindow(search.found) && IsWindowVisible(search.found)) {
                if (late()) {
                    return 1;
                }
                Sleep(50);
            }
        }
        Sleep(100);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[1], "wait") != 0 && std::strcmp(argv[1], "close") != 0 &&
                      std::strcmp(argv[1], "switch") != 0 && std::strcmp(argv[1], "display") != 0 &&
                      std::strcmp(argv[1], "dismiss") != 0)) {
        std::fprintf(stderr,
                     "usage: tm_window_control wait|close|switch|display|dismiss CLASS SECONDS\n");
        return 2;
    }
    const char* className = argv[2];
    const DWORD seconds = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));
    if (std::strcmp(argv[1], "wait") == 0) {
        return WaitUntil(&IsShown, className, seconds) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "switch") == 0) {
        return SwitchDisplay(className, seconds);
    }
    if (std::strcmp(argv[1], "dismiss") == 0) {
        return DismissDialogs(className, seconds);
    }
    if (std::strcmp(argv[1], "display") == 0) {
        if (!WaitUntil(&IsShown, className, seconds)) {
            return 1;
        }
        std::printf("%s\n", IsFullDisplay(FindWindowA(className, nullptr)) ? "full" : "compact");
        return 0;
    }
    return CloseMainWindow(className, seconds);
}
