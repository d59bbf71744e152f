// The manage activities dialog opened from the main window's menu: a renamed ancestor of
// the activity that work runs on shows in the window and in its questions at once.

#include "mainwindow/fullwindow/MainWindowFixture.h"

#include "dialogs/DialogRegistry.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

using harness::CUiScript;
using mainwindowtest::CMainWindowFixture;

namespace {

const char kCaption[] = "Tallymarks - Manage activities";

class ActivitiesWindowTest : public CMainWindowFixture {
protected:
    ActivitiesWindowTest() { RegisterManageActivitiesDialogs(); }
    ~ActivitiesWindowTest() override { CDialogLauncher::Clear(); }
};

TEST_F(ActivitiesWindowTest, RenamedAncestorShowsInTheWorkingTextAndQuestionsAtOnce) {
    const std::string path =
        MakeProject("Work.wkp", "Work", {{"Dev", -1, 1}, {"Code", 0, 2}, {"Test", 0, 0}});
    CUiScript script;
    std::string before, after;
    script.WaitFor(WindowShown())
        .Do([&] {
            CProjects& projects = App().GetProjects();
            CActivity* code = projects.GetCurrentProject()
                                  ->GetState()
                                  ->GetRootActivity()
                                  ->GetFirstChild()
                                  ->GetFirstChild();
            EXPECT_TRUE(projects.StartWorking(nullptr, code));
            before = harness::GetItemText(Hwnd(), IDC_MAIN_WORKING_ON);
            Command(IDM_ACTIVITIES_MANAGE);
        })
        // The list reports its first focused row a moment after the dialog shows (its
        // notifications are coalesced), and only then can Rename start.
        .WaitFor([] {
            HWND dialog = harness::FindThreadWindow(kCaption);
            return dialog != nullptr &&
                   IsWindowEnabled(GetDlgItem(dialog, IDC_ACTIVITIES_RENAME)) != FALSE;
        })
        .Do([] {
            harness::RenameFocusedRow(harness::FindThreadWindow(kCaption), IDC_ACTIVITIES_RENAME,
                                      IDC_ACTIVITIES_LIST, "Design");
        })
        .Do([] { harness::Click(harness::FindThreadWindow(kCaption), IDC_ACTIVITIES_OK); })
        .Do([&] {
            after = harness::GetItemText(Hwnd(), IDC_MAIN_WORKING_ON);
            PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
        })
        .AnswerMessageBox(IDYES, "You are still working on Work\\Design\\Code")
        .AnswerMessageBox(IDNO, "The project Work has unsaved changes");
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(before, "Dev\\Code");
    EXPECT_EQ(after, "Design\\Code");
}

} // namespace
