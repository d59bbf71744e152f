// The tally mark dialog from the main window: the New tally mark button and menu command
// open it on the current project; OK books the tally mark, Cancel books nothing.

#include "mainwindow/fullwindow/MainWindowFixture.h"

#include "dialogs/DialogRegistry.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

using harness::CUiScript;
using harness::FindThreadWindow;

namespace {

const char kCaption[] = "Tallymarks - New tally mark";

class TraceWindowTest : public mainwindowtest::CMainWindowFixture {
protected:
    TraceWindowTest() { RegisterTallymarkDialogs(); }
    ~TraceWindowTest() override { CDialogLauncher::Clear(); }
    // The activity the dialog starts on: the selected one, else the first.
    CActivity* Preset() {
        CProjectState* state = App().GetProjects().GetCurrentProject()->GetState();
        CActivity* selected = state->GetSelectedActivity();
        return selected != nullptr ? selected : state->GetRootActivity()->GetFirstChild();
    }
};

TEST_F(TraceWindowTest, ButtonAndMenuOpenTheDialog) {
    const std::string path = MakeProject("Work.wkp", "Work", {{"Dev", -1, 1}, {"Test", -1, 2}});
    CUiScript script;
    std::vector<size_t> counts;
    script.WaitFor(WindowShown())
        .WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_MAIN_NEW_TALLYMARK); })
        .Do([&] {
            counts.push_back(Preset()->GetTallymarks().GetCount());
            harness::Click(Hwnd(), IDC_MAIN_NEW_TALLYMARK);
        })
        .WaitFor([] { return FindThreadWindow(kCaption) != nullptr; })
        .Do([] { harness::Click(FindThreadWindow(kCaption), IDC_TRACE_OK); })
        .WaitFor([] { return FindThreadWindow(kCaption) == nullptr; })
        .Do([&] {
            counts.push_back(Preset()->GetTallymarks().GetCount());
            Command(IDM_TIME_NEW_TALLYMARK);
        })
        .WaitFor([] { return FindThreadWindow(kCaption) != nullptr; })
        .Do([] { harness::Click(FindThreadWindow(kCaption), IDCANCEL); })
        .WaitFor([] { return FindThreadWindow(kCaption) == nullptr; })
        .Do([&] {
            counts.push_back(Preset()->GetTallymarks().GetCount());
            PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
        })
        .AnswerMessageBox(IDNO, "The project Work has unsaved changes");
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(counts, std::vector<size_t>({1, 2, 2}));
}

} // namespace
