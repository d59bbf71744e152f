#include "app/tray/CNotAreaImpl.h"

#include "app/services/IMainWindow.h"
#include "app/tray/STrayMenuItem.h"
#include "app/ui/SharedPictures.h"
#include "app/ui/TextHelpers.h"
#include "library/controls/CPopupMenuEntry.h"
#include "library/text/CText.h"
#include "model/ActivityBooking.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <cstddef>
#include <string>
#include <vector>

namespace {

// Compares addresses only: activity may have been deleted since the menu was built.
bool TreeHolds(const CActivity* root, const CActivity* activity) {
    for (const CActivity* node = root; node != nullptr; node = node->GetNextInSubtree(root)) {
        if (node == activity) {
            return true;
        }
    }
    return false;
}

} // namespace

CNotAreaImpl::CNotAreaImpl(CProjects& projects) : m_projects(projects) {}

CNotAreaImpl::~CNotAreaImpl() {
    m_icon.Remove();
}

bool CNotAreaImpl::Attach(HWND window) {
    m_messageWindow = window;
    return m_icon.SetParent(this);
}

bool CNotAreaImpl::ShowIcon(bool show) {
    return m_icon.SetVisible(show);
}

bool CNotAreaImpl::UpdateIcon() {
    EWorkingState state = EWorkingState::NoProject;
    unsigned int tip = IDS_TRAY_TIP_NO_PROJECT;
    if (m_projects.HasProjects()) {
        const bool working = m_projects.IsAnyWorking();
        state = working ? EWorkingState::Working : EWorkingState::NotWorking;
        tip = working ? IDS_TRAY_TIP_WORKING : IDS_TRAY_TIP_NOT_WORKING;
    }
    // Stored also while hidden, so that the icon appears with the right picture at once.
    return m_icon.SetIconAndTip(ApplicationIcons().Get(state, EIconSize::Small16),
                                CText(tip).GetString());
}

HWND CNotAreaImpl::GetWindow(int kind) {
    if (kind == kMessageWindow) {
        return m_messageWindow;
    }
    return m_mainWindow != nullptr ? m_mainWindow->GetMainWindowHandle() : nullptr;
}

void CNotAreaImpl::OnActiveChange(bool shown) {
    UpdateIcon();
    CNotIconActiveChangeEvent event(shown);
    CSignal<CNotIconActiveChangeEvent>::Emit(event);
}

void CNotAreaImpl::BuildPopupMenu(CPopupMenuEntry& root) {
    std::string show = CText(IDS_TRAY_SHOW).GetString();
    if (!m_hotKeyText.empty()) {
        show += '\t' + EscapeMenuText(m_hotKeyText);
    }
    root.AddItem(show, new STrayMenuItem(STrayMenuItem::kShow), true, false);
    root.AddItem(CText(IDS_TRAY_EXIT).GetString(), new STrayMenuItem(STrayMenuItem::kExit), true,
                 false);
    root.AddSeparator(CPopupMenuEntry::kSeparator);
    AddStopWorkingMenu(root);
    AddStartWorkingMenu(root);
}

void CNotAreaImpl::AddStopWorkingMenu(CPopupMenuEntry& root) {
    const std::string title = CText(IDS_TRAY_STOP_WORKING).GetString();
    const std::vector<CProject*> working = m_projects.GetWorkingProjects();
    if (working.empty()) {
        root.AddItem(title, nullptr, false, false);
        return;
    }
    CPopupMenuEntry* menu = root.AddSubMenu(title, true, false);
    for (CProject* project : working) {
        const CProjectState* state = project->GetState(false);
        const CActivity* running = state->GetCurrentActivity();
        const std::string text =
            EscapeMenuText(state->GetName()) + '\\' +
            EscapeMenuText(running != nullptr ? running->GetPath() : std::string());
        // Greyed while a dialog edits the project: its OK or Cancel decides the work.
        const bool changeable = CProjects::CanChangeWork(project);
        menu->AddItem(
            text, changeable ? new STrayMenuItem(STrayMenuItem::kStopWorking, project) : nullptr,
            changeable, true);
    }
}

void CNotAreaImpl::AddStartWorkingMenu(CPopupMenuEntry& root) {
    const std::string title = CText(IDS_TRAY_START_WORKING).GetString();
    // Projects opened to import from or export to are not the user's: never offered.
    std::vector<CProject*> projects;
    for (size_t index = 0; index < m_projects.GetNumProjects(); ++index) {
        CProject* project = m_projects.GetProject(index);
        if (project->IsUserProject()) {
            projects.push_back(project);
        }
    }
    if (projects.empty()) {
        root.AddItem(title, nullptr, false, false);
        return;
    }
    CPopupMenuEntry* menu = root.AddSubMenu(title, true, false);
    for (CProject* project : projects) {
        const CProjectState* state = project->GetState(false);
        const CActivity* running = state->GetCurrentActivity();
        const bool changeable = CProjects::CanChangeWork(project);
        CPopupMenuEntry* projectMenu =
            menu->AddSubMenu(EscapeMenuText(state->GetName()), true, running != nullptr);
        bool any = false;
        CActivity* tree = state->GetRootActivity();
        for (CActivity* activity = tree->GetNextInSubtree(tree); activity != nullptr;
             activity = activity->GetNextInSubtree(tree)) {
            if (!IsBookable(activity)) {
                continue;
            }
            projectMenu->AddItem(
                EscapeMenuText(activity->GetPath()),
                changeable ? new STrayMenuItem(STrayMenuItem::kStartWorking, project, activity)
                           : nullptr,
                changeable, activity == running);
            any = true;
        }
        if (!any) {
            projectMenu->AddItem(CText(IDS_TRAY_NO_ENABLED_ACTIVITIES).GetString(), nullptr, false,
                                 false);
        }
    }
}

bool CNotAreaImpl::HasActivity(const CProject* project, const CActivity* activity) {
    return TreeHolds(project->GetState(false)->GetRootActivity(), activity);
}

bool CNotAreaImpl::OnMenuItem(SPopupMenuEntryData* data) {
    const STrayMenuItem* item = dynamic_cast<const STrayMenuItem*>(data);
    if (item == nullptr) {
        return false;
    }
    switch (item->kind) {
    case STrayMenuItem::kShow:
        return ShowIcon(false);
    case STrayMenuItem::kExit:
        return m_mainWindow != nullptr && m_mainWindow->Exit(EExitReason::Exit);
    case STrayMenuItem::kStopWorking: {
        // Messages are handled while the menu is open: the project may have closed since.
        CProject* project =
            item->project != nullptr ? item->project : m_projects.GetCurrentProject();
        return m_projects.Contains(project) && m_projects.StopWorking(project);
    }
    case STrayMenuItem::kStartWorking:
        return m_projects.Contains(item->project) && item->activity != nullptr &&
               HasActivity(item->project, item->activity) &&
               m_projects.StartWorking(item->project, item->activity);
    }
    return false;
}
