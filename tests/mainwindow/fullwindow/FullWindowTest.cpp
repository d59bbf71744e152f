// The full main window run by the real application object: start-up with recorded and
// command-line projects, the activity list and its time columns, start and stop, the
// exit questions, the end of the session, the hand-over message and the display switch.

#include "MainWindowFixture.h"

#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <algorithm>

using harness::CUiScript;
using mainwindowtest::CMainWindowFixture;
using mainwindowtest::CStandInDialog;
using mainwindowtest::SFixtureActivity;

namespace {

const std::vector<SFixtureActivity> kTree = {
    {"Build", -1, 2}, {"Compile", 0, 1}, {"Link", 0, 0}, {"Test", -1, 3}, {"Unit", 3, 0},
};

bool Visible(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

std::string Title(HWND window) {
    return harness::GetText(window);
}

} // namespace

class FullWindowTest : public CMainWindowFixture {};

TEST_F(FullWindowTest, WithoutProjectsOnlyTheMenuActsAndExitSavesTheSettings) {
    CUiScript script;
    bool hidden = false;
    std::string title;
    script.WaitFor(WindowShown()).Do([&] {
        title = Title(Hwnd());
        hidden = !Visible(Hwnd(), IDC_MAIN_ACTIVITIES) && !Visible(Hwnd(), IDC_MAIN_START) &&
                 !Visible(Hwnd(), IDC_MAIN_FOLLOW_NOW);
        Command(IDM_PROJECT_EXIT);
    });
    EXPECT_EQ(Run(script), 0);
    EXPECT_EQ(title, "Tallymarks");
    EXPECT_TRUE(hidden);
    const std::string ini = ReadUserSettings();
    EXPECT_NE(ini.find("[Dialogs]"), std::string::npos);
    EXPECT_NE(ini.find("PositionXDlg0="), std::string::npos);
    EXPECT_NE(ini.find("[View]"), std::string::npos);
    EXPECT_EQ(ini.find("[OpenProjects]\r\nSize=1"), std::string::npos);
}

TEST_F(FullWindowTest, ListsTheTreeStartsAndStopsWorkAndRecordsTheProjects) {
    const std::string recorded = MakeProject("Recorded.wkp", "Recorded", {{"Other", -1, 0}});
    const std::string named = MakeProject("Named.wkp", "Named", kTree);
    SetUserSettings("[OpenProjects]\nSize=1\nActive=0\nProject0Name=Recorded\nProject0FilePath=" +
                    recorded + "\n");
    CUiScript script;
    std::vector<std::string> rows;
    std::string workingOn;
    bool startBefore = true;
    bool stopWhileWorking = false;
    int columns = 0;
    script.WaitFor(WindowShown())
        .Do([&] {
            HWND list = GetDlgItem(Hwnd(), IDC_MAIN_ACTIVITIES);
            columns = Header_GetItemCount(ListView_GetHeader(list));
            for (int row = 0; row < harness::GetListRowCount(Hwnd(), IDC_MAIN_ACTIVITIES); ++row) {
                rows.push_back(harness::GetListCell(Hwnd(), IDC_MAIN_ACTIVITIES, row, 0));
            }
            startBefore = harness::IsItemEnabled(Hwnd(), IDC_MAIN_START);
            harness::SelectListRow(Hwnd(), IDC_MAIN_ACTIVITIES, 1); // Compile
        })
        .WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_MAIN_START); })
        .Do([&] { harness::Click(Hwnd(), IDC_MAIN_START); })
        .Do([&] {
            workingOn = harness::GetItemText(Hwnd(), IDC_MAIN_WORKING_ON);
            stopWhileWorking = harness::IsItemEnabled(Hwnd(), IDC_MAIN_STOP);
            harness::Click(Hwnd(), IDC_MAIN_STOP);
        })
        .Do([&] { Command(IDM_PROJECT_EXIT); })
        .AnswerMessageBox(IDNO, "unsaved changes");
    EXPECT_EQ(Run(script, "\"" + named + "\""), 0);
    EXPECT_EQ(rows, (std::vector<std::string>{"Build", "Compile", "Link", "Test", "Unit"}));
    EXPECT_EQ(columns, 3);    // the activity and two time columns by default
    EXPECT_TRUE(startBefore); // the first activity is selected at start-up
    EXPECT_EQ(workingOn, "Build\\Compile");
    EXPECT_TRUE(stopWhileWorking);
    // Both projects are recorded, the command-line one as the active one.
    const std::string ini = ReadUserSettings();
    EXPECT_NE(ini.find("Project0FilePath=" + named), std::string::npos) << ini;
    EXPECT_NE(ini.find("Project1FilePath=" + recorded), std::string::npos) << ini;
    EXPECT_NE(ini.find("Active=0"), std::string::npos) << ini;
}

TEST_F(FullWindowTest, ExitWhileWorkingAsksAndCancelKeepsTheWindow) {
    const std::string named = MakeProject("Work.wkp", "Work", kTree);
    CUiScript script;
    bool openAfterCancel = false;
    script.WaitFor(WindowShown())
        .Do([&] {
            CProjects& projects = App().GetProjects();
            CActivity* test =
                projects.GetCurrentProject()->GetState(true)->GetRootActivity()->GetLastChild();
            projects.StartWorking(nullptr, test);
            Command(IDM_PROJECT_EXIT);
        })
        .AnswerMessageBox(IDCANCEL, "Exiting Tallymarks will not stop")
        .Do([&] {
            openAfterCancel = IsWindow(Hwnd()) && App().GetProjects().GetNumProjects() == 1;
            PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
        })
        .AnswerMessageBox(IDYES, "You are still working on Work\\Test")
        .AnswerMessageBox(IDNO, "The project Work has unsaved changes");
    EXPECT_EQ(Run(script, named), 0);
    EXPECT_TRUE(openAfterCancel);
    ASSERT_GE(script.GetMessageBoxes().size(), 2u);
    EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Exit Tallymarks");
}

TEST_F(FullWindowTest, RefusedEndOfSessionIsAnsweredNoAndKeepsEverything) {
    const std::string named = MakeProject("Work.wkp", "Work", kTree);
    CUiScript script;
    LRESULT answer = -1;
    size_t projectsAfter = 0;
    script.WaitFor(WindowShown())
        .Do([&] {
            CProjects& projects = App().GetProjects();
            projects.StartWorking(
                nullptr,
                projects.GetCurrentProject()->GetState(true)->GetRootActivity()->GetFirstChild());
            answer = SendMessageA(Hwnd(), WM_QUERYENDSESSION, 0, 0);
            projectsAfter = projects.GetNumProjects();
            projects.StopWorking(nullptr);
            Command(IDM_PROJECT_EXIT);
        })
        .AnswerMessageBox(IDCANCEL, "Shutting down the computer")
        .AnswerMessageBox(IDNO, "unsaved changes");
    EXPECT_EQ(Run(script, named), 0);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(projectsAfter, 1u);
}

TEST_F(FullWindowTest, HandOverMessagesAreReadWithinTheirBytes) {
    const std::string first = MakeProject("First.wkp", "First", kTree);
    const std::string second = MakeProject("Second.wkp", "Second", kTree);
    CUiScript script;
    std::vector<size_t> counts;
    std::string current;
    script.WaitFor(WindowShown())
        .Do([&] {
            auto send = [&](ULONG_PTR code, const void* data, DWORD size) {
                COPYDATASTRUCT copy = {code, size, const_cast<void*>(data)};
                SendMessageA(Hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
                counts.push_back(App().GetProjects().GetNumProjects());
            };
            send(112, nullptr, 0);
            send(112, second.c_str(), 0);
            // The declared length ends before the last character: no such file.
            send(112, second.c_str(), static_cast<DWORD>(second.size() - 1));
            send(111, second.c_str(), static_cast<DWORD>(second.size() + 1));
            send(112, second.c_str(), static_cast<DWORD>(second.size() + 1));
            current = App().GetProjects().GetCurrentProject()->GetState(false)->GetName();
            Command(IDM_PROJECT_EXIT);
        })
        .AnswerMessageBox(IDOK, "doesn't exist");
    EXPECT_EQ(Run(script, first), 0);
    EXPECT_EQ(counts, (std::vector<size_t>{1, 1, 1, 1, 2}));
    EXPECT_EQ(current, "Second");
}

TEST_F(FullWindowTest, AProjectAnnouncedTwiceIsHeardOnce) {
    const std::string named = MakeProject("Twice.wkp", "Twice", kTree);
    SetUserSettings(
        "[OpenProjects]\nSize=1\nActive=0\nProject0Name=Twice\nProject0FilePath=" + named + "\n");
    CUiScript script;
    int askLinks = -1;
    script.WaitFor(WindowShown()).Do([&] {
        // The recorded project, the command line and a hand-over all name one file.
        App().GetProjects().OpenPath(named, CProjects::kOpenAndSwitch, true);
        askLinks = static_cast<int>(Window()->CSlot<CProjectAskNewLocationEvent>::GetNumPeers());
        Command(IDM_PROJECT_EXIT);
    });
    EXPECT_EQ(Run(script, named), 0);
    EXPECT_EQ(askLinks, 1);
}

TEST_F(FullWindowTest, YesToSaveThenNoLocationKeepsTheProjectOpen) {
    CUiScript script;
    bool stillOpen = false;
    script.WaitFor(WindowShown())
        .Do([&] { Command(IDM_PROJECT_NEW); })
        .Do([&] {
            App().GetProjects().GetCurrentProject()->GetState(true)->SetName("Fresh");
            PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
        })
        .AnswerMessageBox(IDYES, "The project Fresh has unsaved changes")
        .WaitFor([&] { return harness::FindThreadWindow("Tallymarks - Save project") != nullptr; })
        .Do([&] {
            PostMessageA(harness::FindThreadWindow("Tallymarks - Save project"), WM_COMMAND,
                         IDCANCEL, 0);
        })
        .Do([&] {
            CProject* project = App().GetProjects().GetCurrentProject();
            stillOpen = IsWindow(Hwnd()) && project != nullptr && project->IsModified(ppName);
            Command(IDM_PROJECT_EXIT);
        })
        .AnswerMessageBox(IDNO, "The project Fresh has unsaved changes");
    EXPECT_EQ(Run(script), 0);
    EXPECT_TRUE(stillOpen);
}

TEST_F(FullWindowTest, DisplaySwitchKeepsProjectsAndWorkAndTheColumnWidthsStayWhole) {
    const std::string named = MakeProject("Work.wkp", "Work", kTree);
    SetUserSettings("[MainWindow]\nNumColumns=4\n");
    CUiScript script;
    HWND first = nullptr;
    bool workingAfter = false;
    script.WaitFor(WindowShown())
        .Do([&] {
            first = Hwnd();
            CProjects& projects = App().GetProjects();
            projects.StartWorking(
                nullptr,
                projects.GetCurrentProject()->GetState(true)->GetRootActivity()->GetFirstChild());
            Command(IDM_VIEW_WHOLE_PROJECT);
            Command(IDM_VIEW_COMPACT);
        })
        .WaitFor([&] { return Hwnd() != nullptr && Hwnd() != first && IsWindowVisible(Hwnd()); })
        .Do([&] {
            workingAfter = App().GetProjects().IsAnyWorking();
            App().GetProjects().StopWorking(nullptr);
            Command(IDM_PROJECT_EXIT);
        })
        .AnswerMessageBox(IDNO, "unsaved changes");
    EXPECT_EQ(Run(script, named), 0);
    EXPECT_TRUE(workingAfter);
    const std::string ini = ReadUserSettings();
    // The widths of all four time columns stay, at the language's default width; the
    // activity column takes the rest of the list, here no more than its least width.
    for (const char* key : {"ActivityWidth=120", "ColumnWidth0=90", "ColumnWidth1=90",
                            "ColumnWidth2=90", "ColumnWidth3=90", "NumColumns=4"}) {
        EXPECT_NE(ini.find(key), std::string::npos) << key << "\n" << ini;
    }
}

// The time columns' widths a user left come back as stored, however much of their date
// headings they show, and are saved so; widths never stored take the language's default,
// widened where a heading needs more (hours show the longest headings).
TEST_F(FullWindowTest, StoredColumnWidthsComeBackAsLeftAndDefaultsFitTheirHeadings) {
    const struct {
        const char* widths;        // settings lines
        std::vector<int> expected; // time columns; 0: the default, fitted to the heading
    } cases[] = {
        {"ColumnWidth0=40\nColumnWidth1=45\nColumnWidth2=50\n", {40, 45, 50}},
        {"", {0, 0, 0}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.widths);
        m_app.reset();
        SetUserSettings("[View]\nType=0\n[MainWindow]\nNumColumns=3\n" + std::string(test.widths));
        StartApp();
        const std::string path = MakeProject("Widths.wkp", "Widths", kTree);
        CUiScript script;
        std::vector<int> widths, needs;
        script.WaitFor(WindowShown()).Do([&] {
            HWND list = GetDlgItem(Hwnd(), IDC_MAIN_ACTIVITIES);
            HWND header = ListView_GetHeader(list);
            const int margin = static_cast<int>(SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
            for (int column = 1; column <= 3; ++column) {
                char title[128] = "";
                LVCOLUMNA asked = {};
                asked.mask = LVCF_TEXT;
                asked.pszText = title;
                asked.cchTextMax = sizeof title;
                SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column),
                             reinterpret_cast<LPARAM>(&asked));
                widths.push_back(ListView_GetColumnWidth(list, column));
                needs.push_back(ListView_GetStringWidth(list, title) + 2 * margin);
            }
            Command(IDM_PROJECT_EXIT);
        });
        EXPECT_EQ(Run(script, path), 0);
        ASSERT_EQ(widths.size(), test.expected.size());
        const std::string ini = ReadUserSettings();
        for (size_t column = 0; column < widths.size(); ++column) {
            if (test.expected[column] != 0) {
                EXPECT_EQ(widths[column], test.expected[column]) << column;
            } else {
                EXPECT_GE(widths[column], std::max(needs[column], 90)) << column;
            }
            const std::string saved =
                "ColumnWidth" + std::to_string(column) + "=" + std::to_string(widths[column]);
            EXPECT_NE(ini.find(saved), std::string::npos) << saved << "\n" << ini;
        }
    }
}

namespace {

CDateTime At(int year, int month, int day, int hour = 0) {
    CDateTime value;
    value.SetDateTime(year, month, day, hour, 0, 0);
    return value;
}

} // namespace

// The previous and next buttons step the shown period by its kind; they act only while the
// window does not follow the current date/time and the kind is not the whole project.
TEST_F(FullWindowTest, PeriodButtonsStepByTheKindOfPeriod) {
    const struct {
        int kind;
        CDateTime shown;
        int button;
        CDateTime expected;
    } cases[] = {
        {0, At(2024, 5, 10, 10) + CDateTimeSpan(0, 0, 35, 0), IDC_MAIN_PREVIOUS,
         At(2024, 5, 10, 9)},
        {1, At(2024, 5, 10, 15), IDC_MAIN_NEXT, At(2024, 5, 11)},
        // With weeks from Monday, a Sunday steps back to the Monday 13 days before.
        {2, At(2024, 5, 12), IDC_MAIN_PREVIOUS, At(2024, 4, 29)},
        {3, At(2024, 1, 31), IDC_MAIN_NEXT, At(2024, 2, 1)},
        {3, At(2024, 3, 1), IDC_MAIN_PREVIOUS, At(2024, 2, 1)},
        {4, At(2024, 6, 15), IDC_MAIN_NEXT, At(2025, 1, 1)},
        {5, At(2024, 6, 15), IDC_MAIN_NEXT, At(2024, 6, 15)},
    };
    for (const auto& entry : cases) {
        m_app.reset();
        char position[64];
        snprintf(position, sizeof position, "%.8f", entry.shown.GetValue());
        SetUserSettings("[Application]\nFirstDayOfWeek=1\n[MainWindow]\nTrackNow=n\nPosition=" +
                        std::string(position) + "\n[View]\nType=" + std::to_string(entry.kind) +
                        "\n");
        StartApp();
        const std::string path = MakeProject("Steps.wkp", "Steps", kTree);
        CUiScript script;
        bool enabled = false;
        double reached = 0.0;
        script.WaitFor(WindowShown()).Do([&] {
            enabled = harness::IsItemEnabled(Hwnd(), entry.button);
            SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(entry.button, BN_CLICKED), 0);
            reached = App().GetSetMainDlg().GetPosition().GetValue();
            Command(IDM_PROJECT_EXIT);
        });
        EXPECT_EQ(Run(script, path), 0);
        EXPECT_EQ(enabled, entry.kind != 5) << "kind " << entry.kind;
        EXPECT_NEAR(reached, entry.expected.GetValue(), 1e-6) << "kind " << entry.kind;
    }
}

// Central European time on the spring day of 2026: at 01:00 UTC the clocks go from 02:00 to
// 03:00. Work from 23:40 to 00:40 UTC (00:40-01:40 local) lies in the hours 0 and 1; the
// hour 2, which does not exist, holds nothing, with two columns as with four.
TEST_F(FullWindowTest, TheHourThatTheSpringChangeSkipsHoldsNothing) {
    TIME_ZONE_INFORMATION information = {};
    information.Bias = information.DaylightBias = -60;
    information.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    information.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    const CTimeZone centralEurope(information, TIME_ZONE_ID_STANDARD);
    CModelTimeZone::Set(&centralEurope);
    CDateTime::SetNowSource([](bool) { return At(2026, 3, 29) + CDateTimeSpan(0, 0, 40, 0); });
    const std::string path = MakeProject("Spring.wkp", "Spring", {{"Build", -1, 1}});
    CDateTime::SetNowSource(nullptr);
    const std::string position =
        std::to_string((At(2026, 3, 29, 2) + CDateTimeSpan(0, 0, 30, 0)).GetValue());
    for (int columns : {2, 4}) {
        m_app.reset();
        SetUserSettings("[MainWindow]\nTrackNow=n\nNumColumns=" + std::to_string(columns) +
                        "\nPosition=" + position + "\n[View]\nType=0\n");
        StartApp();
        CUiScript script;
        std::string hours;
        script.WaitFor(WindowShown()).Do([&] {
            hours = harness::GetListCell(Hwnd(), IDC_MAIN_ACTIVITIES, 0, columns - 1) + "|" +
                    harness::GetListCell(Hwnd(), IDC_MAIN_ACTIVITIES, 0, columns);
            Command(IDM_PROJECT_EXIT);
        });
        EXPECT_EQ(Run(script, "\"" + path + "\""), 0);
        EXPECT_EQ(hours, "00:40:00|--") << columns;
    }
    CModelTimeZone::Set(nullptr);
}

// At the calendar's ends, for every kind and both directions: a stored position there
// starts the window with every column in the calendar (the settings cannot make a start
// fail), and a step that would take a column past the calendar leaves the period put.
TEST_F(FullWindowTest, PeriodStepsStopAtTheCalendarsEnds) {
    const CDateTime first(CDateTime::GetMinimum()), last(CDateTime::GetMaximum());
    const struct {
        int kind;
        int columns;
        CDateTime stored;
        int button;
        // How close to the calendar's end the shown columns reach, in days.
        double reach;
    } cases[] = {
        {0, 4, last, IDC_MAIN_NEXT, 2},
        {0, 4, first, IDC_MAIN_PREVIOUS, 3},
        {1, 4, last, IDC_MAIN_NEXT, 3},
        {1, 99, first, IDC_MAIN_PREVIOUS, 3},
        {2, 4, last, IDC_MAIN_NEXT, 9},
        {2, 4, first, IDC_MAIN_PREVIOUS, 9},
        {3, 4, last, IDC_MAIN_NEXT, 33},
        {3, 4, first, IDC_MAIN_PREVIOUS, 33},
        {4, 4, last, IDC_MAIN_NEXT, 367},
        {4, 99, first, IDC_MAIN_PREVIOUS, 367},
        {4, 4, At(9999, 6, 1), IDC_MAIN_NEXT, 367},
    };
    for (const auto& entry : cases) {
        const std::string label = "kind " + std::to_string(entry.kind) + " columns " +
                                  std::to_string(entry.columns) + " at " +
                                  std::to_string(entry.stored.GetValue());
        m_app.reset();
        char position[64];
        snprintf(position, sizeof position, "%.8f", entry.stored.GetValue());
        SetUserSettings("[Application]\nFirstDayOfWeek=1\n[MainWindow]\nTrackNow=n\nNumColumns=" +
                        std::to_string(entry.columns) + "\nPosition=" + std::string(position) +
                        "\n[View]\nType=" + std::to_string(entry.kind) + "\n");
        StartApp();
        const std::string path = MakeProject("Ends.wkp", "Ends", kTree);
        CUiScript script;
        double before = 0.0, after = 0.0;
        bool inCalendar = true;
        CDateTime shownStart, shownEnd;
        script.WaitFor(WindowShown()).Do([&] {
            before = App().GetSetMainDlg().GetPosition().GetValue();
            SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(entry.button, BN_CLICKED), 0);
            after = App().GetSetMainDlg().GetPosition().GetValue();
            const CStatInts& intervals = Window()->GetIntervals();
            for (int i = 0; i < intervals.GetCount(); ++i) {
                inCalendar = inCalendar && intervals.GetAt(i).IsInCalendar();
            }
            shownStart = intervals.GetStart();
            shownEnd = intervals.GetEnd();
            Command(IDM_PROJECT_EXIT);
        });
        EXPECT_EQ(Run(script, path), 0) << label;
        EXPECT_EQ(before, after) << label;
        EXPECT_TRUE(inCalendar) << label;
        if (entry.button == IDC_MAIN_NEXT) {
            EXPECT_LT((last - shownEnd).GetValue(), entry.reach) << label;
        } else {
            EXPECT_LT((shownStart - first).GetValue(), entry.reach) << label;
        }
    }
}

// While a dialog of the window runs, neither the tray's Exit nor the end of the session
// may close the project the dialog works on: both are refused.
TEST_F(FullWindowTest, ExitAndEndOfSessionWaitForARunningDialog) {
    const std::string named = MakeProject("Work.wkp", "Work", kTree);
    CDialogLauncher::Register(
        EDialogKind::ProjectStatistics,
        {{990, false, EPlacementSlot::ProjectStatistics, 0}, true, [](CMainDlgBase&) {
             return std::unique_ptr<CDialogWindow>(new CStandInDialog());
         }});
    CUiScript script;
    bool exitAnswer = true;
    LRESULT sessionAnswer = -1;
    size_t projectsMeanwhile = 0;
    script.WaitFor(WindowShown())
        .Do([&] { Command(IDM_PROJECT_STATISTICS); })
        .WaitFor([&] { return harness::FindThreadWindow("Stand-in dialog") != nullptr; })
        .Do([&] {
            exitAnswer = Window()->Exit(EExitReason::Exit);
            sessionAnswer = SendMessageA(Hwnd(), WM_QUERYENDSESSION, 0, 0);
            projectsMeanwhile = App().GetProjects().GetNumProjects();
            harness::Click(harness::FindThreadWindow("Stand-in dialog"), IDOK);
        })
        .Do([&] { Command(IDM_PROJECT_EXIT); });
    EXPECT_EQ(Run(script, named), 0);
    CDialogLauncher::Clear();
    EXPECT_FALSE(exitAnswer);
    EXPECT_EQ(sessionAnswer, 0);
    EXPECT_EQ(projectsMeanwhile, 1u);
}

// Without a notification area (the null display driver has none) minimising to it fails,
// and the window minimises the ordinary way instead of staying as it was.
TEST_F(FullWindowTest, MinimiseWithoutANotificationAreaMinimisesNormally) {
    SetUserSettings("[Application]\nMinimizeToNotArea=y\n");
    CUiScript script;
    bool minimised = false;
    script.WaitFor(WindowShown())
        .Do([&] { SendMessageA(Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0); })
        .Do([&] {
            minimised = IsIconic(Hwnd()) != FALSE;
            Command(IDM_PROJECT_EXIT);
        });
    EXPECT_EQ(Run(script), 0);
    EXPECT_TRUE(minimised);
}

// Keys of the accelerator table reach the menu's commands while the window runs.
TEST_F(FullWindowTest, AcceleratorsRunTheirCommands) {
    const std::string named = MakeProject("Work.wkp", "Work", kTree);
    CUiScript script;
    bool workingAfterCtrlSpace = false;
    script.WaitFor(WindowShown())
        .Do([&] {
            CProjectState* state = App().GetProjects().GetCurrentProject()->GetState(true);
            state->SetSelectedActivity(state->GetRootActivity()->GetFirstChild());
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_CONTROL] = 0x80;
            SetKeyboardState(keys);
            PostMessageA(GetDlgItem(Hwnd(), IDC_MAIN_ACTIVITIES), WM_KEYDOWN, VK_SPACE, 0);
        })
        .Do([&] {
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_CONTROL] = 0;
            SetKeyboardState(keys);
            workingAfterCtrlSpace = App().GetProjects().IsAnyWorking();
            App().GetProjects().StopWorking(nullptr);
            PostMessageA(GetDlgItem(Hwnd(), IDC_MAIN_ACTIVITIES), WM_KEYDOWN, VK_F1, 0);
        })
        .AnswerMessageBox(IDOK, "help page")
        .Do([&] { Command(IDM_PROJECT_EXIT); })
        .AnswerMessageBox(IDNO, "unsaved changes");
    EXPECT_EQ(Run(script, named), 0);
    EXPECT_TRUE(workingAfterCtrlSpace);
}
