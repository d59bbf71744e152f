// WindowControl: waits for and closes a program's top-level window by its window class,
// for scripts that start a Windows program under Wine and must know when its window is
// up, and end it the way a person would.
//
//   wine64 tm_window_control.exe wait CLASS SECONDS [PROGRAM]
//                                                      (0: a visible window of CLASS)
//   wine64 tm_window_control.exe close CLASS SECONDS   (0: no window of CLASS is left)
//   wine64 tm_window_control.exe switch CLASS SECONDS  (0: the other display is shown)
//   wine64 tm_window_control.exe display CLASS SECONDS (0: a display is shown)
//   wine64 tm_window_control.exe dismiss CLASS SECONDS (0: no dialog is left over it)
//
// wait with PROGRAM (the file name of the program, "Tallymarks.exe") answers what the
// processes of that file show before the window of CLASS does, as a person would: OK to a
// notice, a message box whose one button is OK (a project that could not be opened, a
// settings file that could not be read); each answer is printed with the box's caption
// and text. Any other window that shows meanwhile holds the program: it is named by its
// caption and text on the error output, and the answer is 3 at once; 3 also when the
// program ends before its window shows.
//
// close sends WM_CLOSE to the window and waits until the program has destroyed it. The
// questions the program asks on its way out are answered as by a person who wants the
// project files left as they are: No to stopping the running work (it keeps running) and
// No to saving; each answer is printed. The questions are recognised by the texts of the
// program's own string table and of every language module beside it (Tallymarks_*.dll),
// whichever the program speaks. Any other window that shows meanwhile keeps the program
// open: it is named by its caption and text on the error output, and the answer is 3 at
// once.
//
// switch asks the program's main window for its other display (full to compact, compact
// to full) through the View menu's commands, waits until the window it asked has gone and
// the new one shows, and prints the name of the display now shown; display prints the name
// of the display shown ("full" or "compact"); dismiss closes the dialogs shown over the
// main window (the tip of the day at start-up) as their close button would.
//
// Exit codes: 0 done, 1 time out, 2 usage, 3 a window that is not answered holds the
// program, or the program ended before its window showed.

#include "SClosingQuestions.h"

#include "resources/ResourceIds.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Exit code: a window that is not answered holds the program, or the program ended.
const int kHeld = 3;

bool Late(DWORD start, DWORD seconds) {
    return GetTickCount() - start >= seconds * 1000;
}

bool WaitUntil(bool (*condition)(const char*), const char* className, DWORD seconds) {
    const DWORD start = GetTickCount();
    while (!condition(className)) {
        if (Late(start, seconds)) {
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

// A visible top-level window of process other than main (which may be none), or none.
HWND FindDialogOf(HWND main, DWORD process) {
    SDialogSearch search = {main, process, nullptr};
    EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Whether window has gone or hidden itself before the time is up.
bool WaitUntilGone(HWND window, DWORD start, DWORD seconds) {
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (Late(start, seconds)) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

// Closes the dialogs over the main window of className as their close button would.
int DismissDialogs(const char* className, DWORD seconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND main = FindWindowA(className, nullptr);
        if (main == nullptr) {
            return 1;
        }
        DWORD process = 0;
        GetWindowThreadProcessId(main, &process);
        HWND dialog = FindDialogOf(main, process);
        if (dialog == nullptr) {
            return 0;
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        if (!WaitUntilGone(dialog, start, seconds)) {
            return 1;
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
        if (Late(start, seconds)) {
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

// What is answered at a moment of the program's run, and what a window that is not
// answered does to the program then.
struct SMoment {
    bool notices;     // a message box whose one button is OK is answered OK
    const char* held; // what such a window is said to do, on the error output
};
const SMoment kStarting = {true, "holds the program before its main window shows"};
const SMoment kClosing = {false, "keeps the program open"};

BOOL CALLBACK AddShownButton(HWND child, LPARAM parameter) {
    char kind[16] = "";
    GetClassNameA(child, kind, sizeof kind);
    if (lstrcmpiA(kind, "Button") == 0 && IsWindowVisible(child)) {
        reinterpret_cast<std::vector<int>*>(parameter)->push_back(GetDlgCtrlID(child));
    }
    return TRUE;
}

// The ids of the buttons that window shows.
std::vector<int> ShownButtons(HWND window) {
    std::vector<int> buttons;
    EnumChildWindows(window, &AddShownButton, reinterpret_cast<LPARAM>(&buttons));
    return buttons;
}

// text on one line: each run of line breaks becomes a space.
std::string OneLine(const std::string& text) {
    std::string line;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\r' && text[at] != '\n') {
            line += text[at];
        } else if (at + 1 == text.size() || (text[at + 1] != '\r' && text[at + 1] != '\n')) {
            line += ' ';
        }
    }
    return line;
}

// Answers the message box as a person would at moment: No when it asks one of the
// questions, OK when it is a notice and notices are answered then. False for any other
// window, which is then named on the error output.
bool AnswerBox(HWND box, const SClosingQuestions& questions, const SMoment& moment) {
    HWND text = GetDlgItem(box, kMessageBoxTextId);
    const std::string caption = WindowText(box);
    const std::string said = text != nullptr ? WindowText(text) : std::string();
    HWND no = GetDlgItem(box, IDNO);
    if (text != nullptr && no != nullptr && questions.IsAsked(said)) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(no));
        // The first line says what was asked (the project and the activity).
        std::printf("Answered No to \"%s\": %s\n", caption.c_str(),
                    said.substr(0, said.find('\n')).c_str());
        std::fflush(stdout);
        return true;
    }
    if (moment.notices && text != nullptr && ShownButtons(box) == std::vector<int>{IDOK}) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        std::printf("Answered OK to \"%s\": %s\n", caption.c_str(), OneLine(said).c_str());
        std::fflush(stdout);
        return true;
    }
    std::fprintf(stderr, "tm_window_control: \"%s\" %s%s%s\n", caption.c_str(), moment.held,
                 said.empty() ? "" : ": ", said.c_str());
    return false;
}

// Answers the box that process shows besides main (which may be none), if any, and waits
// until it has gone, since the next box comes after it: 0 then (or with no box), kHeld when
// it cannot be answered, 1 when the time ran out.
int AnswerShownBox(HWND main, DWORD process, const SClosingQuestions& questions,
                   const SMoment& moment, DWORD start, DWORD seconds) {
    HWND box = FindDialogOf(main, process);
    if (box == nullptr) {
        return 0;
    }
    if (!AnswerBox(box, questions, moment)) {
        return kHeld;
    }
    return WaitUntilGone(box, start, seconds) ? 0 : 1;
}

// The processes that run the program file named program (without its folder).
std::vector<DWORD> ProgramProcesses(const char* program) {
    std::vector<DWORD> processes;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return processes;
    }
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        const char* name = std::strrchr(entry.szExeFile, '\\');
        if (lstrcmpiA(name != nullptr ? name + 1 : entry.szExeFile, program) == 0) {
            processes.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return processes;
}

// Waits until a window of className shows, answering what the processes of program show
// before it.
int WaitForMainWindow(const char* className, DWORD seconds, const char* program) {
    const DWORD start = GetTickCount();
    // None of the closing questions is asked before the main window shows.
    const SClosingQuestions none;
    bool started = false;
    while (!IsShown(className)) {
        if (Late(start, seconds)) {
            return 1;
        }
        const std::vector<DWORD> processes = ProgramProcesses(program);
        if (started && processes.empty()) {
            std::fprintf(stderr, "tm_window_control: %s ended before its window showed\n", program);
            return kHeld;
        }
        started = started || !processes.empty();
        for (DWORD process : processes) {
            const int answered = AnswerShownBox(FindWindowA(className, nullptr), process, none,
                                                kStarting, start, seconds);
            if (answered != 0) {
                return answered;
            }
        }
        Sleep(100);
    }
    return 0;
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
    while (!IsGone(className)) {
        if (Late(start, seconds)) {
            return 1;
        }
        const int answered = AnswerShownBox(window, process, questions, kClosing, start, seconds);
        if (answered != 0) {
            return answered;
        }
        Sleep(100);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool waits = argc >= 2 && std::strcmp(argv[1], "wait") == 0;
    if (!(argc == 4 || (waits && argc == 5)) ||
        (!waits && std::strcmp(argv[1], "close") != 0 && std::strcmp(argv[1], "switch") != 0 &&
         std::strcmp(argv[1], "display") != 0 && std::strcmp(argv[1], "dismiss") != 0)) {
        std::fprintf(stderr,
                     "usage: tm_window_control wait CLASS SECONDS [PROGRAM]\n"
                     "       tm_window_control close|switch|display|dismiss CLASS SECONDS\n");
        return 2;
    }
    const char* className = argv[2];
    const DWORD seconds = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));
    if (waits) {
        if (argc == 5) {
            return WaitForMainWindow(className, seconds, argv[4]);
        }
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
