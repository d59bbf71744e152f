#pragma once

// CModalScope: one modal moment of the program: a dialog running modally over another
// window, a file dialog, a message box or a question. While any moment runs, the
// windows, projects and files it holds belong to it: nothing that arrives from outside
// the moment (a close request, the end of the session, a hand-over, a command posted by
// another program) may close, delete or rewrite them. Code that reacts to such a
// trigger asks IsActive and refuses or defers.
//
//   {
//       CModalScope moment;                 // counted: moments nest
//       GetSaveFileNameA(&ofn);
//   }                                       // the last to end tells the listeners
//
//   if (CModalScope::IsActive()) {          // a trigger from outside
//       CModalScope::BringToFront(mainWindow);
//       return false;
//   }
//
// Usage notes:
// - Every modal loop of the program enters one: CDialogWindow (a modal dialog with an
//   owner), CFileBrowser and ShowMessageBox do it themselves; code that asks a chain of
//   questions and acts on the answers holds one around the whole chain.
// - Work deferred during a moment is carried out when the last moment has ended: every
//   window that AddEndListener named receives its message then, posted, so that the
//   work never runs inside the code that ended the moment (nor inside a loop that
//   still runs). By the time it arrives another moment may have begun: the receiver
//   asks IsActive again and, if so, waits for that one's end.
// - User-interface thread only; the count is the thread's.

#include <windows.h>

class CModalScope {
public:
    CModalScope();
    ~CModalScope();
    CModalScope(const CModalScope&) = delete;
    CModalScope& operator=(const CModalScope&) = delete;

    // Whether a modal moment runs on this thread.
    static bool IsActive();
    static int GetDepth();

    // The window of the innermost moment shown over mainWindow: the thread's visible,
    // enabled top-level window with a caption, other than mainWindow, that lies
    // highest. Null when none shows (a moment without a window yet).
    static HWND FindModalWindow(HWND mainWindow);
    // Restores mainWindow when it is minimised and brings the moment's window to the
    // front, flashing it.
    static void BringToFront(HWND mainWindow);

    // From now on, whenever the last moment ends, message is posted to window (once
    // however often it is added; a null window is not added).
    static void AddEndListener(HWND window, UINT message);
    // Stops posting message to window.
    static void RemoveEndListener(HWND window, UINT message);
};
