#pragma once

// The application object on a folder of its own with one open project, labelled tally
// marks, and readers of what the manage and move dialogs show.

#include "app/main/CAppMain.h"
#include "app/ui/SharedPictures.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "library/system/CScratchFolder.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tracestest {

// A day in 2023 (UTC) and an hour, for readable dates.
const double kDay = 45000.0;
const double kHour = 1.0 / 24.0;

class CTracesFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES |
                                                               ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        LoadIconsAndImageLists(GetModuleHandleA(nullptr));
    }

    CTracesFixture() {
        m_folder.Write("InstallSettings.ini", "[Settings]\r\nPortableInstall=y\r\n");
        SAppOptions options;
        options.programFolder = m_folder.Path();
        options.mutexName.clear();
        m_app = std::make_unique<CAppMain>(options);
        m_project = m_app->GetProjects().CreateNew();
    }
    ~CTracesFixture() override { m_app.reset(); }

    CProjectState* State() const { return m_project->GetState(); }

    // One line per activity, indented by one blank a level; "-" marks a disabled one.
    void Build(std::initializer_list<const char*> lines) {
        std::vector<CActivity*> parents = {State()->GetRootActivity()};
        for (const std::string line : lines) {
            const size_t depth = line.find_first_not_of(' ');
            const bool enabled = line[depth] != '-';
            const std::string name = line.substr(enabled ? depth : depth + 1);
            CActivity* activity = new CActivity(State(), name, enabled);
            parents.resize(depth + 1);
            parents[depth]->AddChildActivity(activity, -1);
            parents.push_back(activity);
            m_a[name] = activity;
        }
    }
    // A tally mark on the activity from start to end hours after kDay (open without end).
    CTallymark* Add(const std::string& label, const std::string& activity, double start,
                    double end = -1.0) {
        CActivity* target = m_a.at(activity);
        CTallymark* tallymark = end < 0.0 ? new CTallymark(target, CDateTime(kDay + start * kHour))
                                          : new CTallymark(target, CDateTime(kDay + start * kHour),
                                                           CDateTime(kDay + end * kHour));
        target->GetTallymarks().Add(tallymark);
        m_labels[Key(tallymark)] = label;
        return tallymark;
    }

    // A tally mark's start and end, by which its copies are known.
    static std::pair<double, double> Key(const CTallymark* tallymark) {
        return {tallymark->GetStart().GetValue(), tallymark->GetEnd(false).GetValue()};
    }
    // The labels of the tally marks of list id's rows (found by their dates: the dialogs show
    // the edit copy's tally marks), in row order, each followed by a blank; "?" for a start
    // that no label has. With onlyState, only the rows in that state.
    std::string Rows(HWND dialog, int id, UINT onlyState = 0) const {
        HWND list = GetDlgItem(dialog, id);
        std::string labels;
        const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row) {
            if (onlyState != 0 &&
                (SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), onlyState) &
                 onlyState) == 0) {
                continue;
            }
            LVITEMA item = {};
            item.mask = LVIF_PARAM;
            item.iItem = row;
            SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            const auto label = m_labels.find(Key(reinterpret_cast<CTallymark*>(item.lParam)));
            labels += (label != m_labels.end() ? label->second : std::string("?")) + " ";
        }
        return labels;
    }

    // Gives the rows the state (LVIS_SELECTED, LVIS_FOCUSED) as a user's clicks would.
    static void SetRowsState(HWND dialog, int id, std::initializer_list<int> rows, UINT state) {
        HWND list = GetDlgItem(dialog, id);
        LVITEMA clear = {};
        clear.stateMask = state;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&clear));
        for (int row : rows) {
            LVITEMA set = {};
            set.state = state;
            set.stateMask = state;
            SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&set));
        }
    }

    CScratchFolder m_folder;
    std::unique_ptr<CAppMain> m_app;
    CProject* m_project = nullptr;
    std::map<std::string, CActivity*> m_a;
    std::map<std::pair<double, double>, std::string> m_labels;
};

} // namespace tracestest
