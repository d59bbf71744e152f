// The tip of the day: any stored index lands on a tip, stepping wraps both ways, closing
// stores the next tip, the start-up box is stored at once, and the text takes the link's
// lines when there is no help file.

#include "InfoFixture.h"

#include "dialogs/CTipDlg.h"

#include <cstdint>
#include <string>
#include <vector>

using harness::CUiScript;

namespace {

class TipDlgTest : public infotest::CInfoFixture {
protected:
    uint32_t& StoredIndex() { return m_app->GetSetTips().GetTipIndex(); }
};

// Whatever number the settings file holds, the dialog opens on a tip (by one remainder: a
// loop would take billions of steps for the outer values) and stores the one after it.
TEST_F(TipDlgTest, AnyStoredIndexOpensOnATipAndStoresTheNext) {
    struct SCase {
        uint32_t stored;
        const char* heading;
        const char* title;
        uint32_t storedAfter;
    };
    const SCase cases[] = {
        {0, "Tip of the Day number 1", "Start project", 1},
        {22, "Tip of the Day number 1", "Start project", 1},
        {0xFFFFFFFFu, "Tip of the Day number 22", "Start automatically", 0},
        {45, "Tip of the Day number 2", "Help pages", 2},
        {0x7FFFFFFFu, "Tip of the Day number 2", "Help pages", 2},
        {0x80000000u, "Tip of the Day number 21", "Project statistics", 21},
    };
    for (const SCase& c : cases) {
        StoredIndex() = c.stored;
        CTipDlg dialog;
        CUiScript script;
        std::string heading, title;
        script.Do([&] {
            heading = harness::GetItemText(dialog.GetHwnd(), IDC_TIP_HEADING);
            title = harness::GetItemText(dialog.GetHwnd(), IDC_TIP_TITLE);
            harness::Click(dialog.GetHwnd(), IDCANCEL);
        });
        Run(script, dialog, IDD_TIP);
        EXPECT_EQ(heading, c.heading) << c.stored;
        EXPECT_EQ(title, c.title) << c.stored;
        EXPECT_EQ(StoredIndex(), c.storedAfter) << c.stored;
    }
}

TEST_F(TipDlgTest, NextAndPreviousWrapAndClosingStoresTheTipAfterTheLastShown) {
    StoredIndex() = 21;
    CTipDlg dialog;
    CUiScript script;
    std::vector<std::string> numbers;
    auto read = [&] {
        numbers.push_back(harness::GetItemText(dialog.GetHwnd(), IDC_TIP_HEADING).substr(22));
    };
    auto click = [&](int button) {
        return [&, button] { harness::Click(dialog.GetHwnd(), button); };
    };
    script.Do(read).Do(click(IDC_TIP_NEXT)).Do(read).Do(click(IDC_TIP_PREVIOUS)).Do(read);
    script.Do(click(IDC_TIP_NEXT)).Do(click(IDC_TIP_NEXT)).Do(click(IDC_TIP_NEXT)).Do(read);
    script.Do(click(IDCANCEL));
    Run(script, dialog, IDD_TIP);
    EXPECT_EQ(numbers, std::vector<std::string>({"22", "1", "22", "3"}));
    EXPECT_EQ(StoredIndex(), 3u);
}

// The start-up box is stored when clicked, so the close box keeps it; without the help file
// the link hides and the text reaches down to the link's bottom.
TEST_F(TipDlgTest, StartupBoxStoredAtOnceAndTextTakesTheLinksLinesWithoutHelp) {
    ASSERT_FALSE(m_app->GetHelp().IsAvailable());
    CTipDlg dialog;
    CUiScript script;
    bool checkedAtFirst = false, linkShown = true;
    RECT text = {}, link = {};
    script
        .Do([&] {
            HWND window = dialog.GetHwnd();
            checkedAtFirst = harness::IsChecked(window, IDC_TIP_SHOW_AT_STARTUP);
            linkShown = IsWindowVisible(GetDlgItem(window, IDC_TIP_LINK)) != FALSE;
            GetWindowRect(GetDlgItem(window, IDC_TIP_TEXT), &text);
            GetWindowRect(GetDlgItem(window, IDC_TIP_LINK), &link);
            harness::Click(window, IDC_TIP_SHOW_AT_STARTUP);
        })
        .Do([&] { PostMessageA(dialog.GetHwnd(), WM_CLOSE, 0, 0); });
    Run(script, dialog, IDD_TIP);
    EXPECT_TRUE(checkedAtFirst);
    EXPECT_FALSE(m_app->GetSetTips().GetShowTips());
    EXPECT_FALSE(linkShown);
    EXPECT_LT(text.top, link.top);
    EXPECT_EQ(text.bottom, link.bottom);
}

} // namespace
