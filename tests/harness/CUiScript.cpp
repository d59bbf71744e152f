#include "harness/CUiScript.h"

#include "harness/UiControls.h"
#include "library/dialogs/WindowProcBarrier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <utility>

namespace harness {

namespace {

thread_local CUiScript* t_script = nullptr;
thread_local HHOOK t_hook = nullptr;

const UINT kTickMs = 100;

bool IsInModule(const void* address, const char* moduleName) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<const char*>(address), &module)) {
        return false;
    }
    return module == GetModuleHandleA(moduleName);
}

// A message box is a dialog of the system's dialog class whose dialog procedure
// belongs to user32 (the program's dialogs have their own procedures).
bool IsMessageBox(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::string(className) != "#32770") {
        return false;
    }
    // Read in the window's own character set: the other one gives a thunk.
    const LONG_PTR procedure = IsWindowUnicode(window) ? GetWindowLongPtrW(window, DWLP_DLGPROC)
                                                       : GetWindowLongPtrA(window, DWLP_DLGPROC);
    return procedure != 0 && IsInModule(reinterpret_cast<void*>(procedure), "user32.dll");
}

UINT IconOf(HWND box) {
    const struct {
        LPCSTR id;
        UINT flag;
    } icons[] = {{IDI_HAND, MB_ICONERROR},
                 {IDI_EXCLAMATION, MB_ICONWARNING},
                 {IDI_ASTERISK, MB_ICONINFORMATION},
                 {IDI_QUESTION, MB_ICONQUESTION}};
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const LRESULT shown = SendMessageA(child, STM_GETICON, 0, 0);
        if (shown == 0) {
            continue;
        }
        for (const auto& icon : icons) {
            if (reinterpret_cast<LRESULT>(LoadIconA(nullptr, icon.id)) == shown) {
                return icon.flag;
            }
        }
    }
    return 0;
}

BOOL CALLBACK CloseThreadWindow(HWND window, LPARAM) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

} // namespace

CUiScript::CUiScript(DWORD timeoutMs) : m_timeoutMs(timeoutMs) {}

CUiScript::~CUiScript() = default;

CUiScript& CUiScript::Do(std::function<void()> action) {
    m_steps.push_back({[action] {
                           action();
                           return true;
                       },
                       0, "step"});
    return *this;
}

CUiScript& CUiScript::WaitFor(std::function<bool()> condition, DWORD maxMs, std::string what) {
    m_steps.push_back({std::move(condition), maxMs, std::move(what)});
    return *this;
}

CUiScript& CUiScript::AnswerMessageBox(int answer, std::string textPart) {
    m_expectedBoxes.push_back({answer, std::move(textPart)});
    return *this;
}

CUiScript& CUiScript::HoldMessageBox(std::string textPart) {
    m_expectedBoxes.push_back({0, std::move(textPart), true});
    return WaitFor([this] { return m_heldBox != nullptr; }, 5000, "the held message box");
}

CUiScript& CUiScript::AnswerHeldMessageBox(int answer) {
    return Do([this, answer] {
        ASSERT_NE(m_heldBox, nullptr) << "no held message box to answer";
        HWND box = std::exchange(m_heldBox, nullptr);
        EXPECT_NE(GetDlgItem(box, answer), nullptr) << "the held box has no button " << answer;
        m_boxes.back().answer = answer;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    });
}

void CUiScript::Run(const std::function<void()>& modal) {
    ASSERT_EQ(t_script, nullptr) << "one script at a time per thread";
    t_script = this;
    m_threadId = GetCurrentThreadId();
    t_hook = SetWindowsHookExA(WH_CBT, &CUiScript::OnCbt, nullptr, m_threadId);
    EXPECT_NE(t_hook, nullptr);
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, &CUiScript::OnTick);
    m_finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE watchdog = CreateThread(nullptr, 0, &CUiScript::Watchdog, this, 0, nullptr);

    // A step or the modal code that throws still leaves the thread without the script.
    std::exception_ptr error;
    try {
        modal();
    } catch (...) {
        error = std::current_exception();
    }

    SetEvent(m_finished);
    WaitForSingleObject(watchdog, INFINITE);
    CloseHandle(watchdog);
    CloseHandle(m_finished);
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(t_hook);
    t_hook = nullptr;
    t_script = nullptr;
    if (error) {
        std::rethrow_exception(error);
    }
    // A step that threw under a window of no library dialog left its error waiting.
    RethrowWindowProcError();

    EXPECT_EQ(m_timedOut, 0) << "the watchdog ended the dialogs after " << m_timeoutMs << " ms";
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " step(s) did not run, the first: "
                                 << (m_steps.empty() ? "" : m_steps.front().what);
    EXPECT_TRUE(m_expectedBoxes.empty())
        << m_expectedBoxes.size() << " expected message box(es) did not come";
}

// A step that throws ends the dialog it runs under, whose Create throws it again.
void CALLBACK CUiScript::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    RunBehindBarrier(nullptr, [] {
        if (t_script != nullptr) {
            t_script->RunNextStep();
        }
    });
}

// A step that opens a modal window runs the next steps from the nested loop; the
// step is taken off the queue before it runs, so no step runs twice.
void CUiScript::RunNextStep() {
    if (m_steps.empty() || m_timedOut != 0) {
        return;
    }
    // A dialog is shown only once its modal loop first goes idle: act on what a
    // person can see.
    if (ActiveWindow() == nullptr) {
        return;
    }
    SStep& step = m_steps.front();
    if (step.maxMs == 0) {
        SStep once = std::move(step);
        m_steps.pop_front();
        once.action();
        return;
    }
    if (step.firstTry == 0) {
        step.firstTry = GetTickCount();
    }
    if (step.action()) {
        m_steps.pop_front();
    } else if (GetTickCount() - step.firstTry > step.maxMs) {
        ADD_FAILURE() << "timed out waiting for " << step.what;
        m_steps.pop_front();
    }
}

LRESULT CALLBACK CUiScript::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && t_script != nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (IsMessageBox(window)) {
            t_script->OnMessageBox(window);
        }
    }
    return CallNextHookEx(t_hook, code, wParam, lParam);
}

// Whether the caption of box can show whole in its title bar, beside the close button.
// Windows widens a message box for its caption, up to the work area; Wine sizes the box
// by its text and buttons only, so the box's own width is no measure here.
bool CaptionFits(HWND box, const std::string& caption) {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    DeleteObject(font);
    RECT window = {};
    GetWindowRect(box, &window);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoA(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor)) {
        window.left = std::min(window.left, monitor.rcWork.left);
        window.right = std::max(window.right, monitor.rcWork.right);
    }
    const int room = (window.right - window.left) - 2 * GetSystemMetrics(SM_CXDLGFRAME) -
                     metrics.iCaptionWidth - 4;
    return size.cx <= room;
}

void CUiScript::OnMessageBox(HWND box) {
    SMessageBoxRecord record;
    record.caption = GetText(box);
    record.captionWhole = CaptionFits(box, record.caption);
    record.text = GetText(GetDlgItem(box, 0xFFFF));
    const int ids[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};
    for (int id : ids) {
        if (GetDlgItem(box, id) != nullptr) {
            record.buttons.push_back(id);
        }
    }
    record.icon = IconOf(box);
    // Seen again when a box is activated a second time: answer it only once.
    if (GetPropA(box, "harness.answered") != nullptr) {
        return;
    }
    SetPropA(box, "harness.answered", reinterpret_cast<HANDLE>(1));

    if (m_expectedBoxes.empty()) {
        ADD_FAILURE() << "unexpected message box \"" << record.caption << "\": " << record.text;
        record.answer = record.buttons.empty() ? IDCANCEL : record.buttons.front();
        for (int id : {IDCANCEL, IDNO}) {
            if (GetDlgItem(box, id) != nullptr) {
                record.answer = id;
                break;
            }
        }
    } else {
        const SExpectedBox expected = m_expectedBoxes.front();
        m_expectedBoxes.pop_front();
        EXPECT_NE(record.text.find(expected.textPart), std::string::npos)
            << "message box text \"" << record.text << "\" lacks \"" << expected.textPart << "\"";
        if (expected.hold) {
            EXPECT_EQ(m_heldBox, nullptr) << "a second box held: \"" << record.text << "\"";
            m_heldBox = box;
            m_boxes.push_back(record);
            return;
        }
        EXPECT_NE(GetDlgItem(box, expected.answer), nullptr)
            << "message box \"" << record.text << "\" has no button " << expected.answer;
        record.answer = expected.answer;
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(record.answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, record.answer)));
    m_boxes.push_back(record);
}

DWORD WINAPI CUiScript::Watchdog(void* parameter) {
    CUiScript* script = static_cast<CUiScript*>(parameter);
    if (WaitForSingleObject(script->m_finished, script->m_timeoutMs) == WAIT_OBJECT_0) {
        return 0;
    }
    InterlockedExchange(&script->m_timedOut, 1);
    // Nested dialogs end one after another: keep cancelling for a while.
    for (int attempt = 0; attempt < 20; ++attempt) {
        EnumThreadWindows(script->m_threadId, &CloseThreadWindow, 0);
        if (WaitForSingleObject(script->m_finished, 250) == WAIT_OBJECT_0) {
            return 0;
        }
    }
    {
        std::fprintf(stderr, "watchdog: the UI thread did not end its dialogs; ending the test "
                             "program\n");
        std::fflush(stderr);
        ExitProcess(3);
    }
    return 0;
}

} // namespace harness
