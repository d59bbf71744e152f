// The compact main window with a sample project on a real display: every control shows
// inside the client area without overlapping another (the time lies inside its frame),
// the window is wide enough for its menu bar on one line, and a picture of it is kept for
// people to look at.

#include "../compact/CompactWindowFixture.h"

#include "harness/WindowPicture.h"
#include "resources/ResourceIds.h"

#include <string>
#include <utility>
#include <vector>

using harness::CUiScript;
using mainwindowtest::CCompactWindowFixture;

namespace {

const int kControls[] = {IDC_COMPACT_STATE, IDC_COMPACT_ACTIVITY,   IDC_COMPACT_START,
                         IDC_COMPACT_STOP,  IDC_COMPACT_TIME_FRAME, IDC_COMPACT_TOPMOST};

RECT ClientRectOf(HWND dialog, int id) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// What is wrong with the layout as shown, one line per fault; empty when nothing is.
std::string CheckLayout(HWND dialog) {
    std::string faults;
    RECT client = {};
    GetClientRect(dialog, &client);
    std::vector<std::pair<int, RECT>> shown;
    for (int id : kControls) {
        const RECT rect = ClientRectOf(dialog, id);
        if (!IsWindowVisible(GetDlgItem(dialog, id)) || IsRectEmpty(&rect)) {
            faults += std::to_string(id) + " not shown\n";
        } else if (!Inside(rect, client)) {
            faults += std::to_string(id) + " outside the client area\n";
        }
        for (const auto& other : shown) {
            RECT overlap = {};
            if (IntersectRect(&overlap, &rect, &other.second)) {
                faults += std::to_string(id) + " overlaps " + std::to_string(other.first) + "\n";
            }
        }
        shown.push_back({id, rect});
    }
    if (!Inside(ClientRectOf(dialog, IDC_COMPACT_TIME),
                ClientRectOf(dialog, IDC_COMPACT_TIME_FRAME))) {
        faults += "the time outside its frame\n";
    }
    // The 48-pixel state icon is not cut off.
    const RECT icon = ClientRectOf(dialog, IDC_COMPACT_STATE);
    if (icon.right - icon.left < 48 || icon.bottom - icon.top < 48) {
        faults += "state icon smaller than 48 x 48\n";
    }
    // One line of menu bar: its height is that of one item.
    MENUBARINFO bar = {};
    bar.cbSize = sizeof(bar);
    RECT item = {};
    if (GetMenuBarInfo(dialog, OBJID_MENU, 0, &bar) &&
        GetMenuItemRect(dialog, GetMenu(dialog), 0, &item) &&
        bar.rcBar.bottom - bar.rcBar.top > (item.bottom - item.top) + 2) {
        faults += "menu bar wraps\n";
    }
    return faults;
}

} // namespace

class CompactWindowPictureTest : public CCompactWindowFixture {};

TEST_F(CompactWindowPictureTest, SampleProjectLaysOutCleanly) {
    const std::string path = MakeProject(
        "Sample.wkp", "Kitchen renovation",
        {{"Planning", -1, 3}, {"Quotes", 0, 1}, {"Demolition", -1, 5}, {"Plumbing", -1, 2}});
    SetUserSettings("[View]\nMode=1\nType=5\n");
    RestartApp();
    CUiScript script;
    std::string layout;
    std::string picture;
    script.WaitFor(CompactShown())
        .Do([&] { harness::SelectComboItem(CompactHwnd(), IDC_COMPACT_ACTIVITY, 1); })
        .Do([&] { harness::Click(CompactHwnd(), IDC_COMPACT_START); })
        .WaitFor([&] { return harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_STOP); })
        .Do([&] {
            layout = CheckLayout(CompactHwnd());
            char folder[MAX_PATH] = "";
            GetCurrentDirectoryA(MAX_PATH, folder);
            picture = std::string(folder) + "\\compact-window.bmp";
            harness::SaveWindowPicture(CompactHwnd(), picture);
            harness::Click(CompactHwnd(), IDC_COMPACT_STOP);
        })
        .WaitFor([&] { return !harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_STOP); })
        .Do([&] { CompactCommand(IDM_PROJECT_EXIT); })
        .AnswerMessageBox(IDNO, "unsaved changes");
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(layout, "");
    EXPECT_NE(GetFileAttributesA(picture.c_str()), INVALID_FILE_ATTRIBUTES) << picture;
}
