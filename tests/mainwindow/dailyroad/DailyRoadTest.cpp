// The daily road, walked on the real application object with its own timers, in English
// and in Dutch, reading what a user sees: a one-activity project whose work runs since the
// day before yesterday opens with its activity selected, unchanged, and Start acts at once
// without a click on the row; the totals run; Stop keeps yesterday's and today's totals and
// the selection, so Start acts again; OK in the activities dialog keeps the row pictures;
// the compact display's time runs too, and its Stop and Start act alike; the period arrows
// are disabled and greyed while following now; minimising from outside the title bar puts
// the window in the notification area.

#include "DailyRoadFixture.h"

#include "harness/LayoutCheck.h"

#include <string>

using dailyroad::CDailyRoadFixture;
using dailyroad::kToday;
using dailyroad::kYesterday;
using dailyroad::Seconds;
using harness::CUiScript;

namespace {

// How long a total may take to move on screen: the refresh runs once a second.
const DWORD kRunMs = 3000;

// What the user saw on the way.
struct SSeen {
    bool rowSelected = true;
    bool stateSelected = false;
    bool modifiedAtLoad = true;
    bool startAtLoad = false;
    bool startedAtLoad = false;
    bool rowSelectedAfterStop = false;
    int todayAtLoad = -1;
    int todayRunning = -1;
    std::string yesterdayBeforeStop;
    int todayBeforeStop = -1;
    std::string yesterdayAfterStop;
    int todayAfterStop = -1;
    bool startAfterStop = false;
    int todayAfterStart = -1;
    int todayStartRunning = -1;
    bool picturesAfterOk = false;
    int imageAfterOk = -1;
    int compactFirst = -1;
    int compactRunning = -1;
    bool compactPictures = false;
    bool compactStartGreyed = false;
    bool compactStartAfterStop = false;
    bool compactStarted = false;
    bool arrowsEnabled = true;
    bool arrowsGreyed = false;
    bool minimisedToTray = false;
    std::string workingText;
};

} // namespace

class DailyRoadTest : public CDailyRoadFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(DailyRoadTest, TotalsRunStartStopAndPicturesHoldOnTheDailyRoad) {
    const bool dutch = GetParam();
    const std::string settings = "[View]\nMode=0\nType=1\n[MainWindow]\nTrackNow=y\nNumColumns=3\n"
                                 "[Application]\nMinimizeToNotArea=y\n";
    if (dutch) {
        UseDutch(settings);
    } else {
        SetUserSettings(settings);
    }
    RestartApp();
    const std::string path = MakeRoadProject("Road.wkp", {"Write"}, true);
    SSeen seen;
    DWORD mark = 0;
    auto today = [this] { return Seconds(Cell(0, kToday)); };
    // Waits, at most kRunMs, until today's total passes from.
    auto grows = [&](const int& from) {
        return
            [&mark, today, at = &from] { return today() > *at || GetTickCount() - mark > kRunMs; };
    };
    CUiScript script(90000);
    CTallymark* loaded = nullptr;
    script.WaitFor(WindowShown(), 15000, "the main window")
        .Do([&] {
            seen.rowSelected = RowShownSelected(0);
            seen.stateSelected = State() != nullptr && State()->GetCurrentActivity() != nullptr &&
                                 State()->GetSelectedActivity() == State()->GetCurrentActivity();
            CProject* project = App().GetProjects().GetCurrentProject();
            seen.modifiedAtLoad = project == nullptr ||
                                  project->IsModified(ppName | ppActivities | ppTallymarks) ||
                                  harness::GetText(Hwnd()).find(" *") != std::string::npos;
            seen.startAtLoad = harness::IsItemEnabled(Hwnd(), IDC_MAIN_START);
            seen.todayAtLoad = today();
            loaded = State() != nullptr ? State()->GetCurrentTallymark() : nullptr;
            // Work starts at once, without a click on the row.
            if (seen.startAtLoad) {
                harness::Click(Hwnd(), IDC_MAIN_START);
            }
        })
        .Do([&] {
            seen.startedAtLoad = State() != nullptr && State()->GetCurrentTallymark() != nullptr &&
                                 State()->GetCurrentTallymark() != loaded;
            mark = GetTickCount();
        })
        .WaitFor(grows(seen.todayAtLoad), kRunMs + 1000, "today's total at load")
        .Do([&] {
            seen.todayRunning = today();
            seen.yesterdayBeforeStop = Cell(0, kYesterday);
            seen.todayBeforeStop = today();
            harness::KeepPicture(Hwnd(), dutch ? "daily-road-nl.bmp" : "daily-road.bmp");
            harness::Click(Hwnd(), IDC_MAIN_STOP);
        })
        .WaitFor([&] { return !harness::IsItemEnabled(Hwnd(), IDC_MAIN_STOP); })
        .Do([&] {
            seen.yesterdayAfterStop = Cell(0, kYesterday);
            seen.todayAfterStop = today();
            seen.workingText = harness::GetItemText(Hwnd(), IDC_MAIN_WORKING_ON);
            seen.rowSelectedAfterStop =
                RowShownSelected(0) &&
                State()->GetSelectedActivity() == State()->GetRootActivity()->GetFirstChild();
            seen.startAfterStop = harness::IsItemEnabled(Hwnd(), IDC_MAIN_START);
            // BM_CLICK would press a disabled button as well: a person could not.
            if (seen.startAfterStop) {
                harness::Click(Hwnd(), IDC_MAIN_START);
            }
        })
        .WaitFor(
            [&] { return !seen.startAfterStop || harness::IsItemEnabled(Hwnd(), IDC_MAIN_STOP); })
        .Do([&] {
            seen.todayAfterStart = today();
            mark = GetTickCount();
        })
        .WaitFor(grows(seen.todayAfterStart), kRunMs + 1000, "today's total after Start")
        .Do([&] {
            seen.todayStartRunning = today();
            Command(IDM_ACTIVITIES_MANAGE);
        })
        .WaitFor([] { return ActivitiesDialog() != nullptr; }, 5000, "the activities dialog")
        .Do([] { harness::Click(ActivitiesDialog(), IDC_ACTIVITIES_OK); })
        .WaitFor([] { return ActivitiesDialog() == nullptr; }, 5000,
                 "the activities dialog to close")
        .Do([&] {
            seen.picturesAfterOk = ListShowsPictures();
            seen.imageAfterOk = RowImage(0);
            Command(IDM_VIEW_COMPACT);
        })
        .WaitFor(CompactShown(), 5000, "the compact display")
        .Do([&] {
            seen.compactFirst = Seconds(harness::GetItemText(CompactHwnd(), IDC_COMPACT_TIME));
            seen.compactStartGreyed =
                dailyroad::HasGreyedPicture(GetDlgItem(CompactHwnd(), IDC_COMPACT_START));
            mark = GetTickCount();
        })
        .WaitFor(
            [&] {
                return Seconds(harness::GetItemText(CompactHwnd(), IDC_COMPACT_TIME)) >
                           seen.compactFirst ||
                       GetTickCount() - mark > kRunMs;
            },
            kRunMs + 1000, "the compact time")
        .Do([&] {
            seen.compactRunning = Seconds(harness::GetItemText(CompactHwnd(), IDC_COMPACT_TIME));
            // The full window that went drew its rows from the shared pictures too.
            seen.compactPictures = ImageList_GetImageCount(ActivityImageList().Get()) == 3;
            harness::Click(CompactHwnd(), IDC_COMPACT_STOP);
        })
        .WaitFor([&] { return !harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_STOP); })
        .Do([&] {
            seen.compactStartAfterStop = harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_START);
            if (seen.compactStartAfterStop) {
                harness::Click(CompactHwnd(), IDC_COMPACT_START);
            }
        })
        .Do([&] {
            seen.compactStarted = State()->GetCurrentActivity() != nullptr;
            CompactCommand(IDM_VIEW_FULL);
        })
        .WaitFor(WindowShown(), 5000, "the full display")
        .Do([&] {
            seen.arrowsEnabled = harness::IsItemEnabled(Hwnd(), IDC_MAIN_PREVIOUS) ||
                                 harness::IsItemEnabled(Hwnd(), IDC_MAIN_NEXT);
            seen.arrowsGreyed =
                dailyroad::HasGreyedPicture(GetDlgItem(Hwnd(), IDC_MAIN_PREVIOUS)) &&
                dailyroad::HasGreyedPicture(GetDlgItem(Hwnd(), IDC_MAIN_NEXT));
            // Minimised from the taskbar: not through the title bar's button.
            ShowWindow(Hwnd(), SW_MINIMIZE);
            seen.minimisedToTray = !IsWindowVisible(Hwnd()) && App().GetNotArea().IsIconShown();
            if (App().GetNotArea().IsIconShown()) {
                App().GetNotArea().ShowIcon(false);
            }
            ShowWindow(Hwnd(), SW_RESTORE);
        })
        .WaitFor(WindowShown())
        .Do([&] { harness::Click(Hwnd(), IDC_MAIN_STOP); })
        .WaitFor([&] { return !harness::IsItemEnabled(Hwnd(), IDC_MAIN_STOP); })
        .Do([&] { Command(IDM_PROJECT_EXIT); })
        .AnswerMessageBox(IDNO);
    EXPECT_EQ(Run(script, path), 0);

    const int runSeconds = static_cast<int>(kRunMs / 1000);
    EXPECT_EQ(seen.rowSelected, seen.stateSelected)
        << "the row shows a selection that the project does not have";
    EXPECT_TRUE(seen.stateSelected) << "the running activity is not selected at start-up";
    EXPECT_FALSE(seen.modifiedAtLoad) << "the selection counts as an unsaved change";
    EXPECT_TRUE(seen.startAtLoad) << "Start is grey at start-up";
    EXPECT_TRUE(seen.startedAtLoad) << "Start at start-up started nothing";
    EXPECT_GT(seen.todayAtLoad, 0);
    EXPECT_GT(seen.todayRunning, seen.todayAtLoad) << "today's total stands still while work runs";
    EXPECT_GT(Seconds(seen.yesterdayBeforeStop), 0);
    EXPECT_EQ(seen.yesterdayAfterStop, seen.yesterdayBeforeStop) << "Stop lost yesterday's total";
    EXPECT_GE(seen.todayAfterStop, seen.todayBeforeStop) << "Stop lost today's total";
    EXPECT_LE(seen.todayAfterStop, seen.todayBeforeStop + runSeconds);
    EXPECT_TRUE(seen.rowSelectedAfterStop) << "Stop took the selection away";
    EXPECT_TRUE(seen.startAfterStop) << "Start is grey after Stop";
    EXPECT_GT(seen.todayStartRunning, seen.todayAfterStart) << "the total stands still after Start";
    EXPECT_TRUE(seen.picturesAfterOk) << "the activity pictures went with the activities dialog";
    EXPECT_EQ(seen.imageAfterOk, 2);
    EXPECT_GT(seen.compactFirst, 0);
    EXPECT_GT(seen.compactRunning, seen.compactFirst) << "the compact time stands still";
    EXPECT_TRUE(seen.compactPictures) << "the activity pictures went with the full window";
    EXPECT_TRUE(seen.compactStartGreyed);
    EXPECT_TRUE(seen.compactStartAfterStop) << "the compact Start is grey after Stop";
    EXPECT_TRUE(seen.compactStarted);
    EXPECT_FALSE(seen.arrowsEnabled) << "the period arrows act while following now";
    EXPECT_TRUE(seen.arrowsGreyed) << "the period arrows do not look disabled";
    EXPECT_TRUE(seen.minimisedToTray)
        << "a minimise from outside the title bar stays on the taskbar";
    // The language that the window speaks.
    char english[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_NOT_WORKING, english, sizeof english);
    if (dutch) {
        EXPECT_NE(seen.workingText, english);
    } else {
        EXPECT_EQ(seen.workingText, english);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, DailyRoadTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Dutch" : "English");
                         });
