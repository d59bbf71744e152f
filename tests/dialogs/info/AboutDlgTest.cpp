// The about box: the version line from the program's version resource, the home page link
// asked for from the about box, the enlarged product line and the stored position; damaged
// version resources read as none.

#include "InfoFixture.h"

#include "dialogs/CAboutDlg.h"
#include "dialogs/ScaledFont.h"
#include "library/system/ModuleVersion.h"

#include <string>
#include <vector>

using harness::CUiScript;

namespace {

class AboutDlgTest : public infotest::CInfoFixture {};

LONG FontHeight(HWND dialog, int id) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, id, WM_GETFONT, 0, 0)),
               sizeof(font), &font);
    return font.lfHeight;
}

TEST_F(AboutDlgTest, ShowsTheVersionOfTheVersionResourceAndLinksFromTheAboutBox) {
    CAboutDlg dialog;
    CUiScript script;
    std::string version;
    LONG title = 0, plain = 0;
    script
        .Do([&] {
            version = harness::GetItemText(dialog.GetHwnd(), IDC_ABOUT_VERSION);
            title = FontHeight(dialog.GetHwnd(), IDC_ABOUT_TITLE);
            plain = FontHeight(dialog.GetHwnd(), IDC_ABOUT_VERSION);
            SetWindowPos(dialog.GetHwnd(), nullptr, 70, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        })
        .Do([&] { harness::Click(dialog.GetHwnd(), IDCANCEL); });
    Run(script, dialog, IDD_ABOUT);
    EXPECT_EQ(version, "Version: 10.3.15");
    const std::string home = dialog.GetHomePageTarget();
    EXPECT_NE(home.find("source=about"), std::string::npos) << home;
    EXPECT_EQ(home.find('['), std::string::npos) << home;
    EXPECT_EQ(dialog.GetModuleTarget(), "https://www.tallymarks.example/xmlparser/");
    EXPECT_EQ(title, ScaleFontHeight(plain, 18, 8));
    EXPECT_LT(title, plain);
    int32_t x = 0, y = 0;
    m_app->GetSetDialogPosNSize().GetPosition(SlotIndex(CAboutDlg::kIdentity.slot), x, y);
    EXPECT_EQ(x, 70);
    EXPECT_EQ(y, 50);
    // Heights scale toward zero.
    EXPECT_EQ(ScaleFontHeight(-11, 18, 8), -24);
    EXPECT_EQ(ScaleFontHeight(-12, 18, 8), -27);
}

TEST(ModuleVersionTest, ReadsTheProgramsVersionAndRefusesDamagedBlocks) {
    SModuleVersion version;
    HMODULE module = GetModuleHandleA(nullptr);
    ASSERT_TRUE(ReadModuleVersion(module, version));
    EXPECT_EQ(FormatModuleVersion(version), "10.3.15");
    EXPECT_EQ(FormatModuleVersion({1, 2, 3, 4}), "1.2.3.4");

    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    const std::vector<uint8_t> good(data, data + SizeofResource(module, found));
    // {offset, value}: the byte changed, or with value -1 the bytes cut at offset.
    const std::pair<size_t, int> damages[] = {{60, -1}, {2, -1}, {8, 'X'}, {40, 0}, {2, 4}};
    for (const auto& damage : damages) {
        std::vector<uint8_t> bytes = good;
        if (damage.second < 0) {
            bytes.resize(damage.first);
        } else {
            bytes[damage.first] = static_cast<uint8_t>(damage.second);
            bytes[3] = damage.first == 2 ? 0 : bytes[3];
        }
        SModuleVersion read = {9, 9, 9, 9};
        EXPECT_FALSE(ParseVersionResource(bytes.data(), bytes.size(), read)) << damage.first;
        EXPECT_EQ(read.major, 9) << damage.first;
    }
}

} // namespace
