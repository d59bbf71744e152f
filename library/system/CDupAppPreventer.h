#pragma once

// CDupAppPreventer: tells whether another instance of the program already runs, by a
// named mutex, and finds that instance's main window by its window class.
//
//   CDupAppPreventer guard("Tallymarks_Run_Check", "TallymarksMain", true, true);
//   if (guard.HasOtherWindow()) {
//       // hand the command line over to guard.GetOtherWindow() and end
//   }
//
// The first instance's mutex lives as long as the guard: keep it until the main loop
// has ended. Then it is released and closed, and a later start is first again.

#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

#include <windows.h>

#include <string>

class CDupAppPreventer {
public:
    // With check set, runs Check(create) at once; otherwise nothing is tested yet.
    CDupAppPreventer(const char* mutexName, const char* windowClass, bool check, bool create);
    virtual ~CDupAppPreventer() = default;

    // Opens the named mutex. When none exists and create is set, creates it: unless the
    // system answers that it already existed (another instance created it meanwhile),
    // this is the first instance. Any other instance looks for a top-level window of
    // the class (any title) and keeps it. Returns whether another window is known; the
    // first instance never has one.
    bool Check(bool create);

    HWND GetOtherWindow() const { return m_otherWindow; }
    bool HasOtherWindow() const { return m_otherWindow != nullptr; }
    bool IsFirstInstance() const { return m_firstInstance; }

private:
    std::string m_mutexName;
    CHandle<CMutexHandleTraits> m_mutex;
    std::string m_windowClass;
    HWND m_otherWindow = nullptr;
    bool m_firstInstance = false;
};
