#include "model/CActivity.h"

#include "library/text/CError.h"
#include "library/text/CText.h"
#include "model/CClockNotices.h"
#include "model/CTickClock.h"
#include "model/CTallymark.h"

#include "resources/ResourceIds.h"

#include <algorithm>
#include <vector>

CActivity::CActivity(CProjectState* projectState, const std::string& name, bool enabled)
    : m_projectState(projectState), m_tallymarks(this), m_statGen(this), m_name(name),
      m_enabled(enabled) {}

CActivity::~CActivity() {
    // Nothing will ask for these totals again; keeping them up to date while every tally mark
    // leaves would only cost time.
    m_statGen.ClearCache();
    DeleteChildren();
    CActivityRemovedEvent event(this);
    GetTreeRoot()->CSignal<CActivityRemovedEvent>::Emit(event);
    // While the name and everything else are still valid for the listeners.
    m_tallymarks.Clear();
}

CActivity* CActivity::GetTreeRoot() {
    CActivity* root = this;
    while (root->GetParent() != nullptr) {
        root = root->GetParent();
    }
    return root;
}

void CActivity::SetName(const std::string& name) {
    if (name == m_name) {
        return;
    }
    m_name = name;
    CActivityModifiedEvent event(this);
    GetTreeRoot()->CSignal<CActivityModifiedEvent>::Emit(event);
}

void CActivity::SetEnabled(bool enabled) {
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    CActivityModifiedEvent event(this);
    GetTreeRoot()->CSignal<CActivityModifiedEvent>::Emit(event);
}

std::string CActivity::GetPath() const {
    // Built on every call, so a renamed ancestor never leaves an outdated path behind.
    std::vector<const std::string*> names;
    std::size_t length = 0;
    for (const CActivity* activity = this; activity->GetParent() != nullptr;
         activity = activity->GetParent()) {
        names.push_back(&activity->m_name);
        length += activity->m_name.size() + 1;
    }
    std::string path;
    path.reserve(length);
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (name != names.rbegin()) {
            path += '\\';
        }
        path += **name;
    }
    return path;
}

bool CActivity::HasTallymarks(bool withDescendants) const {
    if (m_tallymarks.HasTallymarks()) {
        return true;
    }
    if (withDescendants) {
        for (const CActivity* child = GetFirstChild(); child != nullptr;
             child = child->GetNextSibling()) {
            if (child->HasTallymarks(true)) {
                return true;
            }
        }
    }
    return false;
}

CTallymark* CActivity::StartTallymark(const SClockReading& now) {
    if (!CTallymark::CanHold(now.time)) {
        CClockNotices::Get().Report(EClockNotice::StartRefused, this, nullptr, now.time);
        return nullptr;
    }
    CTallymark* tallymark = new CTallymark(this, now.time);
    tallymark->MarkRunningAt(now);
    m_tallymarks.Add(tallymark);
    return tallymark;
}

bool CActivity::AddChildActivity(CActivity* child, int position) {
    if (child == nullptr || child->IsAncestorOrSelf(this)) {
        return false;
    }
    CActivity* oldParent = child->GetParent();
    if (oldParent != nullptr) {
        oldParent->RemoveChildActivity(child, false);
    }
    InsertChild(child, position);
    CActivityAddedEvent event(oldParent == nullptr, child, this, oldParent);
    GetTreeRoot()->CSignal<CActivityAddedEvent>::Emit(event);
    return true;
}

void CActivity::RemoveChildActivity(CActivity* child, bool notify) {
    if (child == nullptr || child->GetParent() != this) {
        throw CError(1, CText(IDS_INTERNAL_REMOVE_CHILD_ACTIVITY).GetString());
    }
    child->Unlink();
    if (notify) {
        CActivityRemovedEvent event(child);
        GetTreeRoot()->CSignal<CActivityRemovedEvent>::Emit(event);
    }
}

void CActivity::DeleteChildren() {
    while (GetFirstChild() != nullptr) {
        delete GetFirstChild();
    }
}

bool CActivity::RemoveUnused() {
    return Prune(false);
}

bool CActivity::Prune(bool onlyCreated) {
    CActivity* child = GetFirstChild();
    while (child != nullptr) {
        CActivity* next = child->GetNextSibling();
        child->Prune(onlyCreated);
        child = next;
    }
    const bool hasTallymarks = m_tallymarks.HasTallymarks();
    if (!hasTallymarks && GetFirstChild() == nullptr && GetParent() != nullptr &&
        (!onlyCreated || m_mergeMark == 2)) {
        delete this;
    }
    return hasTallymarks;
}

bool CActivity::IsAncestorOrSelf(const CActivity* activity) const {
    for (; activity != nullptr; activity = activity->GetParent()) {
        if (activity == this) {
            return true;
        }
    }
    return false;
}
