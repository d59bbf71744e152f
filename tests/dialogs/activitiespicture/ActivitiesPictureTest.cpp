// The manage activities and choose project dialogs on a real display, with a size grip:
// every control inside the window and on no other, the activity columns filling the list
// without a horizontal scroll bar, at the template's size and stretched; a picture of each
// is kept for people to look at.

#include "dialogs/CActivitiesDlg.h"
#include "dialogs/CChooseProjectDlg.h"
#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/LayoutCheck.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The layout at the template's size and at one and a half times it, and a picture.
void CheckAndPicture(HWND dialog, const std::string& file, std::vector<std::string>& faults) {
    faults.push_back(harness::CheckLayout(dialog));
    EXPECT_TRUE(harness::KeepPicture(dialog, file));
    RECT window = {};
    GetWindowRect(dialog, &window);
    SetWindowPos(dialog, nullptr, 0, 0, (window.right - window.left) * 3 / 2,
                 (window.bottom - window.top) * 3 / 2, SWP_NOMOVE | SWP_NOZORDER);
    faults.push_back(harness::CheckLayout(dialog));
}

class ActivitiesPictureTest : public harness::CDialogAppFixture {
protected:
    ActivitiesPictureTest() {
        StartApp(false);
        m_project = Projects().CreateNew();
        CProjectState* state = m_project->GetState();
        state->SetName("Kitchen renovation");
        CActivity* root = state->GetRootActivity();
        for (const char* name : {"Planning", "Demolition", "Plumbing and electrical work"}) {
            root->AddChildActivity(new CActivity(state, name, true), -1);
        }
        root->GetFirstChild()->AddChildActivity(new CActivity(state, "Quotes", true), -1);
        Projects().SetCurrent(m_project);
    }

    CProject* m_project = nullptr;
};

TEST_F(ActivitiesPictureTest, ManageActivitiesLaysOutCleanlyAtEverySize) {
    CActivitiesDlg dialog(m_project);
    std::vector<std::string> faults;
    int columns = 0, listWidth = 0;
    harness::CUiScript script;
    script.Do([&] {
        HWND list = GetDlgItem(dialog.GetHwnd(), IDC_ACTIVITIES_LIST);
        RECT client = {};
        GetClientRect(list, &client);
        listWidth = client.right;
        columns = ListView_GetColumnWidth(list, 0) + ListView_GetColumnWidth(list, 1);
        CheckAndPicture(dialog.GetHwnd(), "manage-activities.bmp", faults);
        dialog.Close();
    });
    harness::RunDialog(script, dialog, IDD_ACTIVITIES, true);
    EXPECT_EQ(faults, std::vector<std::string>({"", ""}));
    EXPECT_LE(columns, listWidth);
    EXPECT_GT(columns, listWidth * 3 / 4);
}

TEST_F(ActivitiesPictureTest, ChooseProjectLaysOutCleanlyAtEverySize) {
    CChooseProjectDlg dialog(true, true);
    std::vector<std::string> faults;
    harness::CUiScript script;
    script.Do([&] {
        CheckAndPicture(dialog.GetHwnd(), "choose-project.bmp", faults);
        dialog.Close();
    });
    harness::RunDialog(script, dialog, IDD_CHOOSE_PROJECT, true);
    EXPECT_EQ(faults, std::vector<std::string>({"", ""}));
}

} // namespace
