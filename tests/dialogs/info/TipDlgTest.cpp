// The tip of the day: any stored index lands on a tip, stepping wraps both ways, closing
// stores the next tip, the start-up box is stored at once, and the text takes the link's
// lines when there is no help file.

#include "InfoFixture.h"

#include "dialogs/CTipDlg.h"

#include <cstdint>
#include <string>

using harness::CUiScript;
using infotest::CInfoFixture;

namespace {

class TipDlgTest : public CInfoFixture {
protected:
    uint32_t& StoredIndex() { return m_app->GetSetTips().GetTipIndex(); }
    static std::string Heading(HWND dialog) {
        return harness::GetItemText(dialog, IDC_TIP_HEADING);
    }
};

// Whatever number the settings file holds, the dialog opens on a tip (by one remainder, a
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
        std::string heading, title, text;
        script.Do([&] {
            HWND window = dialog.GetHwnd();
            heading = Heading(window);
            title = harness::GetItemText(window, IDC_TIP_TITLE);
            text = harness::GetItemText(window, IDC_TIP_TEXT);
            harness::Click(window, IDCANCEL);
        });
        Run(script, dialog, IDD_TIP);
        EXPECT_EQ(heading, c.heading) << c.stored;
        EXPECT_EQ(title, c.title) << c.stored;
        EXPECT_EQ(text.substr(0, 16), "Did you know tha") << c.stored;
        EXPECT_EQ(StoredIndex(), c.storedAfter) << c.stored;
    }
}

TEST_F(TipDlgTest, NextAndPreviousWrapAndClosingStoresTheTipAfterTheLastShown) {
    StoredIndex() = 21;
    CTipDlg dialog;
    CUiScript script;
    std::vector<std::string> headings;
    auto step = [&](int button) {
        return [&, button] { harness::Click(dialog.GetHwnd(), button); };
    };
    auto read = [&] { headings.push_back(Heading(dialog.GetHwnd()).substr(22)); };
    script.Do(read)
        .Do(step(IDC_TIP_NEXT))
        .Do(read)
        .Do(step(IDC_TIP_PREVIOUS))
        .Do(read)
        .Do(step(IDC_TIP_NEXT))
        .Do(step(IDC_TIP_NEXT))
        .Do(step(IDC_TIP_NEXT))
        .Do(read)
        .Do([&] { harness::Click(dialog.GetHwnd(), IDCANCEL); });
    Run(script, dialog, IDD_TIP);
    EXPECT_EQ(headings, std::vector<std::string>({"22", "1", "22", "3"}));
    EXPECT_EQ(StoredIndex(), 3u);
}

// The box is stored when clicked, so closing by the close box keeps it; the position is
// stored in the dialog's own slot.
TEST_F(TipDlgTest, ClearedStartupBoxStaysClearedAfterTheCloseBox) {
    ASSERT_TRUE(m_app->GetSetTips().GetShowTips());
    CTipDlg dialog;
    CUiScript script;
    bool checkedAtFirst = false;
    script
        .Do([&] {
            checkedAtFirst = harness::IsChecked(dialog.GetHwnd(), IDC_TIP_SHOW_AT_STARTUP);
            harness::Click(dialog.GetHwnd(), IDC_TIP_SHOW_AT_STARTUP);
        })
        .Do([&] {
            SetWindowPos(dialog.GetHwnd(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            PostMessageA(dialog.GetHwnd(), WM_CLOSE, 0, 0);
        });
    Run(script, dialog, IDD_TIP);
    EXPECT_TRUE(checkedAtFirst);
    EXPECT_FALSE(m_app->GetSetTips().GetShowTips());
    int32_t x = 0, y = 0;
    m_app->GetSetDialogPosNSize().GetPosition(CTipDlg::kPlacementSlot, x, y);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 30);
}

// Without the help file the link hides and the text reaches down to the link's bottom;
// the heading is larger than the dialog font.
TEST_F(TipDlgTest, WithoutHelpTheTextTakesTheLinksLines) {
    ASSERT_FALSE(m_app->GetHelp().IsAvailable());
    CTipDlg dialog;
    CUiScript script;
    bool linkShown = true;
    RECT text = {}, link = {};
    LOGFONTA heading = {}, title = {};
    script.Do([&] {
        HWND window = dialog.GetHwnd();
        linkShown = IsWindowVisible(GetDlgItem(window, IDC_TIP_LINK)) != FALSE;
        GetWindowRect(GetDlgItem(window, IDC_TIP_TEXT), &text);
        GetWindowRect(GetDlgItem(window, IDC_TIP_LINK), &link);
        GetObjectA(
            reinterpret_cast<HFONT>(SendDlgItemMessageA(window, IDC_TIP_HEADING, WM_GETFONT, 0, 0)),
            sizeof(heading), &heading);
        GetObjectA(
            reinterpret_cast<HFONT>(SendDlgItemMessageA(window, IDC_TIP_TITLE, WM_GETFONT, 0, 0)),
            sizeof(title), &title);
        harness::Click(window, IDCANCEL);
    });
    Run(script, dialog, IDD_TIP);
    EXPECT_FALSE(linkShown);
    EXPECT_EQ(text.top < link.top, true);
    EXPECT_EQ(text.bottom, link.bottom);
    EXPECT_EQ(heading.lfHeight, title.lfHeight * 14 / 8);
}

} // namespace
