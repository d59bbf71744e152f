// The manage activities and choose project dialogs on a real display, with a size grip:
// every control inside the window and on no other, the activity columns filling the list
// without a horizontal scroll bar, at the template's size and stretched; a picture of each
// is kept for people to look at.

#include "app/main/CAppMain.h"
#include "app/ui/SharedPictures.h"
#include "dialogs/CActivitiesDlg.h"
#include "dialogs/CChooseProjectDlg.h"
#include "harness/CUiScript.h"
#include "harness/WindowPicture.h"
#include "library/system/CScratchFolder.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// What is wrong with the layout, one line per fault; empty when nothing is.
std::string CheckLayout(HWND dialog) {
    std::string faults;
    RECT client = {};
    GetClientRect(dialog, &client);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        const RECT rect = ClientRectOf(dialog, child);
        const std::string name = std::to_string(GetDlgCtrlID(child));
        RECT inside = {};
        if (!IntersectRect(&inside, &rect, &client) || !EqualRect(&inside, &rect)) {
            faults += name + " outside the client area\n";
        }
        for (HWND other : shown) {
            const RECT otherRect = ClientRectOf(dialog, other);
            if (IntersectRect(&inside, &rect, &otherRect)) {
                faults += name + " overlaps " + std::to_string(GetDlgCtrlID(other)) + "\n";
            }
        }
        shown.push_back(child);
    }
    return faults;
}

// The layout at the template's size and at one and a half times it, and a picture.
void CheckAndPicture(HWND dialog, const std::string& file, std::vector<std::string>& faults) {
    faults.push_back(CheckLayout(dialog));
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    EXPECT_TRUE(harness::SaveWindowPicture(dialog, std::string(folder) + "\\" + file));
    RECT window = {};
    GetWindowRect(dialog, &window);
    SetWindowPos(dialog, nullptr, 0, 0, (window.right - window.left) * 3 / 2,
                 (window.bottom - window.top) * 3 / 2, SWP_NOMOVE | SWP_NOZORDER);
    faults.push_back(CheckLayout(dialog));
}

class ActivitiesPictureTest : public ::testing::Test {
protected:
    ActivitiesPictureTest() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        LoadIconsAndImageLists(GetModuleHandleA(nullptr));
        SAppOptions options;
        options.programFolder = m_folder.Path();
        options.mutexName.clear();
        m_app = std::make_unique<CAppMain>(options);
        m_project = m_app->GetProjects().CreateNew();
        CProjectState* state = m_project->GetState();
        state->SetName("Kitchen renovation");
        CActivity* root = state->GetRootActivity();
        for (const char* name : {"Planning", "Demolition", "Plumbing and electrical work"}) {
            root->AddChildActivity(new CActivity(state, name, true), -1);
        }
        root->GetFirstChild()->AddChildActivity(new CActivity(state, "Quotes", true), -1);
        m_app->GetProjects().SetCurrent(m_project);
    }
    SDialogParams Params(int dialogId) {
        SDialogParams params;
        params.dialogId = dialogId;
        params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
        params.sizeGrip = true;
        return params;
    }

    CScratchFolder m_folder;
    std::unique_ptr<CAppMain> m_app;
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
    script.Run([&] { dialog.Create(Params(IDD_ACTIVITIES)); });
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
    script.Run([&] { dialog.Create(Params(IDD_CHOOSE_PROJECT)); });
    EXPECT_EQ(faults, std::vector<std::string>({"", ""}));
}

} // namespace
