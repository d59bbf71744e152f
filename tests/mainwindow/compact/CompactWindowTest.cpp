// The compact main window run by the real application object: the display switch both
// ways, its stored mode and position, the time of the chosen activity, the state icon, a
// project without activities and the window without projects.

#include "CompactWindowFixture.h"

#include "app/ui/SharedPictures.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
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

// The full window's column widths outlive the compact window in between.
TEST_F(CompactWindowTest, DisplaySwitchBothWaysKeepsTheColumnWidths) {
    const std::string path = MakeProject("Switch.wkp", "Switch", kTree);
    CUiScript script;
    std::vector<int> before, after;
    std::vector<std::string> items;
    std::string compactTitle;
    script.WaitFor(WindowShown())
        .Do([&] {
            HWND list = GetDlgItem(Hwnd(), IDC_MAIN_ACTIVITIES);
            const int widths[] = {150, 91, 77};
            for (int column = 0; column < 3; ++column) {
                ListView_SetColumnWidth(list, column, widths[column]);
            }
            before = ColumnWidths(Hwnd());
            Command(IDM_VIEW_COMPACT);
        })
        .WaitFor(CompactShown())
        .Do([&] {
            items = ComboItems(CompactHwnd());
            compactTitle = harness::GetText(CompactHwnd());
            CompactCommand(IDM_VIEW_FULL);
        })
        .WaitFor(WindowShown())
        .Do([&] {
            after = ColumnWidths(Hwnd());
            Command(IDM_PROJECT_EXIT);
        });
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(before, std::vector<int>({150, 91, 77}));
    EXPECT_EQ(after, before);
    EXPECT_EQ(items, (std::vector<std::string>{"Build", "Build\\Compile", "Build\\Link", "Test",
                                               "Test\\Unit"}));
    EXPECT_EQ(compactTitle, "Switch - Tallymarks");
    const std::string ini = ReadUserSettings();
    EXPECT_NE(ini.find("[View]\r\nMode=0"), std::string::npos) << ini;
    EXPECT_NE(ini.find("ActivityWidth=150"), std::string::npos) << ini;
}

TEST_F(CompactWindowTest, TheCompactModeIsRememberedWithItsPosition) {
    SetUserSettings("[View]\nMode=1\n");
    RestartApp();
    CUiScript first;
    first.WaitFor(CompactShown()).Do([&] {
        SetWindowPos(CompactHwnd(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        CompactCommand(IDM_PROJECT_EXIT);
    });
    EXPECT_EQ(Run(first), 0);
    std::string ini = ReadUserSettings();
    EXPECT_NE(ini.find("[View]\r\nMode=1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("PositionXDlg11=123\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("PositionYDlg11=77\r\n"), std::string::npos) << ini;

    RestartApp();
    CUiScript second;
    RECT placed = {};
    second.WaitFor(CompactShown())
        .Do([&] {
            GetWindowRect(CompactHwnd(), &placed);
            CompactCommand(IDM_VIEW_FULL);
        })
        .WaitFor(WindowShown())
        .Do([&] { Command(IDM_PROJECT_EXIT); });
    EXPECT_EQ(Run(second), 0);
    EXPECT_EQ(placed.left, 123);
    EXPECT_EQ(placed.top, 77);
    ini = ReadUserSettings();
    EXPECT_NE(ini.find("[View]\r\nMode=0"), std::string::npos) << ini;
}

// Also: the window's menu goes with the window, once.
TEST_F(CompactWindowTest, WithoutProjectsOnlyTheIconAndTheTopMostToggleShow) {
    SetUserSettings("[View]\nMode=1\nTopMost=n\n");
    RestartApp();
    CUiScript script;
    std::vector<int> visible;
    HICON icon = nullptr;
    HMENU menu = nullptr;
    bool checkedOn = false, topMostOn = false, checkedOff = true, topMostOff = true;
    BUTTON_IMAGELIST images = {};
    auto topMost = [&] {
        return (GetWindowLongPtrA(CompactHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
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
            checkedOn = harness::IsChecked(CompactHwnd(), IDC_COMPACT_TOPMOST);
            topMostOn = topMost();
            harness::Click(CompactHwnd(), IDC_COMPACT_TOPMOST);
        })
        .Do([&] {
            checkedOff = harness::IsChecked(CompactHwnd(), IDC_COMPACT_TOPMOST);
            topMostOff = topMost();
            CompactCommand(IDM_PROJECT_EXIT);
        });
    EXPECT_EQ(Run(script), 0);
    EXPECT_EQ(visible, std::vector<int>({IDC_COMPACT_STATE, IDC_COMPACT_TOPMOST}));
    EXPECT_EQ(icon, Big(EWorkingState::NoProject));
    EXPECT_EQ(images.himl, TopMostOffButtonImage().imageList.Get());
    EXPECT_TRUE(checkedOn);
    EXPECT_TRUE(topMostOn);
    EXPECT_FALSE(checkedOff);
    EXPECT_FALSE(topMostOff);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(IsMenu(menu));
}

TEST_F(CompactWindowTest, AProjectWithoutActivitiesShowsTheEmptyTime) {
    const std::string path = MakeProject("Empty.wkp", "Empty", {});
    SetUserSettings("[View]\nMode=1\n");
    RestartApp();
    CUiScript script;
    std::vector<std::string> texts;
    bool startEnabled = true;
    size_t items = 99;
    script.WaitFor(CompactShown()).Do([&] {
        startEnabled = harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_START);
        items = ComboItems(CompactHwnd()).size();
        CSetTimeDisplay& display = App().GetSetTimeDisplay();
        for (uint32_t mode : {CSetTimeDisplay::EmptyAsDashes, CSetTimeDisplay::EmptyAsNothing,
                              CSetTimeDisplay::EmptyAsZeros}) {
            display.SetEmptyMode(mode);
            // Every refresh path: the setting's event, the period kind and the hour.
            texts.push_back(harness::GetItemText(CompactHwnd(), IDC_COMPACT_TIME));
            Compact()->ShowStatistics();
            texts.push_back(harness::GetItemText(CompactHwnd(), IDC_COMPACT_TIME));
        }
        CompactCommand(IDM_VIEW_MONTH);
        texts.push_back(harness::GetItemText(CompactHwnd(), IDC_COMPACT_TIME));
        CompactCommand(IDM_PROJECT_EXIT);
    });
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"--", "--", "", "", "00:00:00", "00:00:00", "00:00:00"}));
    EXPECT_FALSE(startEnabled);
    EXPECT_EQ(items, 0u);
}

TEST_F(CompactWindowTest, TheStateIconFollowsWorkInEveryProject) {
    const std::string other = MakeProject("Other.wkp", "Other", {{"Elsewhere", -1, 0}});
    const std::string shown = MakeProject("Shown.wkp", "Shown", kTree);
    SetUserSettings("[View]\nMode=1\n[OpenProjects]\nSize=1\nActive=0\nProject0Name=Other\n"
                    "Project0FilePath=" +
                    other + "\n");
    RestartApp();
    CUiScript script;
    std::vector<HICON> icons;
    bool stopWhileOtherWorks = true;
    script.WaitFor(CompactShown())
        .Do([&] {
            CProjects& projects = App().GetProjects();
            CProject* current = projects.GetCurrentProject();
            CProject* elsewhere = projects.GetNext(current, true, false);
            ASSERT_NE(elsewhere, current);
            icons.push_back(StateIcon(CompactHwnd()));
            projects.StartWorking(elsewhere,
                                  elsewhere->GetState(true)->GetRootActivity()->GetFirstChild());
            icons.push_back(StateIcon(CompactHwnd()));
            stopWhileOtherWorks = harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_STOP);
            projects.StopWorking(elsewhere);
            icons.push_back(StateIcon(CompactHwnd()));
            CompactCommand(IDM_PROJECT_EXIT);
        })
        .AnswerMessageBox(IDNO, "unsaved changes");
    EXPECT_EQ(Run(script, shown), 0);
    EXPECT_EQ(icons,
              (std::vector<HICON>{Big(EWorkingState::NotWorking), Big(EWorkingState::Working),
                                  Big(EWorkingState::NotWorking)}));
    EXPECT_FALSE(stopWhileOtherWorks);
}

// The time of the chosen activity over the whole project, its own or with its descendants;
// start and stop act on the chosen activity.
TEST_F(CompactWindowTest, ShowsTheChosenActivitysTimeAndStartsAndStopsWorkOnIt) {
    const std::string path = MakeProject("Time.wkp", "Time", kTree);
    SetUserSettings("[View]\nMode=1\nType=5\n[TimeDisplay]\nShowCumulativeTime=n\n");
    RestartApp();
    CUiScript script;
    std::vector<std::string> texts;
    std::string working;
    bool stopBefore = true, stopWhileWorking = false, stopAfter = true;
    HICON iconWhileWorking = nullptr;
    script.WaitFor(CompactShown())
        .Do([&] {
            HWND window = CompactHwnd();
            CSetTimeDisplay& display = App().GetSetTimeDisplay();
            display.SetEmptyMode(CSetTimeDisplay::EmptyAsDashes);
            texts.push_back(harness::GetItemText(window, IDC_COMPACT_TIME)); // Build
            display.SetShowCumulativeTime(true);
            texts.push_back(harness::GetItemText(window, IDC_COMPACT_TIME));
            harness::SelectComboItem(window, IDC_COMPACT_ACTIVITY, 4); // Test\Unit
            texts.push_back(harness::GetItemText(window, IDC_COMPACT_TIME));
            harness::SelectComboItem(window, IDC_COMPACT_ACTIVITY, 3); // Test
            texts.push_back(harness::GetItemText(window, IDC_COMPACT_TIME));
            display.SetShowCumulativeTime(false);
            harness::SelectComboItem(window, IDC_COMPACT_ACTIVITY, 1); // Build\Compile
            texts.push_back(harness::GetItemText(window, IDC_COMPACT_TIME));
            stopBefore = harness::IsItemEnabled(window, IDC_COMPACT_STOP);
            harness::Click(window, IDC_COMPACT_START);
        })
        .WaitFor([&] { return harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_STOP); })
        .Do([&] {
            CActivity* current =
                App().GetProjects().GetCurrentProject()->GetState()->GetCurrentActivity();
            working = current != nullptr ? current->GetPath() : "-";
            stopWhileWorking = true;
            iconWhileWorking = StateIcon(CompactHwnd());
            harness::Click(CompactHwnd(), IDC_COMPACT_STOP);
        })
        .WaitFor([&] { return !harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_STOP); })
        .Do([&] {
            stopAfter = false;
            CompactCommand(IDM_PROJECT_EXIT);
        })
        .AnswerMessageBox(IDNO, "unsaved changes");
    EXPECT_EQ(Run(script, path), 0);
    const CSetTimeDisplay& display = App().GetSetTimeDisplay();
    auto hours = [&](int count) { return display.FormatDuration(CDateTimeSpan(0, count, 0, 0)); };
    EXPECT_EQ(texts, (std::vector<std::string>{hours(2), hours(3), "--", hours(3), hours(1)}));
    EXPECT_FALSE(stopBefore);
    EXPECT_EQ(working, "Build\\Compile");
    EXPECT_TRUE(stopWhileWorking);
    EXPECT_EQ(iconWhileWorking, Big(EWorkingState::Working));
    EXPECT_FALSE(stopAfter);
}
