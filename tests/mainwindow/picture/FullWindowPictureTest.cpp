// The full main window with a sample project on a real display: every control of the
// window shows inside the client area without overlapping another, at the template's size
// and stretched, and a picture of it is kept for people to look at.

#include "../fullwindow/MainWindowFixture.h"

#include "harness/LayoutCheck.h"
#include "resources/ResourceIds.h"

#include <string>
#include <vector>

using harness::CUiScript;
using mainwindowtest::CMainWindowFixture;

namespace {

const std::vector<int> kControls = {
    IDC_MAIN_PROJECT_LABEL, IDC_MAIN_PROJECT,   IDC_MAIN_WORKING_LABEL, IDC_MAIN_WORKING_ON,
    IDC_MAIN_FOLLOW_NOW,    IDC_MAIN_SHOW_DATE, IDC_MAIN_PERIOD_FRAME,  IDC_MAIN_ACTIVITIES,
    IDC_MAIN_START,         IDC_MAIN_STOP,      IDC_MAIN_NEW_TALLYMARK};
// Inside the period frame.
const int kFramed[] = {IDC_MAIN_PREVIOUS, IDC_MAIN_PERIOD, IDC_MAIN_NEXT};

// What is wrong with the layout as shown, one line per fault; empty when nothing is.
std::string CheckLayout(HWND dialog) {
    std::string faults = harness::CheckShownControls(dialog, kControls);
    const RECT frame = harness::ItemRect(dialog, IDC_MAIN_PERIOD_FRAME);
    for (int id : kFramed) {
        const RECT rect = harness::ItemRect(dialog, id);
        if (!harness::Inside(rect, frame)) {
            faults += std::to_string(id) + " outside the period frame\n";
        }
    }
    return faults;
}

} // namespace

class FullWindowPictureTest : public CMainWindowFixture {};

TEST_F(FullWindowPictureTest, SampleProjectLaysOutCleanlyAtEverySize) {
    const std::string path = MakeProject(
        "Sample.wkp", "Kitchen renovation",
        {{"Planning", -1, 3}, {"Quotes", 0, 1}, {"Demolition", -1, 5}, {"Plumbing", -1, 2}});
    CUiScript script;
    std::string atTemplate, stretched;
    std::string picture;
    script.WaitFor(WindowShown())
        .Do([&] { harness::SelectListRow(Hwnd(), IDC_MAIN_ACTIVITIES, 2); })
        .WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_MAIN_START); })
        .Do([&] {
            atTemplate = CheckLayout(Hwnd());
            picture = "full-window.bmp";
            harness::KeepPicture(Hwnd(), picture);
            RECT window = {};
            GetWindowRect(Hwnd(), &window);
            SetWindowPos(Hwnd(), nullptr, 0, 0, (window.right - window.left) * 3 / 2,
                         (window.bottom - window.top) * 3 / 2, SWP_NOMOVE | SWP_NOZORDER);
        })
        .Do([&] {
            stretched = CheckLayout(Hwnd());
            Command(IDM_PROJECT_EXIT);
        });
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(atTemplate, "");
    EXPECT_EQ(stretched, "");
    EXPECT_NE(GetFileAttributesA(picture.c_str()), INVALID_FILE_ATTRIBUTES) << picture;
}
