#pragma once

// CDialogScript: drives the modal file dialog of this thread without a person.
//
// A thread timer fires inside the dialog's modal loop every 100 ms; each tick on which
// the file dialog (or, for steps that expect one, a message box) is up runs the next
// step. A watchdog cancels every dialog of the thread after the time limit, so that a
// test can never hang; TimedOut() then tells the test to fail.
//
//   CDialogScript script({
//       [](HWND dialog) { CDialogScript::TypeName(dialog, "report.txt"); },
//       [](HWND dialog) { CDialogScript::Press(dialog, IDOK); },
//   });
//   bool chosen = browser.Browse();
//   EXPECT_TRUE(script.Finished());

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CDialogScript {
public:
    using Step = std::function<void(HWND window)>;
    struct SStep {
        Step run;
        bool onMessageBox; // runs when a message box is up, with the box
    };

    explicit CDialogScript(std::vector<SStep> steps, int limitMilliseconds = 20000);
    // Steps that all run on the file dialog.
    explicit CDialogScript(const std::vector<Step>& steps);
    ~CDialogScript();
    CDialogScript(const CDialogScript&) = delete;
    CDialogScript& operator=(const CDialogScript&) = delete;

    bool Finished() const { return m_next == m_steps.size(); }
    bool TimedOut() const { return m_timedOut; }
    // The file dialog as the steps saw it.
    HWND Dialog() const { return m_dialog; }

    // Helpers for steps.
    static HWND FileNameBox(HWND dialog);
    static std::string FileName(HWND dialog);
    static void TypeName(HWND dialog, const std::string& name);
    // Selects the filter at a 0-based position the way a user's choice does.
    static void SelectFilter(HWND dialog, int position);
    static void Press(HWND window, int id);
    static std::string Text(HWND window);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<SStep> m_steps;
    size_t m_next = 0;
    int m_ticksLeft;
    bool m_timedOut = false;
    HWND m_dialog = nullptr;
    UINT_PTR m_timer = 0;
};
