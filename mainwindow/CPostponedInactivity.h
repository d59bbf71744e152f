#pragma once

// CPostponedInactivity: detected inactivities whose dialog may not open yet. The
// inactivity dialog of a project waits while any modal moment runs (CModalScope: a
// dialog, a file dialog, a message box, a question, the tray's menu), and while a dialog
// edits the project: opened inside a moment it would run over a window about to go and
// hand the main window back enabled under it; opened inside an edit, its booking would
// be lost under the edit's commit, or meet activities that the edit renamed or moved.
// Once the last moment has ended and no edit of the project is open, the owner is asked
// to open the inactivity dialog, one inactivity after the other, for the tally mark that
// runs then.
//
//   CPostponedInactivity m_postponed{projects, [this](CProject& p, const SClockReading& start) {
//       OpenInactivityDialog(p, start); }};
//   m_postponed.Postpone(project, event.start, GetHwnd());
//   case CPostponedInactivity::kOpenDueMessage: m_postponed.OpenDue();
//
// Usage notes:
// - The window given to Postpone receives kOpenDueMessage (posted, never inside the code
//   that ended a moment or an edit) when the last moment has ended, when an edit of a
//   waiting project has ended, and when it waits for nothing; it passes it to OpenDue.
// - The opener is not asked for a project that was closed meanwhile, or that no longer
//   has a running tally mark; one that is being edited again waits for that edit's end.
// - The same inactivity of one project waits once, however often it is reported.
// - User-interface thread only.

#include "library/events/CSlot.h"
#include "model/CProjectEndStateTrackingEvent.h"
#include "model/CProjectsClosedEvent.h"
#include "model/SClockReading.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

class CProject;
class CProjects;

class CPostponedInactivity : public CSlot<CProjectEndStateTrackingEvent>,
                             public CSlot<CProjectsClosedEvent> {
public:
    using Opener = std::function<void(CProject& project, const SClockReading& start)>;
    // Posted to the window of Postpone when a waiting inactivity may be due.
    static constexpr UINT kOpenDueMessage = WM_APP + 113;

    CPostponedInactivity(CProjects& projects, Opener opener);
    ~CPostponedInactivity() override;
    CPostponedInactivity(const CPostponedInactivity&) = delete;
    CPostponedInactivity& operator=(const CPostponedInactivity&) = delete;

    // Holds the inactivity of project from start (the last input) until no moment runs and
    // no edit of it is open; window hears when that may be.
    void Postpone(CProject& project, const SClockReading& start, HWND window);
    // Opens the inactivities that wait for nothing any more, unless a moment runs.
    void OpenDue();
    size_t GetWaitingCount() const { return m_entries.size(); }

protected:
    bool OnEvent(CProjectEndStateTrackingEvent& event) override;
    bool OnEvent(CProjectsClosedEvent& event) override;

private:
    struct SEntry {
        CProject* project;
        SClockReading start;
    };

    void SetWindow(HWND window);
    // Posts kOpenDueMessage unless a moment runs (its end posts it then).
    void PostDue();

    CProjects& m_projects;
    Opener m_opener;
    std::vector<SEntry> m_entries;
    HWND m_window = nullptr;
};
