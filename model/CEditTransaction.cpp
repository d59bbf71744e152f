#include "model/CEditTransaction.h"

#include "library/text/CError.h"
#include "model/CProject.h"

#include <utility>

CEditTransaction::CEditTransaction(CProject& project) {
    Open(project);
}

CEditTransaction::CEditTransaction(CEditTransaction&& other) noexcept
    : m_project(std::exchange(other.m_project, nullptr)), m_depth(std::exchange(other.m_depth, 0)) {
}

CEditTransaction::~CEditTransaction() {
    Drop();
}

// A transaction that is not the innermost cannot end now, since that would end the inner
// ones: its edit is discarded when they have ended. What a listener throws while the edit
// ends is dropped: the edit is over, and nobody is left to tell.
void CEditTransaction::Drop() noexcept {
    if (m_project == nullptr) {
        return;
    }
    const bool innermost = IsInnermost();
    CProject* project = m_project;
    const size_t depth = m_depth;
    Abandon();
    try {
        if (innermost) {
            project->EndStateTracking(false);
        } else {
            project->DropStateTracking(depth);
        }
    } catch (...) {
    }
}

CProjectState* CEditTransaction::GetState() const {
    return IsInnermost() ? m_project->GetState(true) : nullptr;
}

bool CEditTransaction::IsInnermost() const {
    return m_project != nullptr && m_project->GetStateCount() == m_depth;
}

void CEditTransaction::Commit() {
    End(true);
}

void CEditTransaction::Discard() {
    End(false);
}

void CEditTransaction::Restart(CProject& project) {
    Discard();
    Open(project);
}

void CEditTransaction::Abandon() {
    m_project = nullptr;
    m_depth = 0;
}

void CEditTransaction::Open(CProject& project) {
    project.StartStateTracking();
    m_project = &project;
    m_depth = project.GetStateCount();
}

void CEditTransaction::End(bool commit) {
    if (m_project == nullptr) {
        return;
    }
    if (!IsInnermost()) {
        throw CError(1, "internal program error;\nEditTransaction::End called for a "
                        "transaction that is not the innermost");
    }
    CProject* project = m_project;
    Abandon();
    project->EndStateTracking(commit);
}
