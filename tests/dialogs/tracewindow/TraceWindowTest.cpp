// The tally mark dialog opened from the main window: the menu command and the button both
// open it on the current project's selected activity; OK books the tally mark, Cancel
// books nothing.

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

const char kCaption[] = "Tallymarks - New tally mark";

class TraceWindowTest : public CMainWindowFixture {
protected:
    TraceWindowTest() { RegisterTallymarkDialogs(); }
    ~TraceWindowTest() override { CDialogLauncher::Clear(); }
    // The activity the dialog starts on: the selected one, else the first.
    CActivity* Preset() {
        CProjectState* state = App().GetProjects().GetCurrentProject()->GetState();
        return state->GetSelectedActivity() != nullptr ? state->GetSelectedActivity()
                                                       : state->GetRootActivity()->GetFirstChild();
    }
};

TEST_F(TraceWindowTest, MenuAndButtonOpenTheDialogOnThePresetActivity) {
    const std::string path = MakeProject("Work.wkp", "Work", {{"Dev", -1, 1}, {"Test", -1, 2}});
    CUiScript script;
    size_t before = 0, afterOk = 0, afterCancel = 0;
    bool buttonEnabled = false;
    std::string shownActivity, preset;
    script.WaitFor(WindowShown())
        .WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_MAIN_NEW_TALLYMARK); }, 3000,
                 "New tally mark enabled")
        .Do([&] {
            preset = Preset()->GetPath();
            before = Preset()->GetTallymarks().GetCount();
            buttonEnabled = harness::IsItemEnabled(Hwnd(), IDC_MAIN_NEW_TALLYMARK);
            harness::Click(Hwnd(), IDC_MAIN_NEW_TALLYMARK);
        })
        .WaitFor([] { return harness::FindThreadWindow(kCaption) != nullptr; })
        .Do([&] {
            HWND dialog = harness::FindThreadWindow(kCaption);
            HWND box = GetDlgItem(dialog, IDC_TRACE_ACTIVITY);
            char text[64] = {};
            SendMessageA(box, CB_GETLBTEXT,
                         static_cast<WPARAM>(SendMessageA(box, CB_GETCURSEL, 0, 0)),
                         reinterpret_cast<LPARAM>(text));
            shownActivity = text;
            harness::Click(dialog, IDC_TRACE_OK);
        })
        .WaitFor([] { return harness::FindThreadWindow(kCaption) == nullptr; })
        .Do([&] {
            afterOk = Preset()->GetTallymarks().GetCount();
            Command(IDM_TIME_NEW_TALLYMARK);
        })
        .WaitFor([] { return harness::FindThreadWindow(kCaption) != nullptr; })
        .Do([] { harness::Click(harness::FindThreadWindow(kCaption), IDCANCEL); })
        .WaitFor([] { return harness::FindThreadWindow(kCaption) == nullptr; })
        .Do([&] {
            afterCancel = Preset()->GetTallymarks().GetCount();
            PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
        })
        .AnswerMessageBox(IDNO, "The project Work has unsaved changes");
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_TRUE(buttonEnabled);
    EXPECT_EQ(shownActivity, preset);
    EXPECT_EQ(afterOk, before + 1);
    EXPECT_EQ(afterCancel, afterOk);
}

} // namespace
