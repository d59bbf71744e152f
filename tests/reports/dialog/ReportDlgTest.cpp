// The report dialog apart from files: what may be done when, the file name following the
// template, the clipboard, an error of the generator, and the project closed under it.

#include "ReportDlgFixture.h"

#include "library/dialogs/CDialogWindow.h"

#include <windows.h>

using harness::CUiScript;

namespace {

class ReportDlgTest : public reportdlgtest::CReportDlgFixture {};

// "Generate" waits for a period and a template (not a category); the file name takes the
// selected template's extension unless it has it already in any case; the tree is sorted.
TEST_F(ReportDlgTest, GenerateAndTheFileNameFollowTheChoices) {
    CReportDlg dialog(m_project);
    CUiScript script;
    HWND window = nullptr;
    std::string firstTop;
    script.Do([&] {
        window = dialog.GetHwnd();
        EXPECT_FALSE(harness::IsItemEnabled(window, IDC_REPORT_GENERATE));
        EXPECT_FALSE(harness::IsItemEnabled(window, IDC_REPORT_TO_FILE));
        EXPECT_EQ(harness::GetItemText(window, IDC_REPORT_ACTIVITIES_TEXT),
                  "3 of 3 activities chosen");
        HWND tree = GetDlgItem(window, IDC_REPORT_TEMPLATE_TREE);
        char text[64] = "";
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = TreeView_GetRoot(tree);
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        firstTop = text;
    });
    ChooseFebruary(script, dialog);
    script
        .Do([&] {
            EXPECT_FALSE(harness::IsItemEnabled(window, IDC_REPORT_GENERATE));
            EXPECT_TRUE(reportdlgtest::SelectTemplate(window, "Per activity"));
            EXPECT_TRUE(harness::IsItemEnabled(window, IDC_REPORT_GENERATE)); // the clipboard
        })
        .Do([&] { harness::Click(window, IDC_REPORT_TO_FILE); })
        .Do([&] {
            EXPECT_FALSE(harness::IsItemEnabled(window, IDC_REPORT_GENERATE)); // no name
            harness::SetItemText(window, IDC_REPORT_FILE_NAME, "report.txt");
            EXPECT_TRUE(harness::IsItemEnabled(window, IDC_REPORT_GENERATE));
            EXPECT_TRUE(reportdlgtest::SelectTemplate(window, "Comma list"));
            EXPECT_EQ(harness::GetItemText(window, IDC_REPORT_FILE_NAME), "report.csv");
            harness::SetItemText(window, IDC_REPORT_FILE_NAME, "REPORT.CSV");
            EXPECT_TRUE(reportdlgtest::SelectTemplate(window, "Lists"));
            EXPECT_EQ(harness::GetItemText(window, IDC_REPORT_DESCRIPTION), "");
            EXPECT_FALSE(harness::IsItemEnabled(window, IDC_REPORT_GENERATE));
            EXPECT_FALSE(harness::IsItemEnabled(window, IDC_REPORT_FILE_NAME));
            EXPECT_TRUE(reportdlgtest::SelectTemplate(window, "Comma list"));
            EXPECT_EQ(harness::GetItemText(window, IDC_REPORT_FILE_NAME), "REPORT.CSV");
            harness::SetItemText(window, IDC_REPORT_FILE_NAME, "report");
            EXPECT_TRUE(reportdlgtest::SelectTemplate(window, "Per activity"));
            EXPECT_EQ(harness::GetItemText(window, IDC_REPORT_FILE_NAME), "report.txt");
            harness::Click(window, IDCANCEL);
        });
    Run(script, dialog);
    EXPECT_EQ(firstTop, "Comma list");
    // Closing with no template chosen would keep the stored one; here one is chosen.
    EXPECT_EQ(m_app->GetSetReportDlg().GetTemplate(), "Per activity.wkr");
}

// The clipboard gets the report's text in CF_TEXT (the used filter leaves out Idle); while
// another window holds the clipboard open the message names the system's error.
TEST_F(ReportDlgTest, AReportOnTheClipboard) {
    m_app->GetSetReportDlg().GetStatisticsPer() = 5;
    m_app->GetSetReportDlg().GetRoundTo() = 0;
    m_app->GetSetReportDlg().GetDataFormat() = 0;
    m_app->GetSetReportDlg().GetDestination() = 0;
    m_app->GetSetReportDlg().GetTemplate() = "VALUES.wkr";
    HWND holder =
        CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    CReportDlg dialog(m_project);
    CUiScript script;
    ChooseFebruary(script, dialog);
    script.Do([&] { harness::Click(dialog.GetHwnd(), IDC_REPORT_GENERATE); })
        .AnswerMessageBox(IDOK, "The report is stored on the clipboard.")
        .Do([&] {
            ASSERT_TRUE(OpenClipboard(holder));
            harness::Click(dialog.GetHwnd(), IDC_REPORT_GENERATE);
        })
        .AnswerMessageBox(IDOK, "There was an error reporting to the clipboard.")
        .Do([&] {
            CloseClipboard();
            harness::Click(dialog.GetHwnd(), IDCANCEL);
        });
    Run(script, dialog);
    DestroyWindow(holder);
    ASSERT_EQ(script.GetMessageBoxes().size(), 2u);
    const std::string failure = script.GetMessageBoxes()[1].text;
    EXPECT_EQ(failure.find("The error was: 0 "), std::string::npos) << failure;
    EXPECT_EQ(failure.find("The error was: an unknown"), std::string::npos) << failure;
    std::string text = "<none>";
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data != nullptr) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    EXPECT_EQ(text, "Code,01:27:30\r\nMail,01:00:00\r\n");
}

// An error of the generator (here a statistics interval the list no longer holds) is
// shown and the dialog stays open; a stored interval outside the list opens as "Day".
TEST_F(ReportDlgTest, AnErrorWhileGeneratingKeepsTheDialogOpen) {
    m_app->GetSetReportDlg().GetStatisticsPer() = 9;
    m_app->GetSetReportDlg().GetTemplate() = "Per activity.wkr";
    m_app->GetSetReportDlg().GetDestination() = 0;
    CReportDlg dialog(m_project);
    CUiScript script;
    LRESULT shownPer = -2;
    bool openAfter = false;
    ChooseFebruary(script, dialog);
    script
        .Do([&] {
            HWND window = dialog.GetHwnd();
            shownPer = SendDlgItemMessageA(window, IDC_REPORT_STATISTICS_PER, CB_GETCURSEL, 0, 0);
            SendDlgItemMessageA(window, IDC_REPORT_STATISTICS_PER, CB_SETCURSEL,
                                static_cast<WPARAM>(-1), 0);
            harness::Click(window, IDC_REPORT_GENERATE);
        })
        .AnswerMessageBox(IDOK)
        .Do([&] {
            openAfter = dialog.IsOpen();
            harness::Click(dialog.GetHwnd(), IDCANCEL);
        });
    Run(script, dialog);
    EXPECT_EQ(shownPer, 1);
    EXPECT_TRUE(openAfter);
    ASSERT_EQ(script.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Error generating report");
    EXPECT_EQ(script.GetMessageBoxes()[0].icon, static_cast<UINT>(MB_ICONERROR));
    EXPECT_FALSE(script.GetMessageBoxes()[0].text.empty());
}

// The project closed under the dialog (a tray exit, the end of the session), by itself
// or while the activities dialog runs inside it: both end, and the report dialog forgets
// the project without touching it again.
TEST_F(ReportDlgTest, AProjectClosedUnderItEndsItUntouched) {
    for (bool nested : {false, true}) {
        SCOPED_TRACE(nested);
        CProject* project = m_app->GetProjects().CreateNew();
        CActivity* activity = new CActivity(project->GetState(), "Only", true);
        project->GetState()->GetRootActivity()->AddChildActivity(activity, -1);
        CReportDlg dialog(project);
        CUiScript script;
        if (nested) {
            script.Do([&] { harness::Click(dialog.GetHwnd(), IDC_REPORT_CHOOSE_ACTIVITIES); })
                .WaitFor([] { return harness::FindThreadWindow("Tallymarks - Choose activities"); },
                         5000, "the activities dialog");
        }
        script.Do([&] { m_app->GetProjects().Close(project, true); });
        Run(script, dialog);
        EXPECT_EQ(dialog.GetProject(), nullptr);
        EXPECT_FALSE(dialog.IsOpen());
    }
}

} // namespace
