#pragma once

// CDialogWindow: base of every window of the program, a dialog made from a dialog
// template of the resources.
//
//   class CAboutDlg : public CDialogWindow, public CSlot<CDialogCommandEvent> {
//   public:
//       CAboutDlg() { CSlot<CDialogCommandEvent>::Connect(this); }
//   protected:
//       bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
//   };
//
//   SDialogParams params;
//   params.dialogId = IDD_ABOUT;
//   params.owner = mainWindow;
//   int exitCode = about.Create(params); // modal: returns once the dialog has ended
//
// Usage notes:
// - The dialog's messages arrive as five events; a dialog derives from the CSlot<E> of
//   the events it handles and links each to its own signal in its constructor. A
//   command that no command slot handles still reaches the message slots.
// - A handled message answers through DWLP_MSGRESULT (WM_QUERYENDSESSION included, so
//   a slot that sets result 0 refuses the end of the session).
// - Close() ends the dialog: the terminate event runs once per creation, where a slot
//   may set the exit code.
// - No exception crosses the dialog procedure: an exception thrown by a slot or a
//   virtual hook ends the dialog, and Create (modal) or the message loop (modeless)
//   throws it again. EndWithError does the same for code that runs in another window
//   procedure of the dialog (subclassers, timers); the barrier of the other window
//   procedures (WindowProcBarrier.h) ends the dialog through it, or through
//   EndInnermostWithError for a window that belongs to no dialog.
// - A modal dialog with an accelerator table translates the keys of its own window and
//   its controls while it runs, also under a nested dialog of its own.

#include "library/dialogs/CDialogCCNotificationEvent.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/SDialogParams.h"
#include "library/dialogs/SSize.h"
#include "library/dialogs/SWindowRect.h"
#include "library/events/CSignal.h"

#include <windows.h>

#include <exception>
#include <string>

class CDialogWindow : public CSignal<CDialogMessageEvent>,
                      public CSignal<CDialogCommandEvent>,
                      public CSignal<CDialogCCNotificationEvent>,
                      public CSignal<CDialogInitializeEvent>,
                      public CSignal<CDialogTerminateEvent> {
public:
    enum EState { kNotCreated = 0, kOpen = 1, kClosed = 2 };

    CDialogWindow();
    ~CDialogWindow() override;
    CDialogWindow(const CDialogWindow&) = delete;
    CDialogWindow& operator=(const CDialogWindow&) = delete;

    // Modal: runs the dialog and returns its exit code; -1 when it could not be made
    // (or is already open). Modeless: 0 once the window exists, -1 when it could not be
    // made. Throws what a slot threw while the dialog ran (modal) or was initialised,
    // and an error that a window procedure kept for the thread (before any window is
    // made when it waited already).
    int Create(const SDialogParams& params);
    // Terminates and ends the dialog; false when it was already closed or not open,
    // else what EndDialog or DestroyWindow answered.
    bool Close();
    // Emits the terminate event, once per creation; the exit code becomes what the
    // slots set (0 by default).
    void Terminate();

    HWND GetHwnd() const { return m_window; }
    int GetExitCode() const { return m_exitCode; }
    int GetState() const { return m_state; }
    bool IsOpen() const { return m_state == kOpen; }
    bool HasWindow() const { return m_window != nullptr; }
    const SDialogParams& GetParams() const { return m_params; }
    HINSTANCE GetInstance(bool fallback) const {
        return fallback ? m_params.fallbackInstance : m_params.instance;
    }
    HACCEL GetAccelerators() const { return m_accelerators; }

    // Loops of a modeless dialog: until WM_QUIT, or one message (peek: none waiting
    // gives false at once). PumpMessage answers whether WM_QUIT came. Both throw what a
    // slot threw once the dialog has ended, and an error that a window procedure kept
    // for the thread.
    int RunMessageLoop();
    bool PumpMessage(bool peek);

    // Ends the library dialog that holds window (the window itself or an ancestor) and
    // keeps error for its Create or message loop to throw. False when no dialog holds
    // the window.
    static bool EndWithError(HWND window, std::exception_ptr error);
    // Ends the innermost modal dialog that the calling thread runs and keeps error for
    // its Create to throw. False when the thread runs none.
    static bool EndInnermostWithError(std::exception_ptr error);

    // Keeps a dialog's top-left corner on the work area of the monitor nearest to it, at
    // least 64 by 32 pixels away from its right and bottom edges. The rest of the dialog
    // may reach beyond the work area, or onto another monitor, as the user left it.
    static void ClampToWorkArea(POINT& point);
    // Screen coordinates; the position is clamped as above, the size raised to the
    // minimum when one is given.
    void SetPos(int x, int y);
    void SetSize(int cx, int cy, const SSize* minimum = nullptr);
    void SetRect(int x, int y, int cx, int cy, const SSize* minimum = nullptr);
    // Screen coordinates of the current window, or of its restored place when normal is
    // true (the window may be maximised or minimised).
    SWindowRect GetRect(bool normal) const;
    POINT GetPos(bool normal) const;
    SSize GetSize(bool normal) const;
    bool GetPlacement(WINDOWPLACEMENT& placement) const;

    // Controls, by dialog item id or window; positions in the dialog's client coordinates.
    void ShowItem(int id, bool show) const;
    static void ShowControl(HWND control, bool show);
    void SetItemRect(int id, int x, int y, int cx, int cy) const;
    static void SetControlRect(HWND control, const SWindowRect& rect);
    void SetItemPos(int id, int x, int y) const;
    static void SetControlPos(HWND control, int x, int y);
    void SetItemSize(int id, int cx, int cy) const;
    static void SetControlSize(HWND control, int cx, int cy);
    POINT GetItemPos(int id) const;
    POINT GetControlPos(HWND control) const;
    SWindowRect GetItemRect(int id) const;
    SWindowRect GetControlRect(HWND control) const;
    SSize GetItemSize(int id) const;
    static SSize GetControlSize(HWND control);
    // The text's extent in the control's font plus 4 pixels each way; (-1, -1) when it
    // cannot be measured.
    static SSize GetTextSize(HWND control, const std::string& text);
    SSize GetItemTextSize(int id, const std::string& text) const;
    // The control's whole text (size is the first buffer size, doubled as needed). An
    // empty text gives true; a missing control false and an empty text.
    bool GetItemText(int id, std::string& text, int size = 256) const;

protected:
    // Hooks of the dialog procedure, for classes that shape the window itself.
    virtual void OnInitDialog();
    virtual bool OnSize(int sizeType);
    virtual void OnSizeSet(const SSize& size);
    virtual bool OnSizing(RECT* rect, int edge);

private:
    friend class CDialogRegistry;

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled, LRESULT& result);
    void OnDestroyed();
    void Fail(std::exception_ptr error);
    void RethrowError();
    bool EndWindow();
    void ProcessMessage(MSG& msg);
    void RegisterWindowClass(HINSTANCE templateModule);

    SDialogParams m_params;
    int m_state = kNotCreated;
    bool m_destroying = false;
    bool m_terminated = false;
    int m_exitCode = 0;
    bool m_hasCaption = false;
    HACCEL m_accelerators = nullptr;
    HWND m_window = nullptr;
    RECT m_lastGripRect = {0, 0, 0, 0};
    std::exception_ptr m_error;
};
