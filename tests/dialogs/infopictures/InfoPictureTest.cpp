// The tip of the day, about and statistics dialogs on a real display: every visible control
// inside the window and on no other (group boxes hold theirs), the pictures at their own
// size; a picture of each is kept for people to look at.

#include "../info/InfoFixture.h"

#include "dialogs/CAboutDlg.h"
#include "dialogs/CProjectStatsDlg.h"
#include "dialogs/CTipDlg.h"
#include "harness/LayoutCheck.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"

#include <string>

using harness::CUiScript;

namespace {

class InfoPictureTest : public infotest::CInfoFixture {
protected:
    // Runs the dialog, checks its layout and keeps its picture in the working folder.
    std::string Check(CDialogWindow& dialog, int dialogId, const std::string& picture) {
        CUiScript script;
        std::string layout;
        script.Do([&] {
            // Group boxes hold the controls inside them; nothing else lies on another.
            layout = harness::CheckLayout(dialog.GetHwnd(), harness::GroupBoxRules());
            EXPECT_TRUE(harness::KeepPicture(dialog.GetHwnd(), picture)) << picture;
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
