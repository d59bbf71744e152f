#include "model/CProjects.h"

#include "library/files/CFileIdentity.h"
#include "library/text/CText.h"
#include "library/windows/CTempCursor.h"
#include "model/ActivityBooking.h"
#include "model/CActivity.h"
#include "model/CClockNotices.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <iterator>
#include <memory>

namespace {

const UINT kWaitCursor = 32514; // IDC_WAIT

// An internal error: a project that the set does not know was named to it.
CError InternalError(unsigned int id) {
    return CError(1, CText(id).GetString());
}

// Work counts only when committed, and only in the user's own projects.
bool IsWorkingUserProject(const CProject* project) {
    return project->IsUserProject() && project->GetState(false)->IsWorking();
}

} // namespace

CProjects::CProjects() = default;

CProjects::~CProjects() {
    for (auto& entry : m_byName) {
        Unlink(entry.second);
        delete entry.second;
    }
}

CProject* CProjects::GetProject(size_t index) const {
    if (index >= m_byName.size()) {
        return nullptr;
    }
    return std::next(m_byName.begin(), static_cast<std::ptrdiff_t>(index))->second;
}

CProject* CProjects::GetNext(CProject* project, bool wrap, bool selfIfOnly) const {
    if (project == nullptr) {
        return m_byName.empty() ? nullptr : m_byName.begin()->second;
    }
    if (m_byName.size() == 1) {
        return wrap && selfIfOnly && m_byName.begin()->second == project ? project : nullptr;
    }
    auto entry = FindInNameIndex(project);
    if (entry == m_byName.end()) {
        return nullptr;
    }
    ++entry;
    if (entry != m_byName.end()) {
        return entry->second;
    }
    return wrap ? m_byName.begin()->second : nullptr;
}

CProject* CProjects::GetPrevious(CProject* project, bool wrap, bool selfIfOnly) const {
    if (project == nullptr) {
        return m_byName.empty() ? nullptr : std::prev(m_byName.end())->second;
    }
    if (m_byName.size() == 1) {
        return wrap && selfIfOnly && m_byName.begin()->second == project ? project : nullptr;
    }
    auto entry = FindInNameIndex(project);
    if (entry == m_byName.end()) {
        return nullptr;
    }
    if (entry != m_byName.begin()) {
        return std::prev(entry)->second;
    }
    return wrap ? std::prev(m_byName.end())->second : nullptr;
}

bool CProjects::IsOpen(const CFilePath& path) const {
    return FindOpen(path) != nullptr;
}

CProject* CProjects::FindOpen(const CFilePath& path) const {
    const auto open = m_byPath.find(path.GetLowerCasePath());
    if (open != m_byPath.end()) {
        return open->second;
    }
    // Another spelling of an open project's file (a link, a prefix, another mapping).
    const CFileIdentity identity = CFileIdentity::Of(path.GetPath());
    if (!identity.IsKnown()) {
        return nullptr;
    }
    for (const auto& entry : m_byPath) {
        const CFilePath file = entry.second->GetFilePath(false);
        if (file.IsValid() && CFileIdentity::Of(file.GetPath()) == identity) {
            return entry.second;
        }
    }
    return nullptr;
}

bool CProjects::IsPathOpen(const std::string& path) const {
    return IsOpen(CFilePath(path));
}

bool CProjects::IsAnyWorking() const {
    for (const auto& entry : m_byName) {
        if (IsWorkingUserProject(entry.second)) {
            return true;
        }
    }
    return false;
}

std::vector<CProject*> CProjects::GetWorkingProjects() const {
    std::vector<CProject*> working;
    for (const auto& entry : m_byName) {
        if (IsWorkingUserProject(entry.second)) {
            working.push_back(entry.second);
        }
    }
    return working;
}

bool CProjects::Contains(const CProject* project) const {
    return project != nullptr && FindInNameIndex(project) != m_byName.end();
}

void CProjects::SetCurrent(CProject* project) {
    if (project == m_current) {
        return;
    }
    CProjectsSwitchedEvent event(m_current, project);
    m_current = project;
    CSignal<CProjectsSwitchedEvent>::Emit(event);
}

bool CProjects::SwitchToFile(const CFilePath& path) {
    auto entry = m_byPath.find(path.GetLowerCasePath());
    if (entry == m_byPath.end()) {
        return false;
    }
    SetCurrent(entry->second);
    return true;
}

void CProjects::SwitchToNext() {
    if (m_byName.size() < 2) {
        return;
    }
    if (m_current == nullptr) {
        SetCurrent(m_byName.begin()->second);
    } else {
        SetCurrent(GetNext(m_current, true, false));
    }
}

void CProjects::SwitchToPrevious() {
    if (m_byName.size() < 2) {
        return;
    }
    if (m_current == nullptr) {
        SetCurrent(std::prev(m_byName.end())->second);
    } else {
        SetCurrent(GetPrevious(m_current, true, false));
    }
}

bool CProjects::CanChangeWork(const CProject* project) {
    return project != nullptr && project->GetStateCount() == 1;
}

bool CProjects::IsActivityOf(const CProject* project, CActivity* activity) {
    const CProjectState* state = activity->GetProjectState();
    // The unnamed root never runs.
    return state != nullptr && state == project->GetState() &&
           activity->GetTreeRoot() == state->GetRootActivity() && activity->GetParent() != nullptr;
}

bool CProjects::StartWorking(CProject* project, CActivity* activity) {
    if (project == nullptr) {
        project = m_current;
    }
    // An open edit would commit or discard its copy over the change, or the change would
    // land on the copy's activity at the same place: the edit decides for the project.
    if (!CanChangeWork(project)) {
        return false;
    }
    CProjectState* state = project->GetState();
    if (activity == nullptr) {
        activity = state->GetSelectedActivity();
    }
    if (activity == nullptr) {
        return false;
    }
    if (!IsActivityOf(project, activity) || !IsBookable(activity)) {
        return false;
    }
    // One reading for the switch: with a clock that nobody set, the new work starts exactly
    // where the last ended.
    const SClockReading now = SClockReading::Take();
    if (!CTallymark::CanHold(now.time)) {
        // The running work goes on: nothing can start in its place.
        CClockNotices::Get().Report(EClockNotice::StartRefused, activity, nullptr, now.time);
        return false;
    }
    if (CTallymark* running = state->GetCurrentTallymark()) {
        running->EndNow(now);
    }
    return activity->StartTallymark(now) != nullptr;
}

bool CProjects::StopWorking(CProject* project) {
    if (project == nullptr) {
        project = m_current;
    }
    if (!CanChangeWork(project)) {
        return false;
    }
    CTallymark* running = project->GetState()->GetCurrentTallymark();
    if (running == nullptr) {
        return false;
    }
    running->EndNow();
    return true;
}

CProject* CProjects::Open(const CFilePath& path, int mode, bool mustExist) {
    CTempCursor wait(kWaitCursor, nullptr);
    const bool userProject = mode != kOpenForExchange;
    CProjectsAddedEvent event(nullptr, false, userProject, path, CError());

    if (CProject* open = FindOpen(path)) {
        event.project = open;
        event.ok = true;
        if (mode == kOpenAndSwitch) {
            SetCurrent(open);
        }
    } else if (mustExist && !path.Exists()) {
        CText text(IDS_PROJECT_FILE_MISSING);
        text.Replace("[FILEPATH]", path.GetPath().c_str(), false);
        event.error = CError(1, text.GetString());
    } else {
        auto project = std::make_unique<CProject>(userProject);
        bool loaded = true;
        if (path.Exists()) {
            CError error = project->Load(path);
            if (error.IsError()) {
                CText text(IDS_PROJECT_OPEN_FAILED);
                text.Replace("[FILEPATH]", path.GetPath().c_str(), false);
                text.Replace("[ERROR]", error.GetText().c_str(), false);
                // The load's own code: a file in use or damaged is no missing file.
                event.error = CError(error.GetCode(), text.GetString());
                loaded = false;
            }
        }
        if (loaded) {
            event.project = project.release();
            event.ok = true;
            Add(event.project);
            if (mode == kOpenAndSwitch) {
                SetCurrent(event.project);
            }
        }
    }
    CSignal<CProjectsAddedEvent>::Emit(event);
    return event.ok ? event.project : nullptr;
}

CProject* CProjects::OpenPath(const std::string& path, int mode, bool mustExist) {
    return Open(CFilePath(path), mode, mustExist);
}

CProject* CProjects::CreateNew() {
    CProject* project = new CProject(true);
    Add(project);
    CProjectsAddedEvent event(project, true, true, project->GetFilePath(false), CError());
    CSignal<CProjectsAddedEvent>::Emit(event);
    return project;
}

bool CProjects::MayCloseAll(EExitReason reason) {
    // A listener may close or rename projects while it is asked: walk a snapshot and skip
    // what has left meanwhile.
    std::vector<CProject*> projects;
    for (const auto& entry : m_byName) {
        projects.push_back(entry.second);
    }
    for (CProject* project : projects) {
        if (!Contains(project)) {
            continue;
        }
        CProjectsMayCloseEvent event(project, reason);
        if (!CSignal<CProjectsMayCloseEvent>::Emit(event)) {
            return false;
        }
    }
    return true;
}

bool CProjects::Close(CProject* project, bool force) {
    if (project == nullptr) {
        return true;
    }
    if (FindInPathIndex(project->GetFilePath(false).GetLowerCasePath(), project) ==
        m_byPath.end()) {
        throw InternalError(IDS_INTERNAL_PROJECTS_CLOSE);
    }
    if (!force) {
        CProjectsMayCloseEvent event(project, EExitReason::CloseProject);
        if (!CSignal<CProjectsMayCloseEvent>::Emit(event)) {
            return false;
        }
    }
    // A listener may have saved the project to a new location: look its path up again.
    auto pathEntry = FindInPathIndex(project->GetFilePath(false).GetLowerCasePath(), project);
    if (pathEntry == m_byPath.end()) {
        throw InternalError(IDS_INTERNAL_PROJECTS_CLOSE);
    }
    const bool wasCurrent = project == m_current;
    CProject* successor = nullptr;
    if (wasCurrent) {
        successor = GetNext(project, false, false);
        if (successor == nullptr) {
            successor = GetPrevious(project, false, false);
        }
    }
    RemoveFromIndexes(project, pathEntry);
    std::unique_ptr<CProject> closing(project);
    CProjectsClosedEvent event(project);
    CSignal<CProjectsClosedEvent>::Emit(event);
    if (wasCurrent) {
        SetCurrent(successor);
    }
    return true;
}

void CProjects::CloseAll() {
    CProject* current = m_current;
    std::unique_ptr<CProject> keepCurrent;
    while (!m_byPath.empty()) {
        CProject* project = m_byPath.begin()->second;
        RemoveFromIndexes(project, m_byPath.begin());
        std::unique_ptr<CProject> closing(project);
        if (project == current) {
            keepCurrent = std::move(closing);
        }
        CProjectsClosedEvent event(project);
        CSignal<CProjectsClosedEvent>::Emit(event);
    }
    SetCurrent(nullptr);
}

bool CProjects::OnProjectFilePathChange(CProjectFilePathChangedEvent& event) {
    auto entry = FindInPathIndex(event.oldPath.GetLowerCasePath(), event.project);
    if (entry == m_byPath.end()) {
        throw InternalError(IDS_INTERNAL_PROJECTS_PATH_CHANGE);
    }
    m_byPath.erase(entry);
    m_byPath.emplace(event.project->GetFilePath(false).GetLowerCasePath(), event.project);
    return true;
}

bool CProjects::OnProjectModified(CProjectModifiedEvent& event) {
    if (event.parts.HasAny(ppName)) {
        auto entry = FindInNameIndex(event.project);
        if (entry != m_byName.end()) {
            m_byName.erase(entry);
            m_byName.emplace(event.project->GetState(true)->GetName(), event.project);
        }
    }
    return true;
}

void CProjects::Add(CProject* project) {
    m_byPath.emplace(project->GetFilePath(false).GetLowerCasePath(), project);
    m_byName.emplace(project->GetState(false)->GetName(), project);
    CSlot<CProjectFilePathChangedEvent>::Connect(project);
    CSlot<CProjectModifiedEvent>::Connect(project);
}

CProjects::CIndex::iterator CProjects::FindInPathIndex(const std::string& key,
                                                       const CProject* project) {
    auto range = m_byPath.equal_range(key);
    for (auto entry = range.first; entry != range.second; ++entry) {
        if (entry->second == project) {
            return entry;
        }
    }
    return m_byPath.end();
}

CProjects::CIndex::const_iterator CProjects::FindInNameIndex(const CProject* project) const {
    // By pointer over the whole index: the key is the name the project had when it was
    // last filed, which a caller cannot know.
    for (auto entry = m_byName.begin(); entry != m_byName.end(); ++entry) {
        if (entry->second == project) {
            return entry;
        }
    }
    return m_byName.end();
}

void CProjects::RemoveFromIndexes(CProject* project, CIndex::iterator pathEntry) {
    m_byPath.erase(pathEntry);
    auto nameEntry = FindInNameIndex(project);
    if (nameEntry != m_byName.end()) {
        m_byName.erase(nameEntry);
    }
    Unlink(project);
}

void CProjects::Unlink(CProject* project) {
    CSlot<CProjectFilePathChangedEvent>::Disconnect(project);
    CSlot<CProjectModifiedEvent>::Disconnect(project);
}
