#include "app/main/CHandOverQueue.h"

#include "library/dialogs/CModalScope.h"
#include "library/files/CFilePath.h"
#include "library/system/CReentryGuard.h"
#include "model/CProjects.h"

#include <algorithm>

bool CHandOverQueue::Receive(const std::string& path) {
    // A path that waits already moves behind the others: the last one handed over is
    // the project the user sees in the end.
    const CFilePath received(path);
    m_pending.erase(
        std::remove_if(m_pending.begin(), m_pending.end(),
                       [&](const std::string& waiting) { return CFilePath(waiting) == received; }),
        m_pending.end());
    if (m_pending.size() >= kMaxPending) {
        return false;
    }
    m_pending.push_back(path);
    OpenPending();
    return true;
}

void CHandOverQueue::OpenPending() {
    // Opening shows its messages in moments of their own; a hand-over received during
    // one of them joins the queue behind and is opened by this loop.
    CReentryGuard guard(m_opening);
    if (!guard.Entered()) {
        return;
    }
    while (!m_pending.empty() && !CModalScope::IsActive()) {
        const std::string path = m_pending.front();
        m_pending.pop_front();
        m_projects.OpenPath(path, CProjects::kOpenAndSwitch, true);
    }
}
