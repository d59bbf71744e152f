// The compact main window with a sample project on a real display: every control shows
// inside the client area without overlapping another (the time lies inside its frame),
// the window is wide enough for its menu bar on one line, and a picture of it is kept for
// people to look at.

#include "../compact/CompactWindowFixture.h"

#include "harness/LayoutCheck.h"
#include "resources/ResourceIds.h"

#include <string>
#include <vector>

using harness::CUiScript;
using mainwindowtest::CCompactWindowFixture;

namespace {

const std::vector<int> kControls = {IDC_COMPACT_STATE, IDC_COMPACT_ACTIVITY,   IDC_COMPACT_START,
                                    IDC_COMPACT_STOP,  IDC_COMPACT_TIME_FRAME, IDC_COMPACT_TOPMOST};

// What is wrong with the layout as shown, one line per fault; empty when nothing is.
std::string CheckLayout(HWND dialog) {
    std::string faults = harness::CheckShownControls(dialog, kControls);
    if (!harness::Inside(harness::ItemRect(dialog, IDC_COMPACT_TIME),
                         harness::ItemRect(dialog, IDC_COMPACT_TIME_FRAME))) {
        faults += "the time outside its frame\n";
    }
    // The 48-pixel state icon is not cut off.
    const RECT icon = harness::ItemRect(dialog, IDC_COMPACT_STATE);
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
            picture = "compact-window.bmp";
            harness::KeepPicture(CompactHwnd(), picture);
            harness::Click(CompactHwnd(), IDC_COMPACT_STOP);
        })
        .WaitFor([&] { return !harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_STOP); })
        .Do([&] { CompactCommand(IDM_PROJECT_EXIT); })
        .AnswerMessageBox(IDNO, "unsaved changes");
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(layout, "");
    EXPECT_NE(GetFileAttributesA(picture.c_str()), INVALID_FILE_ATTRIBUTES) << picture;
}
