// The report dialog with hostile templates and reports that cannot be made: the message
// about refused templates stays short and gives reasons, and a report that runs out of
// memory names where it was going.

#include "ReportDlgFixture.h"

#include <windows.h>

#include <algorithm>
#include <new>

using harness::CUiScript;

namespace {

class ReportDlgHostileTest : public reportdlgtest::CReportDlgFixture {};

// A dialog whose reports always run out of memory.
class COutOfMemoryReportDlg : public CReportDlg {
public:
    using CReportDlg::CReportDlg;

protected:
    std::string MakeReport(int32_t, int32_t, int32_t, bool, bool) override {
        throw std::bad_alloc();
    }
};

// A template ten thousand categories deep, one whose content file lies outside the
// folder and 30 broken ones: the dialog opens with the good templates, and the message
// lists the first twenty refused ones (with reasons), then how many more.
TEST_F(ReportDlgHostileTest, RefusedTemplatesAreListedShortlyWithReasons) {
    std::string deep;
    for (int level = 0; level < 10000; ++level) {
        deep += "Level\\";
    }
    WriteTemplate("A deep", deep + "Leaf", "txt", "txt", "x");
    const std::string folder = "Report templates\\EN\\";
    m_folder.Write(folder + "A outside.wkr",
                   "[Settings]\r\nCategorization=Outside\r\nDescription=D\r\nFormat=txt\r\n"
                   "FileNameType=T\r\nDefaultExtension=txt\r\nContentFile=..\\..\\secret\r\n");
    m_folder.Write("secret", "not for reports");
    for (int i = 0; i < 30; ++i) {
        m_folder.Write(folder + "Broken " + std::to_string(100 + i) + ".wkr", "[Settings]\r\n");
    }
    CReportDlg dialog(m_project);
    CUiScript script;
    bool goodOnesListed = false;
    script.AnswerMessageBox(IDOK)
        .Do([&] {
            goodOnesListed = reportdlgtest::SelectTemplate(dialog.GetHwnd(), "Per activity") &&
                             !reportdlgtest::SelectTemplate(dialog.GetHwnd(), "Leaf");
        })
        .Do([&] { harness::Click(dialog.GetHwnd(), IDCANCEL); });
    Run(script, dialog);
    EXPECT_TRUE(goodOnesListed);
    ASSERT_EQ(script.GetMessageBoxes().size(), 1u);
    const std::string text = script.GetMessageBoxes()[0].text;
    EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Error loading report templates");
    std::string expected = "There was an error loading the report templates; the following "
                           "templates had problems:\n"
                           "A deep.wkr (its categorization has more than 32 levels)\n"
                           "A outside.wkr (its content file lies outside the template folder)";
    for (int i = 0; i < 18; ++i) {
        expected += "\nBroken " + std::to_string(100 + i) + ".wkr";
    }
    EXPECT_EQ(text, expected + "\nand 12 more");
    EXPECT_LE(std::count(text.begin(), text.end(), '\n'), 22);
}

// Running out of memory names the destination: the clipboard, or the file by its whole
// name; nothing is written.
TEST_F(ReportDlgHostileTest, OutOfMemoryNamesTheDestination) {
    m_app->GetSetReportDlg().GetTemplate() = "Per activity.wkr";
    char full[MAX_PATH] = "";
    ASSERT_NE(GetFullPathNameA("oom report", MAX_PATH, full, nullptr), 0u);
    const std::string file = std::string(full) + ".txt";
    for (bool toFile : {false, true}) {
        SCOPED_TRACE(toFile);
        m_app->GetSetReportDlg().GetDestination() = toFile ? 1 : 0;
        COutOfMemoryReportDlg dialog(m_project);
        CUiScript script;
        ChooseFebruary(script, dialog);
        if (toFile) {
            script.Do([&] {
                harness::SetItemText(dialog.GetHwnd(), IDC_REPORT_FILE_NAME, "oom report");
            });
        }
        script.Do([&] { harness::Click(dialog.GetHwnd(), IDC_REPORT_GENERATE); })
            .AnswerMessageBox(IDOK)
            .Do([&] { harness::Click(dialog.GetHwnd(), IDCANCEL); });
        Run(script, dialog);
        ASSERT_EQ(script.GetMessageBoxes().size(), 1u);
        const std::string text = script.GetMessageBoxes()[0].text;
        const std::string expected =
            toFile ? "There was an error creating the report file \"" + file + "\"."
                   : std::string("There was an error reporting to the clipboard.");
        EXPECT_EQ(text.compare(0, expected.size(), expected), 0) << text;
        EXPECT_EQ(text.find("The error was: 0 "), std::string::npos) << text;
        EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

} // namespace
