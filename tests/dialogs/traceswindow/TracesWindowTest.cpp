// The manage tally marks dialog from the main window's menu, on the current project: OK
// commits a removal, Cancel throws one away.

#include "mainwindow/fullwindow/MainWindowFixture.h"

#include "dialogs/DialogRegistry.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymarksByDate.h"
#include "resources/ResourceIds.h"

using harness::CUiScript;
using harness::FindThreadWindow;

namespace {

const char kCaption[] = "Tallymarks - Manage tally marks";

class TracesWindowTest : public mainwindowtest::CMainWindowFixture {
protected:
    TracesWindowTest() { RegisterManageTallymarksDialogs(); }
    ~TracesWindowTest() override { CDialogLauncher::Clear(); }
    size_t Count() {
        return App()
            .GetProjects()
            .GetCurrentProject()
            ->GetState()
            ->GetTallymarksByDate()
            .GetCount();
    }
};

TEST_F(TracesWindowTest, MenuOpensTheDialogOnTheCurrentProject) {
    const std::string path = MakeProject("Work.wkp", "Work", {{"Dev", -1, 2}, {"Test", -1, 1}});
    CUiScript script;
    std::vector<std::string> seen;
    script.WaitFor(WindowShown());
    for (int button : {IDC_TRACES_OK, IDCANCEL}) {
        script
            .Do([&] {
                const UINT state =
                    GetMenuState(GetMenu(Hwnd()), IDM_TIME_MANAGE_TALLYMARKS, MF_BYCOMMAND);
                seen.push_back(std::to_string(Count()) +
                               ((state & MF_GRAYED) ? " greyed" : " enabled"));
                Command(IDM_TIME_MANAGE_TALLYMARKS);
            })
            .WaitFor([] { return FindThreadWindow(kCaption) != nullptr; })
            .Do([&] {
                HWND dialog = FindThreadWindow(kCaption);
                seen.push_back(std::to_string(harness::GetListRowCount(dialog, IDC_TRACES_LIST)) +
                               " rows");
                harness::SelectListRow(dialog, IDC_TRACES_LIST, 0);
            })
            .WaitFor([] {
                return harness::IsItemEnabled(FindThreadWindow(kCaption), IDC_TRACES_REMOVE);
            })
            .Do([button] {
                HWND dialog = FindThreadWindow(kCaption);
                SendMessageA(GetDlgItem(dialog, IDC_TRACES_LIST), WM_KEYDOWN, VK_DELETE, 0);
                harness::Click(dialog, button);
            })
            .WaitFor([] { return FindThreadWindow(kCaption) == nullptr; });
    }
    script
        .Do([&] {
            seen.push_back(std::to_string(Count()));
            PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
        })
        .AnswerMessageBox(IDNO, "The project Work has unsaved changes");
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(seen, std::vector<std::string>({"3 enabled", "3 rows", "2 enabled", "2 rows", "2"}));
}

} // namespace
