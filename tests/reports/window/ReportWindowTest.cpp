// The report dialog from the running program: "Generate report..." is enabled once the
// dialog is registered and opens it on the current project; without installed templates
// it warns and opens all the same.

#include "mainwindow/fullwindow/MainWindowFixture.h"

#include "mainwindow/CDialogLauncher.h"
#include "reports/ReportRegistry.h"
#include "resources/ResourceIds.h"

#include <string>

using harness::CUiScript;

namespace {

const char kCaption[] = "Tallymarks - Generate report";

class ReportWindowTest : public mainwindowtest::CMainWindowFixture {
protected:
    ReportWindowTest() { RegisterReportDialog(); }
    ~ReportWindowTest() override { CDialogLauncher::Clear(); }
};

TEST_F(ReportWindowTest, TheMenuCommandOpensTheDialogOnTheCurrentProject) {
    const std::string path = MakeProject("Work.wkp", "Work", {{"Dev", -1, 2}, {"Test", -1, 2}});
    CUiScript script;
    bool enabled = false;
    std::string activities;
    script.WaitFor(WindowShown())
        .Do([&] {
            enabled =
                (GetMenuState(GetMenu(Hwnd()), IDM_PROJECT_REPORT, MF_BYCOMMAND) & MF_GRAYED) == 0;
            PostMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(IDM_PROJECT_REPORT, 0), 0);
        })
        .AnswerMessageBox(IDOK, "the report templates are not installed")
        .WaitFor([] { return harness::FindThreadWindow(kCaption) != nullptr; })
        .Do([&] {
            HWND dialog = harness::FindThreadWindow(kCaption);
            activities = harness::GetItemText(dialog, IDC_REPORT_ACTIVITIES_TEXT);
            harness::Click(dialog, IDCANCEL);
        })
        .WaitFor([] { return harness::FindThreadWindow(kCaption) == nullptr; })
        .Do([&] { Command(IDM_PROJECT_EXIT); });
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(activities, "2 of 2 activities chosen");
    EXPECT_EQ(script.GetMessageBoxes().at(0).icon, static_cast<UINT>(MB_ICONWARNING));
}

} // namespace
