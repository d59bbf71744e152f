// One fault of the daily road at a time, each on the ways a user meets it: the list's
// selection and Start, the seconds that the totals count, Stop and the totals of every
// column, the shared row pictures, disabled buttons and minimising to the notification
// area.

#include "DailyRoadFixture.h"

#include "model/CEditTransaction.h"
#include "model/CProjects.h"

#include <string>
#include <vector>

using dailyroad::CDailyRoadFixture;
using dailyroad::HasGreyedPicture;
using dailyroad::Seconds;
using harness::CUiScript;

namespace {

const char kDefaults[] = "[View]\nMode=0\nType=1\n[MainWindow]\nTrackNow=y\nNumColumns=3\n"
                         "[Application]\nMinimizeToNotArea=y\n";

} // namespace

class DailyRoadFaultsTest : public CDailyRoadFixture {
protected:
    void SetUp() override {
        SetUserSettings(kDefaults);
        RestartApp();
    }
    // Whether the rows show exactly the project state's selected activity.
    bool ShownSelectionIsTheStates() {
        CActivity* selected = State() != nullptr ? State()->GetSelectedActivity() : nullptr;
        for (int row = 0; row < harness::GetListRowCount(Hwnd(), IDC_MAIN_ACTIVITIES); ++row) {
            LVITEMA item = {};
            item.mask = LVIF_PARAM;
            item.iItem = row;
            SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            if (RowShownSelected(row) != (reinterpret_cast<CActivity*>(item.lParam) == selected)) {
                return false;
            }
        }
        return true;
    }
    std::vector<std::string> RowCells() {
        std::vector<std::string> cells;
        const int columns = Header_GetItemCount(ListView_GetHeader(List()));
        for (int column = 1; column < columns; ++column) {
            cells.push_back(Cell(0, column));
        }
        return cells;
    }
};

// On each of these roads the rows show exactly the project's selection; at start-up, on
// opening a project and after an edit that removed the selected activity the first activity
// is selected already, so Start acts without a click; a chosen row lets Start, Ctrl+Space and
// a double-click act.
TEST_F(DailyRoadFaultsTest, RowsShowOnlyTheProjectsSelectionAndAChosenRowStarts) {
    const std::string first = MakeRoadProject("First.wkp", {"Plan", "Write"}, false);
    const std::string second = MakeRoadProject("Second.wkp", {"Read"}, false);
    std::vector<std::string> inconsistent;
    std::vector<std::string> started;
    std::vector<std::string> greyed;
    // selectedAlready: the window chose the project's activity, not the script.
    auto check = [&](const char* road, bool selectedAlready) {
        if (!ShownSelectionIsTheStates()) {
            inconsistent.push_back(road);
        }
        if (selectedAlready && !harness::IsItemEnabled(Hwnd(), IDC_MAIN_START)) {
            greyed.push_back(road);
        }
        harness::SelectListRow(Hwnd(), IDC_MAIN_ACTIVITIES, 0);
    };
    auto working = [&] {
        CActivity* current = State()->GetCurrentActivity();
        started.push_back(current != nullptr ? current->GetName() : "-");
    };
    CUiScript script;
    script.WaitFor(WindowShown())
        .Do([&] { check("start-up", true); })
        .WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_MAIN_START); }, 2000, "Start")
        .Do([&] { harness::Click(Hwnd(), IDC_MAIN_START); })
        .Do([&] {
            working();
            // Ctrl+O or a hand-over.
            App().GetProjects().OpenPath(second, CProjects::kOpenAndSwitch, true);
            check("opened", true);
        })
        .WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_MAIN_START); }, 2000, "Start")
        .Do([&] { Command(IDM_TIME_START); }) // Ctrl+Space
        .Do([&] {
            working();
            harness::Click(Hwnd(), IDC_MAIN_STOP);
        })
        .Do([&] {
            // The tray starts work without choosing a row; Stop follows.
            CProject* project = App().GetProjects().GetNext(nullptr, false, true);
            App().GetProjects().SetCurrent(project);
            State()->SetSelectedActivity(nullptr);
            App().GetProjects().StartWorking(project, State()->GetRootActivity()->GetLastChild());
            harness::Click(Hwnd(), IDC_MAIN_STOP);
        })
        .WaitFor([&] { return !harness::IsItemEnabled(Hwnd(), IDC_MAIN_STOP); })
        .Do([&] { check("after Stop", false); })
        .WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_MAIN_START); }, 2000, "Start")
        .Do([&] {
            RECT row = {LVIR_BOUNDS, 0, 0, 0};
            SendMessageA(List(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
            SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                         MAKELPARAM(row.left + 4, row.top + 2));
        })
        .WaitFor([&] { return State()->GetCurrentActivity() != nullptr; }, 2000, "the double-click")
        .Do([&] {
            working();
            harness::Click(Hwnd(), IDC_MAIN_STOP);
        })
        .WaitFor([&] { return !harness::IsItemEnabled(Hwnd(), IDC_MAIN_STOP); })
        .Do([&] {
            // An edit removes the selected activity and is committed.
            CProject* project = App().GetProjects().GetCurrentProject();
            CEditTransaction edit(*project);
            CActivity* root = edit.GetState()->GetRootActivity();
            CActivity* plan = root->GetFirstChild();
            root->RemoveChildActivity(plan, true);
            delete plan;
            edit.Commit();
            check("edited", true);
        })
        .Do([&] { Command(IDM_PROJECT_EXIT); })
        .AnswerMessageBox(IDNO)
        .AnswerMessageBox(IDNO);
    EXPECT_EQ(Run(script, "\"" + first + "\""), 0);
    EXPECT_TRUE(inconsistent.empty()) << "shown selected without the project's selection: "
                                      << ::testing::PrintToString(inconsistent);
    EXPECT_TRUE(greyed.empty()) << "Start grey before a row was chosen: "
                                << ::testing::PrintToString(greyed);
    EXPECT_EQ(started, (std::vector<std::string>{"Plan", "Read", "Plan"}));
}

// Opened with work running on its second activity, in either display, the project has
// that activity selected and shown so: Start and Stop act at once, and after Stop the
// activity stays selected.
TEST_F(DailyRoadFaultsTest, TheRunningActivityIsSelectedAtStartUpAndStaysSoAfterStop) {
    const struct {
        const char* display;
        const char* mode;
    } displays[] = {{"full", "0"}, {"compact", "1"}};
    for (const auto& display : displays) {
        SCOPED_TRACE(display.display);
        const bool compact = display.mode[0] == '1';
        std::string settings = kDefaults;
        settings.replace(settings.find("Mode=0"), 6, std::string("Mode=") + display.mode);
        SetUserSettings(settings);
        RestartApp();
        const std::string path = MakeRoadProject("Road.wkp", {"Plan", "Write"}, true, 1);
        std::vector<std::string> seen;
        auto window = [&] { return compact ? CompactHwnd() : Hwnd(); };
        auto record = [&](const char* when) {
            CActivity* selected = State()->GetSelectedActivity();
            const LRESULT shown =
                compact ? SendDlgItemMessageA(window(), IDC_COMPACT_ACTIVITY, CB_GETCURSEL, 0, 0)
                        : (RowShownSelected(1) && !RowShownSelected(0) ? 1 : -1);
            const int start = compact ? IDC_COMPACT_START : IDC_MAIN_START;
            seen.push_back(std::string(when) + ": " +
                           (selected != nullptr ? selected->GetName() : "-") + ", shown " +
                           std::to_string(shown) + ", Start " +
                           (harness::IsItemEnabled(window(), start) ? "on" : "off"));
        };
        CUiScript script;
        script.WaitFor(compact ? CompactShown() : WindowShown())
            .Do([&] {
                record("opened");
                harness::Click(window(), compact ? IDC_COMPACT_STOP : IDC_MAIN_STOP);
            })
            .WaitFor([&] { return State()->GetCurrentActivity() == nullptr; }, 2000, "Stop")
            .Do([&] {
                record("stopped");
                SendMessageA(window(), WM_COMMAND, MAKEWPARAM(IDM_PROJECT_EXIT, 0), 0);
            })
            .AnswerMessageBox(IDNO, "unsaved changes");
        EXPECT_EQ(Run(script, "\"" + path + "\""), 0);
        EXPECT_EQ(seen, (std::vector<std::string>{"opened: Write, shown 1, Start on",
                                                  "stopped: Write, shown 1, Start on"}));
    }
}

// The statistics notifier counts the seconds of running work on the program's window.
TEST_F(DailyRoadFaultsTest, TheSecondsOfRunningWorkAreCounted) {
    const std::string path = MakeRoadProject("Road.wkp", {"Write"}, true);
    std::vector<bool> counting;
    auto record = [&] { counting.push_back(State()->GetStatUpdateNotifier().IsTimerRunning()); };
    CUiScript script;
    script.WaitFor(WindowShown())
        .Do([&] {
            record();
            harness::Click(Hwnd(), IDC_MAIN_STOP);
        })
        .Do([&] {
            record();
            App().GetProjects().StartWorking(nullptr, State()->GetRootActivity()->GetFirstChild());
            record();
            App().GetProjects().StopWorking(nullptr);
            Command(IDM_PROJECT_EXIT);
        })
        .AnswerMessageBox(IDNO);
    EXPECT_EQ(Run(script, "\"" + path + "\""), 0);
    EXPECT_EQ(counting, (std::vector<bool>{true, false, true}));
}

// Stop keeps every column's total, for work that ran since before the columns' periods
// began, whatever the kind of period.
TEST_F(DailyRoadFaultsTest, StopKeepsTheTotalsOfEveryColumn) {
    const std::string path = MakeRoadProject("Road.wkp", {"Write"}, true);
    const int kinds[] = {IDM_VIEW_DAY, IDM_VIEW_HOUR, IDM_VIEW_WHOLE_PROJECT};
    std::vector<std::vector<std::string>> before, after;
    CUiScript script;
    script.WaitFor(WindowShown());
    for (int kind : kinds) {
        script
            .Do([&, kind] {
                if (State()->GetCurrentActivity() == nullptr) {
                    App().GetProjects().StartWorking(nullptr,
                                                     State()->GetRootActivity()->GetFirstChild());
                }
                // The window opens with the day kind.
                if (kind != IDM_VIEW_DAY) {
                    Command(kind);
                }
                before.push_back(RowCells());
                harness::Click(Hwnd(), IDC_MAIN_STOP);
            })
            .WaitFor([&] { return !harness::IsItemEnabled(Hwnd(), IDC_MAIN_STOP); })
            .Do([&] { after.push_back(RowCells()); });
    }
    script.Do([&] { Command(IDM_PROJECT_EXIT); }).AnswerMessageBox(IDNO);
    EXPECT_EQ(Run(script, "\"" + path + "\""), 0);
    ASSERT_EQ(after.size(), before.size());
    for (size_t k = 0; k < before.size(); ++k) {
        ASSERT_EQ(after[k].size(), before[k].size());
        for (size_t c = 0; c < before[k].size(); ++c) {
            const int was = Seconds(before[k][c]);
            const int is = Seconds(after[k][c]);
            EXPECT_TRUE(was < 0 ? after[k][c] == before[k][c] : is >= was && is <= was + 3)
                << "kind " << kinds[k] << ", column " << c + 1 << ": " << before[k][c] << " became "
                << after[k][c];
        }
    }
}

// However a list that shows the activity pictures goes, the others keep them.
TEST_F(DailyRoadFaultsTest, RowPicturesOutliveEveryListThatShowedThem) {
    const std::string path = MakeRoadProject("Road.wkp", {"Write", "Read"}, false);
    const struct {
        const char* way;
        int command;
        int button;
    } ways[] = {{"activities dialog, OK", IDM_ACTIVITIES_MANAGE, IDC_ACTIVITIES_OK},
                {"activities dialog, Cancel", IDM_ACTIVITIES_MANAGE, IDCANCEL},
                {"compact display and back", IDM_VIEW_COMPACT, 0}};
    std::vector<std::string> lost;
    CUiScript script;
    script.WaitFor(WindowShown());
    for (const auto& way : ways) {
        script.Do([&, way] { Command(way.command); });
        if (way.button != 0) {
            script.WaitFor([] { return ActivitiesDialog() != nullptr; })
                .Do([way] { harness::Click(ActivitiesDialog(), way.button); })
                .WaitFor([] { return ActivitiesDialog() == nullptr; });
        } else {
            script.WaitFor(CompactShown())
                .Do([&] { CompactCommand(IDM_VIEW_FULL); })
                .WaitFor(WindowShown());
        }
        script.Do([&, way] {
            if (!ListShowsPictures() || RowImage(1) != 1) {
                lost.push_back(way.way);
            }
        });
    }
    script.Do([&] { Command(IDM_PROJECT_EXIT); });
    EXPECT_EQ(Run(script, "\"" + path + "\""), 0);
    EXPECT_TRUE(lost.empty()) << "pictures lost after: " << ::testing::PrintToString(lost);
}

// The arrows while following now, and Start for an activity that takes no work: disabled,
// and drawn so.
TEST_F(DailyRoadFaultsTest, DisabledButtonsAreDisabledAndLookIt) {
    const std::string path = MakeRoadProject("Road.wkp", {"Write", "-Retired"}, false);
    bool arrowsFollowing = true, arrowsShowingDate = false, arrowsGreyed = false;
    bool startRetired = true, startGreyed = false;
    auto arrows = [&] {
        return harness::IsItemEnabled(Hwnd(), IDC_MAIN_PREVIOUS) &&
               harness::IsItemEnabled(Hwnd(), IDC_MAIN_NEXT);
    };
    CUiScript script;
    script.WaitFor(WindowShown())
        .Do([&] {
            arrowsFollowing = harness::IsItemEnabled(Hwnd(), IDC_MAIN_PREVIOUS) ||
                              harness::IsItemEnabled(Hwnd(), IDC_MAIN_NEXT);
            arrowsGreyed = HasGreyedPicture(GetDlgItem(Hwnd(), IDC_MAIN_PREVIOUS)) &&
                           HasGreyedPicture(GetDlgItem(Hwnd(), IDC_MAIN_NEXT));
            harness::Click(Hwnd(), IDC_MAIN_SHOW_DATE);
        })
        .WaitFor(arrows, 2000, "the arrows")
        .Do([&] {
            arrowsShowingDate = arrows();
            Command(IDM_VIEW_COMPACT);
        })
        .WaitFor(CompactShown())
        .Do([&] { harness::SelectComboItem(CompactHwnd(), IDC_COMPACT_ACTIVITY, 1); })
        .Do([&] {
            startRetired = harness::IsItemEnabled(CompactHwnd(), IDC_COMPACT_START);
            startGreyed = HasGreyedPicture(GetDlgItem(CompactHwnd(), IDC_COMPACT_START)) &&
                          HasGreyedPicture(GetDlgItem(CompactHwnd(), IDC_COMPACT_STOP));
            CompactCommand(IDM_PROJECT_EXIT);
        });
    EXPECT_EQ(Run(script, "\"" + path + "\""), 0);
    EXPECT_FALSE(arrowsFollowing);
    EXPECT_TRUE(arrowsGreyed);
    EXPECT_TRUE(arrowsShowingDate);
    EXPECT_FALSE(startRetired);
    EXPECT_TRUE(startGreyed);
}

// Minimised from the taskbar (ShowWindow) or the title bar, the window goes to the
// notification area when the settings say so.
TEST_F(DailyRoadFaultsTest, EveryMinimiseGoesToTheNotificationArea) {
    const struct {
        const char* way;
        void (*minimise)(HWND);
    } ways[] = {
        {"taskbar", [](HWND window) { ShowWindow(window, SW_MINIMIZE); }},
        {"title bar", [](HWND window) { SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
    };
    std::vector<std::string> stayed;
    CUiScript script;
    script.WaitFor(WindowShown());
    for (const auto& way : ways) {
        script
            .Do([&, way] {
                way.minimise(Hwnd());
                if (IsWindowVisible(Hwnd()) || !App().GetNotArea().IsIconShown()) {
                    stayed.push_back(way.way);
                }
                App().GetNotArea().ShowIcon(false);
                ShowWindow(Hwnd(), SW_RESTORE);
            })
            .WaitFor(WindowShown());
    }
    script.Do([&] { Command(IDM_PROJECT_EXIT); });
    EXPECT_EQ(Run(script), 0);
    EXPECT_TRUE(stayed.empty()) << "stayed on the taskbar: " << ::testing::PrintToString(stayed);
}
