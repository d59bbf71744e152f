// The tip of the day, about and statistics dialogs on a real display: every visible control
// inside the window and on no other (group boxes hold theirs), the pictures at their own
// size; a picture of each is kept for people to look at.

#include "../info/InfoFixture.h"

#include "dialogs/CAboutDlg.h"
#include "dialogs/CProjectStatsDlg.h"
#include "dialogs/CTipDlg.h"
#include "harness/WindowPicture.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"

#include <string>
#include <vector>

using harness::CUiScript;

namespace {

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    RECT both = {};
    return IntersectRect(&both, &inner, &outer) && EqualRect(&both, &inner);
}

bool IsGroupBox(HWND control) {
    char name[16] = "";
    GetClassNameA(control, name, sizeof(name));
    return lstrcmpiA(name, "Button") == 0 &&
           (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// What is wrong with the layout, one line per fault; empty when nothing is.
std::string CheckLayout(HWND dialog) {
    std::string faults;
    RECT client = {};
    GetClientRect(dialog, &client);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            shown.push_back(child);
        }
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        const RECT rect = ClientRectOf(dialog, shown[i]);
        const std::string name = std::to_string(GetDlgCtrlID(shown[i]));
        faults += Inside(rect, client) ? "" : name + " outside the client area\n";
        for (size_t j = 0; j < i; ++j) {
            const RECT other = ClientRectOf(dialog, shown[j]);
            RECT overlap = {};
            if (IntersectRect(&overlap, &rect, &other) &&
                !(IsGroupBox(shown[i]) && Inside(other, rect)) &&
                !(IsGroupBox(shown[j]) && Inside(rect, other))) {
                faults += name + " overlaps " + std::to_string(GetDlgCtrlID(shown[j])) + "\n";
            }
        }
    }
    return faults;
}

class InfoPictureTest : public infotest::CInfoFixture {
protected:
    // Runs the dialog, checks its layout and keeps its picture in the working folder.
    std::string Check(CDialogWindow& dialog, int dialogId, const std::string& picture) {
        CUiScript script;
        std::string layout;
        char folder[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, folder);
        const std::string path = std::string(folder) + "\\" + picture;
        script.Do([&] {
            layout = CheckLayout(dialog.GetHwnd());
            EXPECT_TRUE(harness::SaveWindowPicture(dialog.GetHwnd(), path)) << path;
            PostMessageA(dialog.GetHwnd(), WM_CLOSE, 0, 0);
        });
        Run(script, dialog, dialogId);
        return layout;
    }
};

TEST_F(InfoPictureTest, TipOfTheDayOnItsLongestTip) {
    m_app->GetSetTips().GetTipIndex() = 11;
    CTipDlg dialog;
    EXPECT_EQ(Check(dialog, IDD_TIP, "tip-of-the-day.bmp"), "");
}

TEST_F(InfoPictureTest, AboutBoxAroundItsPicture) {
    CAboutDlg dialog;
    EXPECT_EQ(Check(dialog, IDD_ABOUT, "about.bmp"), "");
}

TEST_F(InfoPictureTest, StatisticsWithLongNamesWhileWorking) {
    CProject* project = m_app->GetProjects().CreateNew();
    CProjectState* state = project->GetState();
    state->SetName("A project with a name far too long to fit on the line beside its label");
    CActivity* activity = new CActivity(state, "An activity whose path is also long", true);
    state->GetRootActivity()->AddChildActivity(activity, -1);
    CActivity* child = new CActivity(state, "and goes on for quite a while more", true);
    activity->AddChildActivity(child, -1);
    const double now = CDateTime::Now(true).GetValue();
    child->GetTallymarks().Add(new CTallymark(child, CDateTime(now - 40.0), CDateTime(now - 39.5)));
    ASSERT_TRUE(m_app->GetProjects().StartWorking(project, child));
    CProjectStatsDlg dialog(project);
    EXPECT_EQ(Check(dialog, IDD_PROJECT_STATS, "project-statistics.bmp"), "");
}

} // namespace
