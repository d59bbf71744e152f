#include "mainwindow/CPostponedInactivity.h"

#include "library/dialogs/CDialogRegistry.h"
#include "library/dialogs/CDialogWindow.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"

#include <algorithm>
#include <utility>

namespace {

// Soon after the edit's end, and again until the dialog that held it has closed.
const UINT kDelayMs = 10;

} // namespace

CPostponedInactivity::CPostponedInactivity(CProjects& projects, Opener opener)
    : m_projects(projects), m_opener(std::move(opener)) {
    CSlot<CTimerWentOffEvent>::Connect(&m_timer);
}

CPostponedInactivity::~CPostponedInactivity() {
    m_timer.Stop();
    m_timer.SetWindow(nullptr);
}

void CPostponedInactivity::Postpone(CProject& project, const CDateTime& start, HWND window) {
    if (m_timer.GetWindow() != window) {
        m_timer.Stop();
        m_timer.SetWindow(window);
    }
    // An edit that already ended (one committed under an open inactivity dialog) has
    // nothing more to wait for.
    const bool ended = CProjects::CanChangeWork(&project);
    m_entries.push_back({&project, start, ended});
    CSlot<CProjectEndStateTrackingEvent>::Disconnect(&project);
    CSlot<CProjectEndStateTrackingEvent>::Connect(&project);
    CSlot<CProjectsClosedEvent>::Disconnect(&m_projects);
    CSlot<CProjectsClosedEvent>::Connect(&m_projects);
    if (ended && !m_timer.IsRunning()) {
        m_timer.Start(kDelayMs);
    }
}

bool CPostponedInactivity::OnEvent(CProjectEndStateTrackingEvent& event) {
    bool any = false;
    for (SEntry& entry : m_entries) {
        if (entry.project == event.project) {
            entry.ready = true;
            any = true;
        }
    }
    if (any && !m_timer.IsRunning()) {
        m_timer.Start(kDelayMs);
    }
    return true;
}

bool CPostponedInactivity::OnEvent(CProjectsClosedEvent& event) {
    CSlot<CProjectEndStateTrackingEvent>::Disconnect(event.project);
    m_entries.erase(
        std::remove_if(m_entries.begin(), m_entries.end(),
                       [&event](const SEntry& entry) { return entry.project == event.project; }),
        m_entries.end());
    return true;
}

bool CPostponedInactivity::OnEvent(CTimerWentOffEvent&) {
    // The dialog that held the edit has ended but its modal loop has not yet returned:
    // a dialog opened now would run inside that loop, over a window about to go.
    const CDialogWindow* innermost = CDialogRegistry::Instance().GetInnermostModal();
    if (innermost != nullptr && !innermost->IsOpen()) {
        return true;
    }
    m_timer.Stop();
    // Taken out first: an opened dialog may postpone again, and its loop may bring more
    // ends.
    std::vector<SEntry> due;
    std::vector<SEntry> waiting;
    for (const SEntry& entry : m_entries) {
        (entry.ready ? due : waiting).push_back(entry);
    }
    m_entries = std::move(waiting);
    for (SEntry& entry : due) {
        CProject* project = entry.project;
        if (!m_projects.Contains(project) || !project->GetState()->IsWorking()) {
            continue;
        }
        if (!CProjects::CanChangeWork(project)) {
            // Edited again before the timer came: wait for that edit's end.
            entry.ready = false;
            m_entries.push_back(entry);
            continue;
        }
        m_opener(*project, entry.start);
    }
    return true;
}
