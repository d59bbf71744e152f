// The compact main window run by the real application object: the display switch both
// ways, its stored mode and position, the time of the chosen activity, the state icon, a
// project without activities and the window without projects.

#include "CompactWindowFixture.h"

#include "app/ui/SharedPictures.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "library/files/CFilePath.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <string>
#include <vector>

using harness::CUiScript;
using mainwindowtest::CCompactWindowFixture;
using mainwindowtest::SFixtureActivity;

namespace {

const std::vector<SFixtureActivity> kTree = {
    {"Build", -1, 2}, {"Compile", 0, 1}, {"Link", 0, 0}, {"Test", -1, 3}, {"Unit", 3, 0},
};

bool Visible(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

std::vector<std::string> ComboItems(HWND dialog) {
    std::vector<std::string> items;
    HWND combo = GetDlgItem(dialog, IDC_COMPACT_ACTIVITY);
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        char text[128] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

HICON StateIcon(HWND dialog) {
    return reinterpret_cast<HICON>(
        SendDlgItemMessageA(dialog, IDC_COMPACT_STATE, STM_GETICON, 0, 0));
}

HICON Big(EWorkingState state) {
    return ApplicationIcons().Get(state, EIconSize::Big48);
}

std::vector<int> ColumnWidths(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_MAIN_ACTIVITIES);
    std::vector<int> widths;
    const int columns = Header_GetItemCount(ListView_GetHeader(list));
    for (int column = 0; column < columns; ++column) {
        widths.push_back(ListView_GetColumnWidth(list, column));
    }
    return widths;
}

} // namespace

class CompactWindowTest : public CCompactWindowFixture {};

// Compact, full, compact, full: the compact window opens at its stored position and
// stores where it was left; the full window's column widths outlive the compact window.
TEST_F(CompactWindowTest, DisplaySwitchBothWaysKeepsPositionAndColumnWidths) {
    const std::string path = MakeProject("Switch.wkp", "Switch", kTree);
    SetUserSettings("[View]\nMode=1\n[Dialogs]\nPositionXDlg11=123\nPositionYDlg11=77\n");
    RestartApp();
    CUiScript script;
    RECT placed = {};
    std::vector<int> before, after;
    std::vector<std::string> items;
    auto widen = [&] {
        HWND list = GetDlgItem(Hwnd(), IDC_MAIN_ACTIVITIES);
        const int widths[] = {150, 91, 77};
        for (int column = 0; column < 3; ++column) {
            ListView_SetColumnWidth(list, column, widths[column]);
        }
        before = ColumnWidths(Hwnd());
        Command(IDM_VIEW_COMPACT);
    };
    script.WaitFor(CompactShown())
        .Do([&] {
            GetWindowRect(CompactHwnd(), &placed);
            items = ComboItems(CompactHwnd());
            CompactCommand(IDM_VIEW_FULL);
        })
        .WaitFor(WindowShown())
        .Do(widen)
        .WaitFor(CompactShown())
        .Do([&] {
            SetWindowPos(CompactHwnd(), nullptr, 140, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            CompactCommand(IDM_VIEW_FULL);
        })
        .WaitFor(WindowShown())
        .Do([&] {
            after = ColumnWidths(Hwnd());
            Command(IDM_PROJECT_EXIT);
        });
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(placed.left, 123);
    EXPECT_EQ(placed.top, 77);
    EXPECT_EQ(items, (std::vector<std::string>{"Build", "Build\\Compile", "Build\\Link", "Test",
                                               "Test\\Unit"}));
    EXPECT_EQ(before, std::vector<int>({150, 91, 77}));
    EXPECT_EQ(after, before);
    const std::string ini = ReadUserSettings();
    for (const char* entry : {"[View]\r\nMode=0", "ActivityWidth=150", "PositionXDlg11=140\r\n",
                              "PositionYDlg11=90\r\n"}) {
        EXPECT_NE(ini.find(entry), std::string::npos) << entry << "\n" << ini;
    }
}

// Without projects only the state icon and the always-on-top toggle show; a project without
// activities then shows the empty time (and has nothing to start). The window's menu goes
// with the window, once.
TEST_F(CompactWindowTest, WithoutProjectsAndWithoutActivities) {
    const std::string path = MakeProject("Empty.wkp", "Empty", {});
    SetUserSettings("[View]\nMode=1\nTopMost=n\n");
    RestartApp();
    CUiScript script;
    std::vector<int> visible;
    std::vector<bool> topMost;
    std::vector<std::string> texts;
    HICON icon = nullptr;
    HMENU menu = nullptr;
    bool startEnabled = true;
    BUTTON_IMAGELIST images = {};
    auto recordTopMost = [&] {
        topMost.push_back(harness::IsChecked(CompactHwnd(), IDC_COMPACT_TOPMOST));
        topMost.push_back((GetWindowLongPtrA(CompactHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    };
    script.WaitFor(CompactShown())
        .Do([&] {
            for (int id = IDC_COMPACT_STATE; id <= IDC_COMPACT_TOPMOST; ++id) {
                if (Visible(CompactHwnd(), id)) {
                    visible.push_back(id);
                }
            }
            icon = StateIcon(CompactHwnd());
            menu = GetMenu(CompactHwnd());
            SendDlgItemMessageA(CompactHwnd(), IDC_COMPACT_TOPMOST, BCM_GETIMAGELIST, 0,
                                reinterpret_cast<LPARAM>(&images));
            harness::Click(CompactHwnd(), IDC_COMPACT_TOPMOST);
        })
        .Do([&] {
            recordTopMost();
            harness::Click(CompactHwnd(), IDC_COMPACT_TOPMOST);
        })
        .Do([&] {
            recordTopMost();
            App().GetProjects().Open(CFilePath(path), CProjects::kOpenAndSwitch, true);
            startEnabled = harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_START);
            CSetTimeDisplay& display = App().GetSetTimeDisplay();
            for (uint32_t mode : {CSetTimeDisplay::EmptyAsDashes, CSetTimeDisplay::EmptyAsNothing,
                                  CSetTimeDisplay::EmptyAsZeros}) {
                display.SetEmptyMode(mode);
                texts.push_back(harness::GetItemText(CompactHwnd(), IDC_COMPACT_TIME));
            }
            CompactCommand(IDM_VIEW_MONTH);
            Compact()->ShowStatistics(); // as the hour's and the running work's refreshes do
            texts.push_back(harness::GetItemText(CompactHwnd(), IDC_COMPACT_TIME));
            CompactCommand(IDM_PROJECT_EXIT);
        });
    EXPECT_EQ(Run(script), 0);
    EXPECT_EQ(visible, std::vector<int>({IDC_COMPACT_STATE, IDC_COMPACT_TOPMOST}));
    EXPECT_EQ(icon, Big(EWorkingState::NoProject));
    EXPECT_EQ(images.himl, TopMostOffButtonImage().imageList.Get());
    EXPECT_EQ(topMost, std::vector<bool>({true, true, false, false}));
    EXPECT_FALSE(startEnabled);
    EXPECT_EQ(texts, (std::vector<std::string>{"--", "", "00:00:00", "00:00:00"}));
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_NE(ReadUserSettings().find("[View]\r\nMode=1"), std::string::npos);
}

// The time of the chosen activity over the whole project, its own or with its descendants;
// start and stop act on the chosen activity; the state icon counts work in every project.
TEST_F(CompactWindowTest, ShowsTheChosenActivitysTimeAndFollowsWorkInEveryProject) {
    const std::string other = MakeProject("Other.wkp", "Other", {{"Elsewhere", -1, 0}});
    const std::string path = MakeProject("Time.wkp", "Time", kTree);
    SetUserSettings("[View]\nMode=1\nType=5\n[TimeDisplay]\nShowCumulativeTime=n\nEmptyMode=1\n"
                    "[OpenProjects]\nSize=1\nActive=0\nProject0Name=Other\nProject0FilePath=" +
                    other + "\n");
    RestartApp();
    CUiScript script;
    std::vector<std::string> texts;
    std::vector<HICON> icons;
    std::string working;
    bool stopWhileOtherWorks = true;
    LRESULT shown = -1;
    script.WaitFor(CompactShown())
        .Do([&] {
            HWND window = CompactHwnd();
            auto time = [&] { texts.push_back(harness::GetItemText(window, IDC_COMPACT_TIME)); };
            time(); // Build
            App().GetSetTimeDisplay().SetShowCumulativeTime(true);
            time();
            harness::SelectComboItem(window, IDC_COMPACT_ACTIVITY, 4); // Test\Unit
            time();
            App().GetSetTimeDisplay().SetShowCumulativeTime(false);
            harness::SelectComboItem(window, IDC_COMPACT_ACTIVITY, 1); // Build\Compile
            time();
            // Work in the other project.
            CProjects& projects = App().GetProjects();
            CProject* elsewhere = projects.GetNext(projects.GetCurrentProject(), true, false);
            icons.push_back(StateIcon(window));
            projects.StartWorking(elsewhere,
                                  elsewhere->GetState()->GetRootActivity()->GetFirstChild());
            icons.push_back(StateIcon(window));
            stopWhileOtherWorks = harness::IsItemEnabled(window, IDC_COMPACT_STOP);
            projects.StopWorking(elsewhere);
            icons.push_back(StateIcon(window));
            // A selection made elsewhere shows in the chooser and its time.
            CProjectState* state = projects.GetCurrentProject()->GetState();
            state->SetSelectedActivity(state->GetRootActivity()->GetFirstChild()); // Build
            shown = SendDlgItemMessageA(window, IDC_COMPACT_ACTIVITY, CB_GETCURSEL, 0, 0);
            time();
            harness::SelectComboItem(window, IDC_COMPACT_ACTIVITY, 1); // Build\Compile
            harness::Click(window, IDC_COMPACT_START);
        })
        .WaitFor([&] { return harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_STOP); })
        .Do([&] {
            CActivity* current =
                App().GetProjects().GetCurrentProject()->GetState()->GetCurrentActivity();
            working = current != nullptr ? current->GetPath() : "-";
            icons.push_back(StateIcon(CompactHwnd()));
            harness::Click(CompactHwnd(), IDC_COMPACT_STOP);
        })
        .WaitFor([&] { return !harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_STOP); })
        .Do([&] { CompactCommand(IDM_PROJECT_EXIT); })
        .AnswerMessageBox(IDNO, "unsaved changes")
        .AnswerMessageBox(IDNO, "unsaved changes");
    EXPECT_EQ(Run(script, path), 0);
    auto hours = [&](int count) {
        return App().GetSetTimeDisplay().FormatDuration(CDateTimeSpan(0, count, 0, 0));
    };
    EXPECT_EQ(texts, (std::vector<std::string>{hours(2), hours(3), "--", hours(1), hours(2)}));
    EXPECT_EQ(shown, 0);
    EXPECT_FALSE(stopWhileOtherWorks);
    EXPECT_EQ(working, "Build\\Compile");
    EXPECT_EQ(icons,
              (std::vector<HICON>{Big(EWorkingState::NotWorking), Big(EWorkingState::Working),
                                  Big(EWorkingState::NotWorking), Big(EWorkingState::Working)}));
}
