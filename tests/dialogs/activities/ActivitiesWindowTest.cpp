// The manage activities dialog opened from the main window's menu: a renamed ancestor of
// the activity that work runs on shows in the window and in its questions at once, and an
// inactivity detected meanwhile waits for the dialog's edit to end.

#include "mainwindow/fullwindow/MainWindowFixture.h"

#include "app/services/CInactiveEvent.h"

#include "dialogs/DialogRegistry.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/CTallymarks.h"
#include "resources/ResourceIds.h"

#include <cmath>
#include <string>
#include <vector>

using harness::CUiScript;
using harness::FindThreadWindow;
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

const char kInactivityCaption[] = "Tallymarks - Detected computer inactivity";
const double kMinute = 1.0 / 1440.0;

// An inactivity detected while the dialog edits the working project: the inactivity dialog
// waits until the dialog has ended its edit, whichever way, and then books on the tally
// mark that runs, with its choices on the activity worked on. Work on Dev began an hour
// ago, the last input was twenty minutes ago; the dialog moves Dev down (below Admin) or
// renames it and ends with OK or Cancel; the inactive period stays on the activity worked
// on ("include" on its own choice).
TEST_F(ActivitiesWindowTest, InactivityMeanwhileWaitsForTheEditAndBooksOnTheActivityWorked) {
    const struct {
        const char* name;
        bool rename;
        int button;
        std::vector<std::string> records;
    } cases[] = {
        {"moved, cancelled", false, IDCANCEL, {"Dev: -60 0"}},
        {"moved, committed", false, IDC_ACTIVITIES_OK, {"Dev: -60 0"}},
        {"renamed, committed", true, IDC_ACTIVITIES_OK, {"Design: -60 0"}},
    };
    RegisterExchangeDialogs(); // the inactivity dialog
    for (const auto& c : cases) {
        StartApp();
        const std::string path =
            MakeProject("Work.wkp", "Work", {{"Dev", -1, 0}, {"Admin", -1, 0}, {"Test", -1, 0}});
        CUiScript script;
        bool postponed = false, mainEnabledUnder = true;
        std::string workedOn;
        std::vector<std::string> records;
        CProject* project = nullptr;
        script.WaitFor(WindowShown())
            .Do([&] {
                project = App().GetProjects().GetCurrentProject();
                CProjectState* state = project->GetState();
                ASSERT_TRUE(App().GetProjects().StartWorking(
                    project, state->GetRootActivity()->GetFirstChild()));
                state->GetCurrentTallymark()->SetStart(
                    CDateTime(CDateTime::Now(true).GetValue() - 60 * kMinute));
                Command(IDM_ACTIVITIES_MANAGE);
            })
            .WaitFor([] {
                HWND dialog = FindThreadWindow(kCaption);
                return dialog != nullptr && harness::IsItemEnabled(dialog, IDC_ACTIVITIES_RENAME);
            })
            .Do([&] {
                CInactiveEvent inactive(
                    SClockReading{CDateTime(CDateTime::Now(true).GetValue() - 20 * kMinute)},
                    false);
                App().GetInactivityDetector().Emit(inactive);
                postponed = FindThreadWindow(kInactivityCaption) == nullptr;
                HWND dialog = FindThreadWindow(kCaption);
                if (c.rename) {
                    harness::RenameFocusedRow(dialog, IDC_ACTIVITIES_RENAME, IDC_ACTIVITIES_LIST,
                                              "Design");
                } else {
                    harness::Click(dialog, IDC_ACTIVITIES_MOVE_DOWN);
                }
                harness::Click(dialog, c.button);
            })
            .WaitFor([] {
                HWND dialog = FindThreadWindow(kInactivityCaption);
                return dialog != nullptr && IsWindowVisible(dialog) &&
                       FindThreadWindow(kCaption) == nullptr;
            })
            .Do([&] {
                HWND dialog = FindThreadWindow(kInactivityCaption);
                mainEnabledUnder = IsWindowEnabled(Hwnd()) != FALSE;
                workedOn = harness::GetItemText(dialog, IDC_INACTIVITY_ACTIVITY);
                harness::Click(dialog, IDC_INACTIVITY_INCLUDE);
                ASSERT_TRUE(harness::IsItemEnabled(dialog, IDC_INACTIVITY_OK));
                harness::Click(dialog, IDC_INACTIVITY_OK);
            })
            .WaitFor([] { return FindThreadWindow(kInactivityCaption) == nullptr; })
            .Do([&] {
                // "activity: start end" in whole minutes from now, tree order.
                const double now = CDateTime::Now(true).GetValue();
                const auto minutes = [now](const CDateTime& date) {
                    return std::to_string(std::lround((date.GetValue() - now) / kMinute));
                };
                CActivity* root = project->GetState()->GetRootActivity();
                for (CActivity* a = root->GetFirstChild(); a != nullptr; a = a->GetNextSibling()) {
                    for (const CTallymark* mark = a->GetTallymarks().GetFirst(); mark != nullptr;
                         mark = a->GetTallymarks().GetNext()) {
                        records.push_back(a->GetName() + ": " + minutes(mark->GetStart()) + " " +
                                          (mark->IsOpen() ? "open" : minutes(mark->GetEnd(false))));
                    }
                }
                PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
            })
            .AnswerMessageBox(IDNO, "unsaved changes");
        EXPECT_EQ(Run(script, path), 0) << c.name;
        EXPECT_TRUE(postponed) << c.name;
        EXPECT_FALSE(mainEnabledUnder) << c.name;
        EXPECT_EQ(workedOn, c.rename ? "Design" : "Dev") << c.name;
        EXPECT_EQ(records, c.records) << c.name;
    }
}

} // namespace
