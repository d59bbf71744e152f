// The settings dialog on a real display, one page after the other: every tab readable in
// one row, each page inside the tab control's display area, no visible control covers another
// (group boxes hold theirs), the buttons stay clear of the tabs; a picture of each page is kept for
// people to look at.

#include "../settings/SettingsFixture.h"

#include "harness/LayoutCheck.h"

#include <string>
#include <vector>

using harness::CUiScript;
using settingstest::CSettingsFixture;

namespace {

using harness::Inside;
using harness::RectIn;

// What is wrong with the layout of the page shown, one line per fault; empty when nothing.
std::string CheckLayout(const CSettingsDlg& dialog) {
    HWND window = dialog.GetHwnd();
    HWND page = dialog.GetTabs().GetCurrentPage();
    HWND tabs = GetDlgItem(window, IDC_SET_TABS);
    std::string faults;
    RECT display = RectIn(window, tabs);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    faults += Inside(RectIn(window, page), display) ? "" : "page outside the tab area\n";
    // Every tab in one row, none behind the scroll arrows.
    RECT lastTab = {}, tabsClient = {};
    SendMessageA(tabs, TCM_GETITEMRECT, CSettingsDlg::PageCount - 1,
                 reinterpret_cast<LPARAM>(&lastTab));
    GetClientRect(tabs, &tabsClient);
    faults += SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0) == 1 && lastTab.right <= tabsClient.right
                  ? ""
                  : "tabs cut off\n";
    std::vector<HWND> shown;
    for (HWND child : harness::VisibleChildren(window)) {
        if (child != page) {
            shown.push_back(child);
        }
    }
    for (HWND child : harness::VisibleChildren(page)) {
        shown.push_back(child);
        faults += Inside(RectIn(window, child), RectIn(window, page))
                      ? ""
                      : std::to_string(GetDlgCtrlID(child)) + " outside its page\n";
    }
    // Group boxes hold what lies inside them, the tabs what lies in their display area.
    harness::SLayoutRules rules;
    rules.mayHold = [&](HWND outer, HWND inner) {
        return harness::GroupBoxHolds(outer, inner) ||
               (outer == tabs && Inside(RectIn(window, inner), display));
    };
    return faults + harness::CheckLayout(window, shown, rules);
}

TEST_F(CSettingsFixture, EveryPageInsideTheTabsWithNoControlOnAnother) {
    StartApp(true);
    CSettingsDlg dialog;
    CUiScript script;
    std::vector<std::string> layouts;
    for (int page = 0; page < CSettingsDlg::PageCount; ++page) {
        script.Do([&, page] { settingstest::SelectPage(dialog, page); }).Do([&, page] {
            layouts.push_back(CheckLayout(dialog));
            const std::string file = "settings-page-" + std::to_string(page) + ".bmp";
            EXPECT_TRUE(harness::KeepPicture(dialog.GetHwnd(), file)) << file;
        });
    }
    script.Do([&] { PostMessageA(dialog.GetHwnd(), WM_CLOSE, 0, 0); });
    Run(script, dialog);
    ASSERT_EQ(layouts.size(), static_cast<size_t>(CSettingsDlg::PageCount));
    for (int page = 0; page < CSettingsDlg::PageCount; ++page) {
        EXPECT_EQ(layouts[static_cast<size_t>(page)], "") << "page " << page;
    }
}

} // namespace
