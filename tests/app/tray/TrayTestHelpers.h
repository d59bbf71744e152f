#pragma once

// What the tray tests share: a main window to hide and to exit, a record of the icon's
// appearances, a readable form of a built menu and a project builder.

#include "app/services/IMainWindow.h"
#include "app/tray/CNotIconActiveChangeEvent.h"
#include "app/tray/STrayMenuItem.h"
#include "library/controls/CPopupMenuEntry.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/dialogs/CModalScope.h"
#include "library/events/CSlot.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace traytest {

// A top-level window standing for the running main window, hidden until Show (under X
// every window shown costs Wine a wait for the server); Exit records its reasons and
// answers exitAnswer, ShowDialog records the kinds asked for. Its dialog object is never
// created: the tray reaches the window through its handle.
class CFakeMainWindow : public IMainWindow {
public:
    CFakeMainWindow() {
        m_window = CreateWindowExA(0, "STATIC", "Main window", WS_POPUP, 60, 60, 240, 120, nullptr,
                                   nullptr, nullptr, nullptr);
    }
    CFakeMainWindow(const CFakeMainWindow&) = delete;
    CFakeMainWindow& operator=(const CFakeMainWindow&) = delete;
    virtual ~CFakeMainWindow() { DestroyWindow(m_window); }

    CDialogWindow& GetDialogWindow() override { return m_dialog; }
    HWND GetMainWindowHandle() const override { return m_window; }
    void Activate() override { ++activations; }
    bool Exit(EExitReason reason) override {
        exitReasons.push_back(reason);
        exitsDuringAMoment.push_back(CModalScope::IsActive());
        return exitAnswer;
    }
    void StorePlacement() override { ++placementsStored; }
    void ShowDialog(EDialogKind kind) override { dialogsShown.push_back(kind); }
    void Show() { ShowWindow(m_window, SW_SHOW); }
    bool IsShown() const { return IsWindowVisible(m_window) != FALSE; }

    bool exitAnswer = true;
    std::vector<EExitReason> exitReasons;
    // For each exit: whether a modal moment ran when it was asked.
    std::vector<bool> exitsDuringAMoment;
    int activations = 0;
    int placementsStored = 0;
    std::vector<EDialogKind> dialogsShown;

private:
    CDialogWindow m_dialog;
    HWND m_window = nullptr;
};

// Every CNotIconActiveChangeEvent heard, in order.
class CActiveChangeLog : public CSlot<CNotIconActiveChangeEvent> {
public:
    std::vector<bool> shown;

protected:
    bool OnEvent(CNotIconActiveChangeEvent& event) override {
        shown.push_back(event.shown);
        return true;
    }
};

inline const STrayMenuItem* ItemOf(const CPopupMenuEntry* entry) {
    return entry != nullptr ? dynamic_cast<const STrayMenuItem*>(entry->GetData()) : nullptr;
}

// One line per entry, indented by two spaces per submenu level: "----" for a separator,
// "> " before a submenu's text, then " #kind @project name:activity path" for an entry
// with a tray item, " (grey)" when disabled and " (check)" when checked.
inline void DescribeMenu(const CPopupMenuEntry& menu, int depth, std::vector<std::string>& lines) {
    for (const CPopupMenuEntry* entry = menu.GetFirstChild(); entry != nullptr;
         entry = entry->GetNextSibling()) {
        std::string line(static_cast<size_t>(depth) * 2, ' ');
        if (entry->GetKind() == CPopupMenuEntry::kSeparatorOrBreak) {
            lines.push_back(line + "----");
            continue;
        }
        line += (entry->GetKind() == CPopupMenuEntry::kSubMenu ? "> " : "") + entry->GetText();
        if (const STrayMenuItem* item = ItemOf(entry)) {
            line += " #" + std::to_string(item->kind);
            if (item->project != nullptr) {
                line += " @" + item->project->GetState(false)->GetName();
            }
            if (item->activity != nullptr) {
                line += ":" + item->activity->GetPath();
            }
        } else if (entry->GetData() != nullptr) {
            line += " #?";
        }
        line += entry->IsEnabled() ? "" : " (grey)";
        line += entry->IsChecked() ? " (check)" : "";
        lines.push_back(line);
        DescribeMenu(*entry, depth + 1, lines);
    }
}

inline std::vector<std::string> DescribeMenu(const CPopupMenuEntry& root) {
    std::vector<std::string> lines;
    DescribeMenu(root, 0, lines);
    return lines;
}

// The entry reached by following texts from menu; null when some text is missing.
inline const CPopupMenuEntry* FindEntry(const CPopupMenuEntry& menu,
                                        std::initializer_list<std::string> texts) {
    const CPopupMenuEntry* found = &menu;
    for (const std::string& text : texts) {
        const CPopupMenuEntry* entry = found->GetFirstChild();
        while (entry != nullptr && entry->GetText() != text) {
            entry = entry->GetNextSibling();
        }
        if (entry == nullptr) {
            return nullptr;
        }
        found = entry;
    }
    return found;
}

// A new user project in projects, named name.
inline CProject* AddProject(CProjects& projects, const std::string& name) {
    CProject* project = projects.CreateNew();
    project->GetState(false)->SetName(name);
    return project;
}

// A new activity appended to parent, or to the root of project's committed state.
inline CActivity* AddActivity(CProject* project, const std::string& name, bool enabled,
                              CActivity* parent = nullptr) {
    CProjectState* state = project->GetState(false);
    CActivity* activity = new CActivity(state, name, enabled);
    (parent != nullptr ? parent : state->GetRootActivity())->AddChildActivity(activity, -1);
    return activity;
}

} // namespace traytest
