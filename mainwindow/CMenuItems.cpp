// The state of the menu's items and its two lists: recent projects and open projects.

#include "mainwindow/CMenu.h"

#include "app/main/CAppMain.h"
#include "library/text/CText.h"
#include "mainwindow/CMainDlgBase.h"
#include "mainwindow/MenuRules.h"
#include "model/ActivityBooking.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <algorithm>
#include <string>

namespace {

// Positions in the menu bar and its submenus.
const int kProjectMenu = 0;
const int kRecentSubmenu = 2;
const int kWindowMenu = 5;
// The open projects follow "Previous", "Next" and a separator.
const int kFirstOpenProjectItem = 3;

// The parts whose changes a save writes: the " *" mark and the Save item follow them.
CBitmask<EProjectPart> UnsavedParts() {
    return ppName | ppActivities | ppTallymarks;
}

bool HasActivities(const CProjectState* state) {
    return state != nullptr && state->GetRootActivity() != nullptr &&
           state->GetRootActivity()->GetNumChildren() > 0;
}

void RemoveItemsFrom(HMENU menu, int first) {
    for (int count = GetMenuItemCount(menu); count > first; --count) {
        DeleteMenu(menu, static_cast<UINT>(first), MF_BYPOSITION);
    }
}

void AppendEntry(HMENU menu, int id, const std::string& label, bool checked) {
    AppendMenuA(menu, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(id),
                label.c_str());
}

void AppendPlaceholder(HMENU menu, unsigned int textId) {
    AppendMenuA(menu, MF_STRING | MF_GRAYED, IDM_PLACEHOLDER, CText(textId).GetCStr());
}

} // namespace

CProject* CMenu::CurrentProject() {
    return CAppMain::Get().GetProjects().GetCurrentProject();
}

CProjectState* CMenu::ShownState(CProject* project) const {
    if (project == nullptr) {
        return nullptr;
    }
    CProjectState* shown = m_window.GetCurrentState();
    if (m_window.GetCurrentProject() == project && shown != nullptr && project->HasState(shown)) {
        return shown;
    }
    return project->GetState(false);
}

SMenuFacts CMenu::GetFacts() const {
    CAppMain& app = CAppMain::Get();
    SMenuFacts facts;
    CProject* project = CurrentProject();
    if (project != nullptr) {
        facts.hasProject = true;
        facts.modified = project->IsModified(UnsavedParts());
        facts.committedHasActivities = HasActivities(project->GetState(false));
        const CProjectState* state = ShownState(project);
        facts.hasActivities = HasActivities(state);
        const CActivity* selected = state->GetSelectedActivity();
        facts.selectedEnabled = IsBookable(selected);
        facts.working = state->IsWorking();
    }
    facts.numProjects = app.GetProjects().GetNumProjects();
    facts.numRecent = app.GetSetRecentProjects().GetSize();
    facts.kind = m_kind;
    facts.displayKind = m_displayKind;
    facts.topMost = app.GetSetView().GetTopMost();
    facts.portable = m_portable;
    return facts;
}

void CMenu::UpdateItems() {
    if (m_menu == nullptr) {
        return;
    }
    // Every change of a project comes here: only items whose state differs from what the
    // menu shows are touched.
    const SMenuFacts facts = GetFacts();
    const std::vector<int>& ids = GetMenuCommandIds();
    m_itemStates.resize(ids.size(), kUnknownItemState);
    for (size_t i = 0; i < ids.size(); ++i) {
        const UINT id = static_cast<UINT>(ids[i]);
        const int state = (IsCommandEnabled(ids[i], facts) ? 1 : 0) |
                          (IsMenuCommandChecked(ids[i], facts) ? 2 : 0);
        if (state == m_itemStates[i]) {
            continue;
        }
        m_itemStates[i] = state;
        EnableMenuItem(m_menu, id, MF_BYCOMMAND | ((state & 1) != 0 ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(m_menu, id, MF_BYCOMMAND | ((state & 2) != 0 ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CMenu::RebuildRecentMenu() {
    if (m_menu == nullptr) {
        return;
    }
    HMENU recent = GetSubMenu(GetSubMenu(m_menu, kProjectMenu), kRecentSubmenu);
    if (recent == nullptr) {
        return;
    }
    RemoveItemsFrom(recent, 0);
    CAppMain& app = CAppMain::Get();
    const CSetRecentProjects& list = app.GetSetRecentProjects();
    const size_t count = std::min(list.GetSize(), kMaxMenuListEntries);
    if (count == 0) {
        AppendPlaceholder(recent, IDS_NO_RECENT_PROJECTS);
    }
    for (size_t i = 0; i < count; ++i) {
        const SProjectEntry& entry = list.GetEntry(i);
        AppendEntry(recent, IDM_RECENT_FIRST + static_cast<int>(i),
                    MakeRecentProjectLabel(i, entry.name, entry.filePath.GetPath()),
                    app.GetProjects().IsOpen(entry.filePath));
    }
    RedrawMenuBar();
}

void CMenu::RebuildWindowMenu() {
    m_listed.clear();
    if (m_menu == nullptr) {
        return;
    }
    HMENU windows = GetSubMenu(m_menu, kWindowMenu);
    if (windows == nullptr) {
        return;
    }
    const CProjects& projects = CAppMain::Get().GetProjects();
    for (size_t i = 0; i < projects.GetNumProjects(); ++i) {
        // A project opened to import from or export to is not the user's to switch to.
        if (projects.GetProject(i)->IsUserProject()) {
            m_listed.push_back(projects.GetProject(i));
        }
    }
    // A renamed project may be announced here before the set of projects files it under
    // its new name: the names themselves decide the order.
    std::stable_sort(m_listed.begin(), m_listed.end(), [](CProject* a, CProject* b) {
        return a->GetState(true)->GetName() < b->GetState(true)->GetName();
    });
    if (m_listed.size() > kMaxMenuListEntries) {
        m_listed.resize(kMaxMenuListEntries);
    }
    const std::string workingWord = CText(IDS_WORKING).GetString();
    CProject* current = CurrentProject();
    std::vector<std::pair<std::string, bool>> entries;
    for (size_t i = 0; i < m_listed.size(); ++i) {
        CProject* project = m_listed[i];
        const CProjectState* state =
            project == current ? ShownState(project) : project->GetState(false);
        entries.emplace_back(MakeOpenProjectLabel(i, state->GetName(),
                                                  project->IsModified(UnsavedParts()),
                                                  state->IsWorking(), workingWord),
                             project == current);
    }
    // The list is rebuilt on every change of a project; the menu only when it looks
    // different.
    if (m_windowEntriesShown && entries == m_windowEntries) {
        return;
    }
    m_windowEntries = entries;
    m_windowEntriesShown = true;
    RemoveItemsFrom(windows, kFirstOpenProjectItem);
    if (entries.empty()) {
        AppendPlaceholder(windows, IDS_NO_PROJECTS_OPEN);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        AppendEntry(windows, IDM_WINDOW_FIRST + static_cast<int>(i), entries[i].first,
                    entries[i].second);
    }
    RedrawMenuBar();
}

void CMenu::RedrawMenuBar() const {
    if (m_hwnd != nullptr) {
        DrawMenuBar(m_hwnd);
    }
}
