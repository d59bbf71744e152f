#include "mainwindow/CPostponedInactivity.h"

#include "library/dialogs/CModalScope.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"

#include <algorithm>
#include <utility>

CPostponedInactivity::CPostponedInactivity(CProjects& projects, Opener opener)
    : m_projects(projects), m_opener(std::move(opener)) {}

CPostponedInactivity::~CPostponedInactivity() {
    SetWindow(nullptr);
}

void CPostponedInactivity::SetWindow(HWND window) {
    if (m_window == window) {
        return;
    }
    CModalScope::RemoveEndListener(m_window, kOpenDueMessage);
    m_window = window;
    CModalScope::AddEndListener(m_window, kOpenDueMessage);
}

void CPostponedInactivity::PostDue() {
    if (!CModalScope::IsActive() && m_window != nullptr) {
        PostMessageA(m_window, kOpenDueMessage, 0, 0);
    }
}

void CPostponedInactivity::Postpone(CProject& project, const SClockReading& start, HWND window) {
    SetWindow(window);
    const bool known = std::any_of(m_entries.begin(), m_entries.end(), [&](const SEntry& entry) {
        return entry.project == &project && entry.start.time == start.time &&
               entry.start.ticks == start.ticks;
    });
    if (!known) {
        m_entries.push_back({&project, start});
    }
    CSlot<CProjectEndStateTrackingEvent>::Disconnect(&project);
    CSlot<CProjectEndStateTrackingEvent>::Connect(&project);
    CSlot<CProjectsClosedEvent>::Disconnect(&m_projects);
    CSlot<CProjectsClosedEvent>::Connect(&m_projects);
    // Postponed outside every moment (an edit that ended under an open inactivity
    // dialog): nothing else would bring it up.
    PostDue();
}

bool CPostponedInactivity::OnEvent(CProjectEndStateTrackingEvent& event) {
    const bool waits = std::any_of(m_entries.begin(), m_entries.end(), [&](const SEntry& entry) {
        return entry.project == event.project;
    });
    if (waits) {
        PostDue();
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

void CPostponedInactivity::OpenDue() {
    // Another moment began since the notice was posted: its end brings it again.
    if (CModalScope::IsActive()) {
        return;
    }
    // Taken out first: an opened dialog may postpone again, and its loop may bring more.
    std::vector<SEntry> due = std::move(m_entries);
    m_entries.clear();
    for (size_t index = 0; index < due.size(); ++index) {
        CProject* project = due[index].project;
        if (!m_projects.Contains(project) || !project->GetState()->IsWorking()) {
            continue;
        }
        // Edited again, or a dialog opened by one before came up meanwhile: wait.
        if (CModalScope::IsActive() || !CProjects::CanChangeWork(project)) {
            m_entries.push_back(due[index]);
            continue;
        }
        m_opener(*project, due[index].start);
    }
}
