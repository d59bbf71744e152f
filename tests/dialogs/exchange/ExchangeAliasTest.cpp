// The current project's own file reached through another name is still the current project:
// import from it and export into it are refused, and nothing is doubled.

#include "ExchangeFixture.h"

using harness::CUiScript;
using namespace exchangetest;

namespace {

class ExchangeAliasTest : public CExchangeFixture {};

TEST_F(ExchangeAliasTest, ImportAndExportRefuseEveryOtherNameOfTheCurrentFile) {
    WriteProjects(pffBinary);
    const std::string link = PathOf("Home alias.wkp");
    ASSERT_TRUE(CreateHardLinkA(link.c_str(), m_homePath.c_str(), nullptr));
    const std::string spellings[] = {link, "\\\\?\\" + m_homePath, "\\\\.\\" + m_homePath};
    for (unsigned direction : {CDataExchangeDlg::kImport, CDataExchangeDlg::kExport}) {
        for (const std::string& spelling : spellings) {
            CProject* home = OpenHome();
            ASSERT_NE(home, nullptr);
            const std::vector<std::string> before = Records(home->GetState());
            auto owned = std::make_unique<CDataExchangeDlg>(home, direction);
            CDataExchangeDlg& dialog = *owned;
            CUiScript script;
            bool taken = true;
            script
                .Do([&] {
                    taken = dialog.OpenOtherProject(spelling, pffBinary);
                    harness::Click(dialog.GetHwnd(), IDCANCEL);
                })
                .AnswerMessageBox(IDOK, "the current project");
            Run(script, dialog, direction);
            owned.reset();
            EXPECT_FALSE(taken) << spelling;
            ASSERT_EQ(script.GetMessageBoxes().size(), 1u) << spelling;
            EXPECT_EQ(Records(home->GetState()), before) << spelling;
            EXPECT_EQ(Projects().GetNumProjects(), 1u) << spelling;
        }
    }
}

} // namespace
