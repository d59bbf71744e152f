#pragma once

// CUiScript: drives real windows in-process, with no display and no person.
//
// Steps run one per tick of a thread timer (100 ms) inside whatever modal loop the
// code under test runs; every message box of the thread is recorded and answered
// from the script (an unexpected one is cancelled and fails the test); a watchdog
// ends the thread's dialogs after the time limit and fails the test, and ends the
// process when even that does not help.
//
//   CUiScript script;
//   script.Do([] { harness::Click(harness::ActiveWindow(), IDC_SAVE); })
//         .AnswerMessageBox(IDYES, "Save changes")
//         .Do([] { harness::Click(harness::ActiveWindow(), IDOK); });
//   script.Run([&] { dialog.DoModal(); });
//   EXPECT_EQ(script.GetMessageBoxes().size(), 1u);

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace harness {

struct SMessageBoxRecord {
    std::string caption;
    std::string text;
    std::vector<int> buttons; // IDOK, IDCANCEL, IDYES, ... in the box
    UINT icon = 0;            // MB_ICONERROR, MB_ICONWARNING, MB_ICONINFORMATION,
                              // MB_ICONQUESTION, or 0
    int answer = 0;           // the button the script pressed
    bool captionWhole = true; // the caption can show whole in the title bar of the box
};

class CUiScript {
public:
    explicit CUiScript(DWORD timeoutMs = 30000);
    ~CUiScript();
    CUiScript(const CUiScript&) = delete;
    CUiScript& operator=(const CUiScript&) = delete;

    // One step: runs once, on its own tick.
    CUiScript& Do(std::function<void()> action);
    // A step that is retried on every tick until it answers true; fails the test
    // when maxMs pass first.
    CUiScript& WaitFor(std::function<bool()> condition, DWORD maxMs = 5000,
                       std::string what = "condition");
    // The next message box is answered with button answer; when textPart is not
    // empty the box's text must contain it.
    CUiScript& AnswerMessageBox(int answer, std::string textPart = std::string());
    // The next message box (whose text must contain textPart) is recorded and left up:
    // the following steps run in its loop (GetHeldMessageBox) until one answers it
    // with AnswerHeldMessageBox.
    CUiScript& HoldMessageBox(std::string textPart);
    CUiScript& AnswerHeldMessageBox(int answer);
    // The box that HoldMessageBox left up and nothing answered yet, or null.
    HWND GetHeldMessageBox() const { return m_heldBox; }

    // Runs modal (code that shows windows modally and returns when they end) while
    // the steps run. Afterwards every step must have run and every expected message
    // box must have come. What modal or a step threw is thrown again once the script
    // has left the thread.
    void Run(const std::function<void()>& modal);

    const std::vector<SMessageBoxRecord>& GetMessageBoxes() const { return m_boxes; }

private:
    struct SStep {
        std::function<bool()> action;
        DWORD maxMs;
        std::string what;
        DWORD firstTry = 0;
    };
    struct SExpectedBox {
        int answer;
        std::string textPart;
        bool hold = false;
    };

    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI Watchdog(void* parameter);
    void RunNextStep();
    void OnMessageBox(HWND box);

    DWORD m_timeoutMs;
    std::deque<SStep> m_steps;
    std::deque<SExpectedBox> m_expectedBoxes;
    std::vector<SMessageBoxRecord> m_boxes;
    bool m_inStep = false;
    HWND m_heldBox = nullptr;
    volatile LONG m_timedOut = 0;
    DWORD m_threadId = 0;
    HANDLE m_finished = nullptr;
};

} // namespace harness
