// Reports into files: the choices made in the dialog and its inner dialogs reach the
// report's bytes; the replace question, a read-only target and long names; the choices
// kept for the next opening.

#include "ReportDlgFixture.h"

#include <windows.h>

using harness::CUiScript;
using reportdlgtest::ReadFile;

namespace {

const char kFebruaryReport[] =
    "month,quarter of an hour,numeric hours\r\nCode=1.50\r\nIdle=0.00\r\ntotal=1.50\n";

class ReportDlgFileTest : public reportdlgtest::CReportDlgFixture {
protected:
    // Steps: every choice of kFebruaryReport, and the file destination with name.
    void ChooseAll(CUiScript& script, CReportDlg& dialog, const std::string& name) {
        ChooseFebruary(script, dialog);
        script
            .Do([&dialog] {
                HWND window = dialog.GetHwnd();
                harness::SelectComboItem(window, IDC_REPORT_STATISTICS_PER, 3);
                harness::SelectComboItem(window, IDC_REPORT_ROUND_TO, 3);
                harness::Click(window, IDC_REPORT_NOTATION_HOURS);
                harness::Click(window, IDC_REPORT_CHOOSE_ACTIVITIES);
            })
            .WaitFor([] { return harness::FindThreadWindow("Tallymarks - Choose activities"); },
                     5000, "the activities dialog")
            .Do([] {
                HWND chooser = harness::FindThreadWindow("Tallymarks - Choose activities");
                for (int row = 0; row < harness::GetListRowCount(chooser, IDC_CHOOSE_ACTS_LIST);
                     ++row) {
                    if (harness::GetListCell(chooser, IDC_CHOOSE_ACTS_LIST, row, 0) == "Mail") {
                        harness::SelectListRow(chooser, IDC_CHOOSE_ACTS_LIST, row);
                    }
                }
            })
            .WaitFor(
                [] {
                    return harness::IsItemEnabled(
                        harness::FindThreadWindow("Tallymarks - Choose activities"),
                        IDC_CHOOSE_ACTS_REMOVE_BRANCH);
                },
                5000, "a selected row")
            .Do([] {
                harness::Click(harness::FindThreadWindow("Tallymarks - Choose activities"),
                               IDC_CHOOSE_ACTS_REMOVE_BRANCH);
            })
            .Do([] {
                harness::Click(harness::FindThreadWindow("Tallymarks - Choose activities"),
                               IDC_CHOOSE_ACTS_OK);
            })
            .WaitFor([] { return !harness::FindThreadWindow("Tallymarks - Choose activities"); },
                     5000, "the activities dialog's end")
            .Do([&dialog] {
                EXPECT_EQ(harness::GetItemText(dialog.GetHwnd(), IDC_REPORT_ACTIVITIES_TEXT),
                          "2 of 3 activities chosen");
                EXPECT_TRUE(reportdlgtest::SelectTemplate(dialog.GetHwnd(), "Per activity"));
            });
        ToFile(script, dialog, name);
    }
};

// The choices reach the report: February only (the March half of a tally mark and the
// January one left out), Mail left out, per month, quarters, in hours; the bytes are the
// template's with the values in. A name without an extension gets the template's. Asked
// again, "No" keeps the file. The choices are kept for the next opening.
TEST_F(ReportDlgFileTest, TheChoicesMakeTheFilesBytesAndAreKept) {
    const std::string target = m_folder.File("out");
    CReportDlg dialog(m_project);
    CUiScript script;
    ChooseAll(script, dialog, target);
    script.Do([&] { harness::Click(dialog.GetHwnd(), IDC_REPORT_GENERATE); })
        .AnswerMessageBox(IDNO, "The report is saved as \"" + target + ".txt\"")
        .Do([&] { harness::Click(dialog.GetHwnd(), IDC_REPORT_GENERATE); })
        .AnswerMessageBox(IDNO, "already exists")
        .Do([&] { harness::Click(dialog.GetHwnd(), IDCANCEL); });
    Run(script, dialog);
    ASSERT_EQ(script.GetMessageBoxes().size(), 2u);
    EXPECT_EQ(script.GetMessageBoxes()[0].icon, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(ReadFile(target + ".txt"), kFebruaryReport);
    CSetReportDlg& settings = m_app->GetSetReportDlg();
    EXPECT_EQ(settings.GetStatisticsPer(), 3u);
    EXPECT_EQ(settings.GetRoundTo(), 3u);
    EXPECT_EQ(settings.GetDataFormat(), 2u);
    EXPECT_EQ(settings.GetTemplate(), "Per activity.wkr");
    EXPECT_EQ(settings.GetDestination(), 1u);

    // Opened again: the stored choices are shown, the template selected.
    CReportDlg again(m_project);
    CUiScript second;
    second.Do([&] {
        HWND window = again.GetHwnd();
        EXPECT_EQ(SendDlgItemMessageA(window, IDC_REPORT_STATISTICS_PER, CB_GETCURSEL, 0, 0), 3);
        EXPECT_EQ(SendDlgItemMessageA(window, IDC_REPORT_ROUND_TO, CB_GETCURSEL, 0, 0), 3);
        EXPECT_TRUE(harness::IsChecked(window, IDC_REPORT_NOTATION_HOURS));
        EXPECT_TRUE(harness::IsChecked(window, IDC_REPORT_TO_FILE));
        EXPECT_EQ(harness::GetItemText(window, IDC_REPORT_DESCRIPTION), "About Per activity");
        EXPECT_FALSE(harness::IsItemEnabled(window, IDC_REPORT_GENERATE)); // no period yet
        harness::Click(window, IDCANCEL);
    });
    Run(second, again);
    EXPECT_NE(again.GetCurrentTemplate(), nullptr);
}

// Targets: a name of 258 characters is written whole; an existing report is replaced
// after "Yes" through the safe save (no backup copy is left); one that another program
// holds open is not, nor a name of MAX_PATH characters or more (refused by the ANSI file
// functions); their messages name the system's real error and the dialog stays open.
// Nothing is ever written to a name cut at 256 characters.
TEST_F(ReportDlgFileTest, TargetsAreWrittenWholeOrRefusedWithTheRealError) {
    struct SCase {
        size_t length; // 0: "old.txt" in the folder, holding "older"
        bool held;
        const char* message; // of the last box
        const char* expected;
    } cases[] = {
        {258, false, "The report is saved as", kFebruaryReport},
        {0, false, "The report is saved as", kFebruaryReport},
        {0, true, "The error was: 32 - ", "older"},
        {320, false, "The error was: 206 - ", "<missing>"},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.length * 10 + test.held);
        std::string target = m_folder.File("old.txt");
        if (test.length != 0) {
            // Folders of 100 characters hold the long name (a file name has at most 255).
            std::string folder = m_folder.Path();
            while (folder.size() + 1 + 100 + 1 + 8 < test.length) {
                folder += "\\" + std::string(100, 'f');
                CreateDirectoryA(folder.c_str(), nullptr);
            }
            target = folder + "\\";
            target += std::string(test.length - target.size() - 4, 'n') + ".txt";
        } else {
            ASSERT_TRUE(m_folder.Write("old.txt", "older"));
        }
        HANDLE holder = test.held ? CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr,
                                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                                  : INVALID_HANDLE_VALUE;
        CReportDlg dialog(m_project);
        CUiScript script;
        bool openAfter = false;
        ChooseAll(script, dialog, target);
        script.Do([&] { harness::Click(dialog.GetHwnd(), IDC_REPORT_GENERATE); });
        if (test.length == 0) {
            script.AnswerMessageBox(IDYES, "already exists");
        }
        script
            .AnswerMessageBox(std::string(test.message).find("error") != std::string::npos ? IDOK
                                                                                           : IDNO,
                              test.message)
            .Do([&] {
                openAfter = dialog.IsOpen();
                harness::Click(dialog.GetHwnd(), IDCANCEL);
            });
        Run(script, dialog);
        if (holder != INVALID_HANDLE_VALUE) {
            CloseHandle(holder);
        }
        EXPECT_TRUE(openAfter);
        EXPECT_EQ(ReadFile(target), test.expected);
        if (target.size() > 256) {
            EXPECT_EQ(ReadFile(target.substr(0, 256)), "<missing>");
        }
        const harness::SMessageBoxRecord& last = script.GetMessageBoxes().back();
        EXPECT_NE(last.text.find("\"" + target + "\""), std::string::npos) << last.text;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(m_folder.File("old backup*").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
        }
    }
}

} // namespace
