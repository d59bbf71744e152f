#include "library/dialogs/CTabControl.h"

#include "CTestDialog.h"
#include "DialogTestHelpers.h"
#include "DialogTestIds.h"
#include "harness/UiControls.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// A DIALOGEX page, a DIALOG page written as a popup, and a DIALOGEX page: each larger
// than the others in one direction.
const int kPages[] = {IDD_PAGE_SMALL, IDD_PAGE_WIDE, IDD_PAGE_TALL};

RECT WindowRectOf(HWND window) {
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    return rect;
}

std::string TabText(HWND tab, int index) {
    char text[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

bool IsShown(HWND page) {
    return IsWindowVisible(page) && IsWindowEnabled(page);
}

class CTabControlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
    }
    CResourceModule m_resources{GetModuleHandleA(nullptr)};
};

TEST_F(CTabControlTest, TheTabGrowsToHoldTheLargestPage) {
    CTestDialog dialog;
    CModeless open(dialog, IDD_MAIN, true);
    HWND tab = GetDlgItem(dialog.GetHwnd(), IDC_TABS);
    const RECT before = WindowRectOf(tab);
    CTabControl tabs;
    ASSERT_TRUE(tabs.CreatePages(dialog.GetHwnd(), tab, m_resources, 3, kPages));
    ASSERT_EQ(tabs.GetPageCount(), 3);

    const RECT after = WindowRectOf(tab);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    const SSize increase = tabs.GetSizeIncrease();
    EXPECT_EQ(increase.width, (after.right - after.left) - (before.right - before.left));
    EXPECT_EQ(increase.height, (after.bottom - after.top) - (before.bottom - before.top));
    EXPECT_GT(increase.width, 0);
    EXPECT_GT(increase.height, 0);

    RECT display = after;
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    LONG widest = 0, tallest = 0;
    const char* captions[] = {"General", "Wide", "Tall"};
    for (int i = 0; i < 3; ++i) {
        HWND page = tabs.GetPage(i);
        const RECT place = WindowRectOf(page);
        widest = std::max(widest, place.right - place.left);
        tallest = std::max(tallest, place.bottom - place.top);
        EXPECT_EQ(place.left, display.left) << i;
        EXPECT_EQ(place.top, display.top) << i;
        EXPECT_EQ(GetParent(page), dialog.GetHwnd()) << i;
        const LONG_PTR style = GetWindowLongPtrA(page, GWL_STYLE);
        EXPECT_EQ(style & (WS_CHILD | DS_CONTROL | WS_POPUP | WS_BORDER), WS_CHILD | DS_CONTROL)
            << i;
        EXPECT_EQ(TabText(tab, i), captions[i]);
        EXPECT_EQ(IsShown(page), i == 0) << i;
    }
    EXPECT_EQ(display.right - display.left, widest);
    EXPECT_EQ(display.bottom - display.top, tallest);

    // A tab control large enough keeps its size.
    CTestDialog big;
    CModeless openBig(big, IDD_BIGTAB);
    HWND bigTab = GetDlgItem(big.GetHwnd(), IDC_TABS);
    const RECT bigBefore = WindowRectOf(bigTab);
    CTabControl bigTabs;
    ASSERT_TRUE(bigTabs.CreatePages(big.GetHwnd(), bigTab, m_resources, 3, kPages));
    EXPECT_EQ(bigTabs.GetSizeIncrease(), SSize({0, 0}));
    const RECT bigAfter = WindowRectOf(bigTab);
    EXPECT_TRUE(EqualRect(&bigBefore, &bigAfter));
}

// A missing template leaves the other pages; a control id on two pages is found on
// the earlier one.
TEST_F(CTabControlTest, MissingTemplatesAndSharedIds) {
    CTestDialog dialog;
    CModeless open(dialog, IDD_MAIN);
    const int pages[] = {IDD_PAGE_SMALL, 9999, IDD_PAGE_WIDE};
    CTabControl tabs;
    EXPECT_FALSE(tabs.CreatePages(dialog.GetHwnd(), GetDlgItem(dialog.GetHwnd(), IDC_TABS),
                                  m_resources, 3, pages));
    EXPECT_EQ(tabs.GetPageCount(), 2);
    EXPECT_EQ(TabText(GetDlgItem(dialog.GetHwnd(), IDC_TABS), 1), "Wide");
    EXPECT_EQ(GetParent(tabs.GetControl(IDC_SHARED)), tabs.GetPage(0));
    EXPECT_EQ(GetParent(tabs.GetControl(IDC_PAGE_CHECK)), tabs.GetPage(1));
    EXPECT_EQ(tabs.GetControl(9999), nullptr);
}

TEST_F(CTabControlTest, OnePageIsShownAtATime) {
    CTestDialog dialog;
    CModeless open(dialog, IDD_MAIN, true);
    HWND tab = GetDlgItem(dialog.GetHwnd(), IDC_TABS);
    CTabControl tabs;
    tabs.CreatePages(dialog.GetHwnd(), tab, m_resources, 3, kPages);
    tabs.SelectPage(2);
    EXPECT_EQ(tabs.GetCurrentIndex(), 2);
    EXPECT_TRUE(IsShown(tabs.GetPage(2)));
    EXPECT_FALSE(IsShown(tabs.GetPage(0)));
    // Selecting the shown tab again changes nothing.
    ShowWindow(tabs.GetPage(2), SW_HIDE);
    tabs.SelectPage(2);
    EXPECT_FALSE(IsWindowVisible(tabs.GetPage(2)));
    ShowWindow(tabs.GetPage(2), SW_SHOW);

    // A person's choice of a tab: the control reports it to the dialog.
    SendMessageA(tab, TCM_SETCURSEL, 1, 0);
    NMHDR change = {tab, static_cast<UINT_PTR>(IDC_TABS), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(dialog.GetHwnd(), WM_NOTIFY, IDC_TABS, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(tabs.GetCurrentPage(), tabs.GetPage(1));
    EXPECT_TRUE(IsShown(tabs.GetPage(1)));
    EXPECT_FALSE(IsShown(tabs.GetPage(2)));
    EXPECT_EQ(GetFocus(), tab);
    EXPECT_EQ(CountOf(dialog.notifications, static_cast<UINT>(TCN_SELCHANGE)), 1);
}

// The dialog handles page controls as its own, and its answer reaches the control.
TEST_F(CTabControlTest, PageControlsReportToTheDialog) {
    CTestDialog dialog;
    dialog.onNotification = [](CDialogCCNotificationEvent& event) {
        event.result = 7;
        return event.header->code == static_cast<UINT>(NM_CUSTOMDRAW);
    };
    CModeless open(dialog, IDD_MAIN, true);
    CTabControl tabs;
    tabs.CreatePages(dialog.GetHwnd(), GetDlgItem(dialog.GetHwnd(), IDC_TABS), m_resources, 3,
                     kPages);
    harness::Click(tabs.GetPage(0), IDC_PAGE_BUTTON);
    EXPECT_TRUE(PumpUntil([&] { return CountOf(dialog.commands, IDC_PAGE_BUTTON) == 1; }));

    HWND edit = tabs.GetControl(IDC_SHARED);
    NMHDR header = {edit, static_cast<UINT_PTR>(IDC_SHARED), static_cast<UINT>(NM_CUSTOMDRAW)};
    EXPECT_EQ(
        SendMessageA(tabs.GetPage(0), WM_NOTIFY, IDC_SHARED, reinterpret_cast<LPARAM>(&header)), 7);
    header.code = static_cast<UINT>(NM_CLICK);
    EXPECT_EQ(
        SendMessageA(tabs.GetPage(0), WM_NOTIFY, IDC_SHARED, reinterpret_cast<LPARAM>(&header)), 0);
}

} // namespace
