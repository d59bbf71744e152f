// An inactivity detected while the manage activities dialog edits the working project: the
// inactivity dialog waits until that dialog has ended its edit, whichever way, and then
// books on the tally mark that runs, with its choices on the activity worked on.

#include "mainwindow/fullwindow/MainWindowFixture.h"

#include "app/services/CInactiveEvent.h"
#include "dialogs/DialogRegistry.h"
#include "library/datetime/CDateTime.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/CTallymarks.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <cmath>
#include <string>
#include <vector>

using harness::CUiScript;
using harness::FindThreadWindow;
using mainwindowtest::CMainWindowFixture;

namespace {

const char kActivitiesCaption[] = "Tallymarks - Manage activities";
const char kInactivityCaption[] = "Tallymarks - Detected computer inactivity";
const double kMinute = 1.0 / 1440.0;

class InactivityOverEditWindowTest : public CMainWindowFixture {
protected:
    InactivityOverEditWindowTest() {
        RegisterManageActivitiesDialogs();
        RegisterExchangeDialogs();
    }
    ~InactivityOverEditWindowTest() override { CDialogLauncher::Clear(); }

    CProject* Project() { return App().GetProjects().GetCurrentProject(); }
    // "name: start-end" per tally mark of the committed state, in tree order; the times
    // in whole minutes from now, "open" for a running one.
    std::vector<std::string> Records() {
        std::vector<std::string> records;
        const double now = CDateTime::Now(true).GetValue();
        CActivity* root = Project()->GetState()->GetRootActivity();
        for (CActivity* activity = root->GetFirstChild(); activity != nullptr;
             activity = activity->GetNextSibling()) {
            CTallymarks& marks = activity->GetTallymarks();
            for (const CTallymark* mark = marks.GetFirst(); mark != nullptr;
                 mark = marks.GetNext()) {
                auto minutes = [now](const CDateTime& date) {
                    return std::to_string(std::lround((date.GetValue() - now) / kMinute));
                };
                records.push_back(activity->GetName() + ": " + minutes(mark->GetStart()) + " " +
                                  (mark->IsOpen() ? "open" : minutes(mark->GetEnd(false))));
            }
        }
        return records;
    }
};

void RenameFocused(HWND dialog, const char* name) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ACTIVITIES_RENAME, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ACTIVITIES_RENAME)));
    HWND list = GetDlgItem(dialog, IDC_ACTIVITIES_LIST);
    HWND edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, name);
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
}

// Work on Dev began an hour ago, the last input was twenty minutes ago. The holder moves
// Dev down (below Admin) or renames it, and ends with OK or Cancel; the inactivity dialog
// then keeps the inactive period on the activity worked on ("include" on its own choice).
TEST_F(InactivityOverEditWindowTest, WaitsForTheEditAndBooksOnTheActivityWorkedOn) {
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
    for (const auto& c : cases) {
        StartApp();
        const std::string path =
            MakeProject("Work.wkp", "Work", {{"Dev", -1, 0}, {"Admin", -1, 0}, {"Test", -1, 0}});
        CUiScript script;
        bool postponed = false, mainEnabledUnder = true;
        std::string workedOn;
        std::vector<std::string> records;
        script.WaitFor(WindowShown())
            .Do([&] {
                CProjectState* state = Project()->GetState();
                ASSERT_TRUE(App().GetProjects().StartWorking(
                    Project(), state->GetRootActivity()->GetFirstChild()));
                state->GetCurrentTallymark()->SetStart(
                    CDateTime(CDateTime::Now(true).GetValue() - 60 * kMinute));
                Command(IDM_ACTIVITIES_MANAGE);
            })
            .WaitFor([] {
                HWND dialog = FindThreadWindow(kActivitiesCaption);
                return dialog != nullptr && harness::IsItemEnabled(dialog, IDC_ACTIVITIES_RENAME);
            })
            .Do([&] {
                CInactiveEvent inactive(CDateTime(CDateTime::Now(true).GetValue() - 20 * kMinute),
                                        false);
                App().GetInactivityDetector().Emit(inactive);
                postponed = FindThreadWindow(kInactivityCaption) == nullptr;
                HWND dialog = FindThreadWindow(kActivitiesCaption);
                if (c.rename) {
                    RenameFocused(dialog, "Design");
                } else {
                    harness::Click(dialog, IDC_ACTIVITIES_MOVE_DOWN);
                }
                harness::Click(dialog, c.button);
            })
            .WaitFor([] {
                HWND dialog = FindThreadWindow(kInactivityCaption);
                return dialog != nullptr && IsWindowVisible(dialog) &&
                       FindThreadWindow(kActivitiesCaption) == nullptr;
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
                records = Records();
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
