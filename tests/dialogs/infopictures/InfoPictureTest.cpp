// The tip of the day, about and statistics dialogs on a real display: every visible control
// inside the window and on no other (group boxes hold theirs), the pictures included at
// their real size; a picture of each is kept for people to look at.

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

#include <functional>
#include <string>
#include <vector>

using harness::CUiScript;
using infotest::CInfoFixture;

namespace {

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool IsGroupBox(HWND control) {
    char name[32] = "";
    GetClassNameA(control, name, sizeof(name));
    return lstrcmpiA(name, "Button") == 0 &&
           (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

std::string Name(HWND control) {
    char text[64] = "";
    GetWindowTextA(control, text, sizeof(text));
    return std::to_string(GetDlgCtrlID(control)) + " \"" + text + "\"";
}

// What is wrong with the layout, one line per fault; empty when nothing is.
std::string CheckLayout(HWND dialog) {
    std::string faults;
    RECT client = {};
    GetClientRect(dialog, &client);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            shown.push_back(child);
        }
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        const RECT rect = ClientRectOf(dialog, shown[i]);
        if (!Inside(rect, client)) {
            faults += Name(shown[i]) + " outside the client area\n";
        }
        for (size_t j = 0; j < i; ++j) {
            const RECT other = ClientRectOf(dialog, shown[j]);
            RECT overlap = {};
            if (!IntersectRect(&overlap, &rect, &other)) {
                continue;
            }
            const bool held = (IsGroupBox(shown[i]) && Inside(other, rect)) ||
                              (IsGroupBox(shown[j]) && Inside(rect, other));
            if (!held) {
                faults += Name(shown[i]) + " overlaps " + Name(shown[j]) + "\n";
            }
        }
    }
    return faults;
}

std::string PicturePath(const char* name) {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder) + "\\" + name;
}

class InfoPictureTest : public CInfoFixture {
protected:
    // Runs the dialog, checks its layout once prepare has run, keeps its picture.
    void Check(CDialogWindow& dialog, int dialogId, const char* picture,
               const std::function<void(HWND)>& prepare = nullptr) {
        CUiScript script;
        std::string layout;
        const std::string path = PicturePath(picture);
        script
            .Do([&] {
                if (prepare) {
                    prepare(dialog.GetHwnd());
                }
            })
            .Do([&] {
                HWND window = dialog.GetHwnd();
                layout = CheckLayout(window);
                harness::SaveWindowPicture(window, path);
                PostMessageA(window, WM_CLOSE, 0, 0);
            });
        Run(script, dialog, dialogId);
        EXPECT_EQ(layout, "") << picture;
        EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
    }
};

TEST_F(InfoPictureTest, TipOfTheDayLaysOutCleanlyOnItsLongestTip) {
    // The display options tip has the longest text.
    m_app->GetSetTips().GetTipIndex() = 11;
    CTipDlg dialog;
    Check(dialog, IDD_TIP, "tip-of-the-day.bmp");
}

TEST_F(InfoPictureTest, AboutBoxLaysOutCleanlyAroundItsPicture) {
    CAboutDlg dialog;
    Check(dialog, IDD_ABOUT, "about.bmp", [](HWND window) {
        // The picture is shown at its own size, not the template's.
        RECT picture = {};
        GetWindowRect(GetDlgItem(window, IDC_ABOUT_PICTURE), &picture);
        EXPECT_GE(picture.right - picture.left, 400);
        EXPECT_GE(picture.bottom - picture.top, 100);
    });
}

TEST_F(InfoPictureTest, StatisticsLayOutCleanlyWithLongNames) {
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
    Check(dialog, IDD_PROJECT_STATS, "project-statistics.bmp");
}

} // namespace
