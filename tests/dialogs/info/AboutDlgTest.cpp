// The about box: the version line from the program's version resource, the home page link
// asked for from the about box, the enlarged product line and the stored position; damaged
// version resources read as none.

#include "InfoFixture.h"

#include "dialogs/CAboutDlg.h"
#include "dialogs/ScaledFont.h"
#include "library/system/ModuleVersion.h"

#include <cstring>
#include <string>
#include <vector>

using harness::CUiScript;
using infotest::CInfoFixture;

namespace {

class AboutDlgTest : public CInfoFixture {};

// The bytes of this program's version resource.
std::vector<uint8_t> VersionBytes() {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    if (found == nullptr) {
        return {};
    }
    const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    return std::vector<uint8_t>(data, data + SizeofResource(module, found));
}

TEST_F(AboutDlgTest, ShowsTheVersionOfTheVersionResourceAndLinksFromTheAboutBox) {
    CAboutDlg dialog;
    CUiScript script;
    std::string version, release;
    LOGFONTA title = {}, plain = {};
    script
        .Do([&] {
            HWND window = dialog.GetHwnd();
            version = harness::GetItemText(window, IDC_ABOUT_VERSION);
            release = harness::GetItemText(window, IDC_ABOUT_RELEASE_DATE);
            auto font = [&](int id, LOGFONTA& description) {
                GetObjectA(
                    reinterpret_cast<HFONT>(SendDlgItemMessageA(window, id, WM_GETFONT, 0, 0)),
                    sizeof(description), &description);
            };
            font(IDC_ABOUT_TITLE, title);
            font(IDC_ABOUT_VERSION, plain);
            SetWindowPos(window, nullptr, 70, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        })
        .Do([&] { harness::Click(dialog.GetHwnd(), IDCANCEL); });
    Run(script, dialog, IDD_ABOUT);
    EXPECT_EQ(version, "Version: 10.3.15");
    EXPECT_EQ(release, "Release date: March 15, 2010");
    const std::string home = dialog.GetHomePageTarget();
    EXPECT_NE(home.find("source=about"), std::string::npos) << home;
    EXPECT_EQ(home.find('['), std::string::npos) << home;
    EXPECT_EQ(dialog.GetModuleTarget(), "https://www.tallymarks.example/xmlparser/");
    EXPECT_EQ(title.lfHeight, ScaleFontHeight(plain.lfHeight, 18, 8));
    EXPECT_LT(title.lfHeight, plain.lfHeight);

    // It opens again where it was closed.
    CAboutDlg again;
    CUiScript second;
    RECT place = {};
    second.Do([&] {
        GetWindowRect(again.GetHwnd(), &place);
        harness::Click(again.GetHwnd(), IDCANCEL);
    });
    Run(second, again, IDD_ABOUT);
    EXPECT_EQ(place.left, 70);
    EXPECT_EQ(place.top, 50);
}

TEST(ScaledFontTest, HeightsScaleTowardZero) {
    struct SCase {
        LONG height;
        int numerator;
        LONG expected;
    };
    const SCase cases[] = {
        {-11, 18, -24}, {-12, 18, -27}, {-11, 14, -19}, {13, 14, 22}, {0, 18, 0}};
    for (const SCase& c : cases) {
        EXPECT_EQ(ScaleFontHeight(c.height, c.numerator, 8), c.expected) << c.height;
    }
}

TEST(ModuleVersionTest, ReadsTheProgramsVersionAndRefusesDamagedBlocks) {
    SModuleVersion version;
    ASSERT_TRUE(ReadModuleVersion(GetModuleHandleA(nullptr), version));
    EXPECT_EQ(FormatModuleVersion(version), "10.3.15");
    EXPECT_EQ(FormatModuleVersion({1, 2, 3, 4}), "1.2.3.4");

    const std::vector<uint8_t> good = VersionBytes();
    ASSERT_GT(good.size(), 92u);
    struct SDamage {
        const char* what;
        size_t offset; // byte changed, or the size cut to this when value is -1
        int value;
    };
    const SDamage damages[] = {
        {"cut inside the fixed part", 60, -1},
        {"cut before the block's length", 2, -1},
        {"key changed", 8, 'X'},
        {"signature changed", 40, 0},
        {"value length too small", 2, 4},
    };
    for (const SDamage& damage : damages) {
        std::vector<uint8_t> bytes = good;
        if (damage.value < 0) {
            bytes.resize(damage.offset);
        } else {
            bytes[damage.offset] = static_cast<uint8_t>(damage.value);
            if (damage.offset == 2) {
                bytes[3] = 0;
            }
        }
        SModuleVersion read = {9, 9, 9, 9};
        EXPECT_FALSE(ParseVersionResource(bytes.data(), bytes.size(), read)) << damage.what;
        EXPECT_EQ(read.major, 9) << damage.what;
    }
    EXPECT_FALSE(ParseVersionResource(nullptr, 100, version));
}

} // namespace
