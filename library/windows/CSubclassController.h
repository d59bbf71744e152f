#pragma once

// CSubclassController: the process-wide registry of subclassed windows. One common
// window procedure serves every subclassed window and hands each message to the
// window's subclassers; a window's own procedure is put back when its last
// subclasser leaves. A window that is destroyed gives up its record once its final
// message has passed, so a later window with the same handle starts afresh.
//
// No exception of a subclasser leaves the common procedure: one that throws ends the
// delivery of that message (no later subclasser sees it), the window's own procedure
// answers it unless a subclasser had called that already, and the error ends the
// operation that the window serves, as WindowProcBarrier.h describes: the library
// dialog that holds the window, else the innermost modal dialog of the thread, throws
// it from Create; with neither, it waits for the thread's next dialog call.
//
// The registry is built on first use and never destroyed: objects that leave it at
// process exit may outlive any static.

#include "library/windows/CSubclassedWindow.h"

#include <map>
#include <set>

class CSubclassController {
public:
    static CSubclassController& Instance();

    // Installs the common procedure on a window it does not know yet; false (and no
    // record) when the system refuses.
    bool Subclass(HWND window, CSubclassedWindow* subclasser);
    void Unsubclass(HWND window, CSubclassedWindow* subclasser);
    bool IsSubclassed(HWND window) const { return m_records.count(window) != 0; }

    static LRESULT CALLBACK SubclassWindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam);

private:
    struct SRecord {
        WNDPROC previousProc;
        std::set<CSubclassedWindow*> subclassers; // ascending address
    };

    CSubclassController() = default;
    virtual ~CSubclassController() = default;
    LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Forget(HWND window);

    std::map<HWND, SRecord> m_records;
};
