// The settings dialog on a real display, one page after the other: every tab readable in
// one row, each page inside the tab control's display area, no visible control covers another
// (group boxes hold theirs), the buttons stay clear of the tabs; a picture of each page is kept for
// people to look at.

#include "../settings/SettingsFixture.h"

#include "harness/WindowPicture.h"

#include <string>
#include <vector>

using harness::CUiScript;
using settingstest::CSettingsFixture;

namespace {

RECT DialogRectOf(HWND dialog, HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    RECT both = {};
    return IntersectRect(&both, &inner, &outer) && EqualRect(&both, &inner);
}

bool IsGroupBox(HWND control) {
    char name[16] = "";
    GetClassNameA(control, name, sizeof(name));
    return lstrcmpiA(name, "Button") == 0 &&
           (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

std::vector<HWND> VisibleChildren(HWND parent) {
    std::vector<HWND> shown;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            shown.push_back(child);
        }
    }
    return shown;
}

// What is wrong with the layout of the page shown, one line per fault; empty when nothing.
std::string CheckLayout(const CSettingsDlg& dialog) {
    HWND window = dialog.GetHwnd();
    HWND page = dialog.GetTabs().GetCurrentPage();
    std::string faults;
    RECT client = {};
    GetClientRect(window, &client);
    RECT display = DialogRectOf(window, GetDlgItem(window, IDC_SET_TABS));
    SendMessageA(GetDlgItem(window, IDC_SET_TABS), TCM_ADJUSTRECT, FALSE,
                 reinterpret_cast<LPARAM>(&display));
    faults += Inside(DialogRectOf(window, page), display) ? "" : "page outside the tab area\n";
    // Every tab in one row, none behind the scroll arrows.
    HWND tabs = GetDlgItem(window, IDC_SET_TABS);
    RECT lastTab = {}, tabsClient = {};
    SendMessageA(tabs, TCM_GETITEMRECT, CSettingsDlg::PageCount - 1,
                 reinterpret_cast<LPARAM>(&lastTab));
    GetClientRect(tabs, &tabsClient);
    faults += SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0) == 1 && lastTab.right <= tabsClient.right
                  ? ""
                  : "tabs cut off\n";
    std::vector<HWND> shown;
    for (HWND child : VisibleChildren(window)) {
        if (child != page) {
            shown.push_back(child);
        }
    }
    for (HWND child : VisibleChildren(page)) {
        shown.push_back(child);
        faults += Inside(DialogRectOf(window, child), DialogRectOf(window, page))
                      ? ""
                      : std::to_string(GetDlgCtrlID(child)) + " outside its page\n";
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        const RECT rect = DialogRectOf(window, shown[i]);
        const std::string name = std::to_string(GetDlgCtrlID(shown[i]));
        faults += Inside(rect, client) ? "" : name + " outside the client area\n";
        for (size_t j = 0; j < i; ++j) {
            const RECT other = DialogRectOf(window, shown[j]);
            RECT overlap = {};
            const bool tabHoldsIt = GetDlgCtrlID(shown[j]) == IDC_SET_TABS && Inside(rect, display);
            if (IntersectRect(&overlap, &rect, &other) && !tabHoldsIt &&
                !(IsGroupBox(shown[i]) && Inside(other, rect)) &&
                !(IsGroupBox(shown[j]) && Inside(rect, other))) {
                faults += name + " overlaps " + std::to_string(GetDlgCtrlID(shown[j])) + "\n";
            }
        }
    }
    return faults;
}

TEST_F(CSettingsFixture, EveryPageInsideTheTabsWithNoControlOnAnother) {
    StartApp(true);
    CSettingsDlg dialog;
    CUiScript script;
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::vector<std::string> layouts;
    for (int page = 0; page < CSettingsDlg::PageCount; ++page) {
        script.Do([&, page] { settingstest::SelectPage(dialog, page); }).Do([&, page] {
            layouts.push_back(CheckLayout(dialog));
            const std::string path =
                std::string(folder) + "\\settings-page-" + std::to_string(page) + ".bmp";
            EXPECT_TRUE(harness::SaveWindowPicture(dialog.GetHwnd(), path)) << path;
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
