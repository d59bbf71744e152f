#pragma once

// CPostponedInactivity: detected inactivities of projects that a dialog was editing when
// they were reported. The inactivity dialog of such a project waits until that edit ends
// (committed or discarded): opened inside the editing dialog, its booking would be lost
// under the edit's commit, or meet activities that the edit renamed or moved. Once the
// project's last edit is over, and the dialog that held it has closed, the owner is asked
// to open the inactivity dialog, one inactivity after the other, for the tally mark that
// runs then.
//
//   CPostponedInactivity m_postponed{[this](CProject& p, const CDateTime& start) {
//       OpenInactivityDialog(p, start); }};
//   m_postponed.Postpone(project, event.start, GetHwnd());
//
// Usage notes:
// - The opener runs from a timer message of the given window, so never inside the edit's
//   own end. It is not asked for a project that was closed meanwhile, that no longer has
//   a running tally mark, or that is being edited again (that one waits for the next end).
// - User-interface thread only.

#include "library/datetime/CDateTime.h"
#include "library/events/CSlot.h"
#include "library/windows/CTimer.h"
#include "model/CProjectEndStateTrackingEvent.h"
#include "model/CProjectsClosedEvent.h"

#include <windows.h>

#include <functional>
#include <vector>

class CProject;
class CProjects;

class CPostponedInactivity : public CSlot<CProjectEndStateTrackingEvent>,
                             public CSlot<CProjectsClosedEvent>,
                             public CSlot<CTimerWentOffEvent> {
public:
    using Opener = std::function<void(CProject& project, const CDateTime& start)>;

    CPostponedInactivity(CProjects& projects, Opener opener);
    ~CPostponedInactivity() override;
    CPostponedInactivity(const CPostponedInactivity&) = delete;
    CPostponedInactivity& operator=(const CPostponedInactivity&) = delete;

    // Holds the inactivity of project from start (UTC) until no edit of it is open; window
    // carries the timer that brings the dialog up.
    void Postpone(CProject& project, const CDateTime& start, HWND window);

protected:
    bool OnEvent(CProjectEndStateTrackingEvent& event) override;
    bool OnEvent(CProjectsClosedEvent& event) override;
    bool OnEvent(CTimerWentOffEvent& event) override;

private:
    struct SEntry {
        CProject* project;
        CDateTime start;
        bool ready;
    };

    CProjects& m_projects;
    Opener m_opener;
    std::vector<SEntry> m_entries;
    CTimer m_timer;
};
