#include "dialogs/CTraceDlg.h"

#include "model/CClockNotices.h"
#include "model/CTickClock.h"

#include "TraceFixture.h"

#include <cstdint>

using harness::CUiScript;
using namespace tracetest;

namespace {

using CTraceDlgTest = CTraceFixture;
const char kSplitCaption[] = "Tallymarks - Split tally mark";

// The zone Wine reports under TZ=Europe/Amsterdam: UTC+1, summer time (UTC+2) from the last
// Sunday of March 02:00 to the last Sunday of October 03:00.
CTimeZone Amsterdam() {
    TIME_ZONE_INFORMATION zone = {};
    zone.Bias = zone.DaylightBias = -60;
    zone.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    zone.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    return CTimeZone(zone, TIME_ZONE_ID_STANDARD);
}

TEST_F(CTraceDlgTest, LocalTimesEnteredAreStoredInUniversalTime) {
    const CTimeZone amsterdam = Amsterdam();
    const struct {
        const CTimeZone* zone;
        CDateTime start, end; // local
        const char* stored;
        int refused = 0; // the field of a start or end that does not exist, focused at OK
    } cases[] = {
        {&m_utc, Date(2023, 3, 14, 22), Date(2023, 3, 15, 2, 30),
         "2023-03-14 22:00:00-2023-03-15 02:30:00"},
        {&m_utc, Date(1999, 12, 31, 9, 0, 5), Date(1999, 12, 31, 17, 15, 30),
         "1999-12-31 09:00:05-1999-12-31 17:15:30"},
        {&m_utc, Date(2023, 1, 2, 18), Date(2023, 1, 2, 8),
         "2023-01-02 08:00:00-2023-01-02 18:00:00"},
        // A spring night an hour shorter, an autumn night an hour longer.
        {&amsterdam, Date(2024, 3, 30, 23), Date(2024, 3, 31, 4),
         "2024-03-30 22:00:00-2024-03-31 02:00:00"},
        {&amsterdam, Date(2024, 10, 26, 23), Date(2024, 10, 27, 4),
         "2024-10-26 21:00:00-2024-10-27 03:00:00"},
        // The spring change skips 02:00-03:00: refused, then typed as 03:10-03:50.
        {&amsterdam, Date(2026, 3, 29, 2, 10), Date(2026, 3, 29, 2, 50),
         "2026-03-29 01:10:00-2026-03-29 01:50:00", IDC_TRACE_START_HOURS},
        {&amsterdam, Date(2026, 3, 29, 3, 10), Date(2026, 3, 29, 2, 0, 1),
         "2026-03-29 01:10:00-2026-03-29 01:50:00", IDC_TRACE_END_HOURS},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.stored);
        CModelTimeZone::Set(entry.zone);
        CTraceDlg dialog(m_project, State(), m_a["A1"]);
        CUiScript script;
        std::string period;
        script.Do([&] {
            Enter(Hwnd(), IDC_TRACE_START_DATE, IDC_TRACE_START_HOURS, entry.start);
            Enter(Hwnd(), IDC_TRACE_END_DATE, IDC_TRACE_END_HOURS, entry.end);
            period = harness::GetItemText(Hwnd(), IDC_TRACE_PERIOD);
            harness::Click(Hwnd(), IDC_TRACE_OK);
        });
        if (entry.refused != 0) {
            script.Do([&] {
                EXPECT_EQ(GetDlgCtrlID(GetFocus()), entry.refused);
                Enter(Hwnd(), IDC_TRACE_START_DATE, IDC_TRACE_START_HOURS,
                      Date(2026, 3, 29, 3, 10));
                Enter(Hwnd(), IDC_TRACE_END_DATE, IDC_TRACE_END_HOURS, Date(2026, 3, 29, 3, 50));
                harness::Click(Hwnd(), IDC_TRACE_OK);
            });
        } else if (entry.start > entry.end) {
            script.AnswerMessageBox(IDOK, "switch the start- and end date/times");
        }
        Run(script, dialog, IDD_TRACE);
        ASSERT_FALSE(dialog.IsCancelled());
        EXPECT_EQ(Marks("A1"), std::vector<std::string>{std::string("A1 ") + entry.stored});
        CTallymark* made = dialog.GetTallymark();
        EXPECT_EQ(period, entry.refused != 0
                              ? "--"
                              : m_app->GetSetTimeDisplay().FormatDuration(made->GetDuration()));
        delete made;
    }
}

TEST_F(CTraceDlgTest, OkIsRefusedWhileATimeFieldHoldsNoTime) {
    CTallymark* mark = Add("A", Date(2023, 5, 1, 9), Date(2023, 5, 1, 17));
    const std::string before = SavedBytes();
    // Emptied, pasted over (past the typing filter) and out of range; then mended.
    const struct {
        int field;
        const char* spoilt;
        const char* mended;
    } fields[] = {{IDC_TRACE_START_SECONDS, "", "7"},
                  {IDC_TRACE_END_HOURS, "x7", "17"},
                  {IDC_TRACE_START_MINUTES, "75", "0"}};
    CTraceDlg dialog(m_project, State(), mark);
    CUiScript script;
    std::vector<int> focused;
    for (const auto& field : fields) {
        script.Do([&] {
            SetDlgItemTextA(Hwnd(), field.field, field.spoilt);
            harness::Click(Hwnd(), IDC_TRACE_OK);
        });
        script.Do([&] {
            focused.push_back(GetDlgCtrlID(GetFocus()));
            EXPECT_EQ(SavedBytes(), before);
            SetDlgItemTextA(Hwnd(), field.field, field.mended);
        });
    }
    script.Do([&] { harness::Click(Hwnd(), IDC_TRACE_OK); });
    Run(script, dialog, IDD_TRACE);
    EXPECT_EQ(focused, std::vector<int>({IDC_TRACE_START_SECONDS, IDC_TRACE_END_HOURS,
                                         IDC_TRACE_START_MINUTES}));
    EXPECT_TRUE(script.GetMessageBoxes().empty());
    EXPECT_EQ(Marks("A"), std::vector<std::string>{"A 2023-05-01 09:00:07-2023-05-01 17:00:00"});
}

TEST_F(CTraceDlgTest, CancelCloseBoxAndEscapeLeaveTheProjectAsItWas) {
    CTallymark* mark = Add("A", Date(2023, 5, 1, 9), Date(2023, 5, 1, 17));
    Add("B", Date(2023, 5, 2, 9));
    const std::string before = SavedBytes();
    const std::function<void()> ways[] = {
        [] { harness::Click(Hwnd(), IDCANCEL); },
        [] { PostMessageA(Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); },
        [] {
            SetFocus(GetDlgItem(Hwnd(), IDC_TRACE_START_HOURS));
            PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        },
    };
    for (const auto& leave : ways) {
        CTraceDlg dialog(m_project, State(), mark);
        CUiScript script;
        script
            .Do([] {
                Enter(Hwnd(), IDC_TRACE_START_DATE, IDC_TRACE_START_HOURS, Date(2023, 4, 3, 10));
                harness::SelectComboItem(Hwnd(), IDC_TRACE_ACTIVITY, 2);
                harness::Click(Hwnd(), IDC_TRACE_SPLIT);
            })
            .Do([] {
                harness::SelectComboItem(Hwnd(), IDC_SPLIT_FIRST_ACTIVITY, 0);
                harness::Click(Hwnd(), IDC_SPLIT_OK);
            })
            .Do(leave);
        Run(script, dialog, IDD_TRACE);
        EXPECT_TRUE(dialog.IsCancelled());
        EXPECT_EQ(SavedBytes(), before);
    }
}

TEST_F(CTraceDlgTest, SplitThenOkGivesTheRecordTheSecondPartAndAddsTheFirst) {
    CTallymark* mark = Add("A", Date(2023, 5, 1, 9), Date(2023, 5, 1, 17));
    CTraceDlg dialog(m_project, State(), mark);
    CUiScript script;
    script.Do([] { harness::Click(Hwnd(), IDC_TRACE_SPLIT); })
        .Do([] {
            EXPECT_EQ(harness::GetText(Hwnd()), kSplitCaption);
            EXPECT_EQ(ShownTime(Hwnd(), IDC_SPLIT_HOURS), "13:0:0"); // the middle
            Enter(Hwnd(), IDC_SPLIT_DATE, IDC_SPLIT_HOURS, Date(2023, 5, 1, 12, 15));
            harness::SelectComboItem(Hwnd(), IDC_SPLIT_SECOND_ACTIVITY, 2);
            harness::Click(Hwnd(), IDC_SPLIT_OK);
        })
        .Do([&] {
            EXPECT_EQ(Marks("B").size(), 0u); // nothing reaches the model before OK
            EXPECT_EQ(ShownTime(Hwnd(), IDC_TRACE_START_HOURS), "12:15:0");
            harness::Click(Hwnd(), IDC_TRACE_OK);
        });
    Run(script, dialog, IDD_TRACE);
    EXPECT_EQ(Marks("A"), std::vector<std::string>{"A 2023-05-01 09:00:00-2023-05-01 12:15:00"});
    EXPECT_EQ(Marks("B"), std::vector<std::string>{"B 2023-05-01 12:15:00-2023-05-01 17:00:00"});
    EXPECT_EQ(dialog.GetTallymark(), mark);
    EXPECT_EQ(dialog.GetSplitTallymarks().size(), 1u);
}

TEST_F(CTraceDlgTest, RunningTallymarkStaysOpenUnlessStoppedAndRefusesADisabledActivity) {
    CTallymark* running = Add("A", Date(2023, 6, 15, 8));
    const struct {
        bool stop;
        int item;
        const char* stored;
    } cases[] = {{false, 3, "A 2023-06-15 08:00:00-open"},
                 {false, 0, "A 2023-06-15 08:00:00-open"},
                 {true, 0, "A 2023-06-15 08:00:00-2023-06-15 14:00:00"}};
    for (const auto& test : cases) {
        CTraceDlg dialog(m_project, State(), running);
        CUiScript script;
        std::string period;
        script.Do([&] {
            period = harness::GetItemText(Hwnd(), IDC_TRACE_PERIOD);
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(Hwnd(), IDC_TRACE_END_DATE)));
            if (test.stop) {
                harness::Click(Hwnd(), IDC_TRACE_STOP);
            }
            harness::SelectComboItem(Hwnd(), IDC_TRACE_ACTIVITY, test.item);
        });
        script.Do([] { harness::Click(Hwnd(), IDC_TRACE_OK); });
        if (test.item == 3) {
            script.AnswerMessageBox(IDOK, "You cannot book hours on the chosen activity.").Do([] {
                harness::Click(Hwnd(), IDCANCEL);
            });
        }
        Run(script, dialog, IDD_TRACE);
        EXPECT_EQ(period, m_app->GetSetTimeDisplay().FormatDuration(CDateTimeSpan(0, 6, 0, 0)) +
                              " (Still working)");
        EXPECT_EQ(Marks("A"), std::vector<std::string>{test.stored});
    }
}

// A running tally mark stopped elsewhere while the dialog runs (at 10:00) is checked at OK
// as the closed one it is: a start moved past that end is swapped with it after the
// question, never stored after it.
TEST_F(CTraceDlgTest, ARunningTallymarkStoppedMeanwhileIsCheckedAgainstItsEnd) {
    const struct {
        int startHour;
        bool swapQuestion;
        const char* stored;
    } cases[] = {
        {8, false, "A 2023-06-15 08:00:00-2023-06-15 10:00:00"},
        {12, true, "A 2023-06-15 10:00:00-2023-06-15 12:00:00"},
    };
    for (const auto& test : cases) {
        CTallymark* running = Add("A", Date(2023, 6, 15, 8));
        CTraceDlg dialog(m_project, State(), running);
        CUiScript script;
        script.Do([&] {
            running->SetEnd(Date(2023, 6, 15, 10));
            Enter(Hwnd(), IDC_TRACE_START_DATE, IDC_TRACE_START_HOURS,
                  Date(2023, 6, 15, test.startHour));
            harness::Click(Hwnd(), IDC_TRACE_OK);
        });
        if (test.swapQuestion) {
            script.AnswerMessageBox(IDOK, "switch the start- and end date/times");
        }
        Run(script, dialog, IDD_TRACE);
        EXPECT_FALSE(dialog.IsCancelled()) << test.startHour;
        EXPECT_EQ(Marks("A"), std::vector<std::string>{test.stored}) << test.startHour;
        m_a.at("A")->GetTallymarks().Clear();
    }
}

// Two hours of work begun in this run, the clock set back an hour while the dialog is up:
// Stop shows and OK stores the two hours that passed, and the user is told; Stop and Cancel
// before that end nothing and tell nothing.
TEST_F(CTraceDlgTest, StopCountsTheTimeThatPassedWhenTheClockWasSetBack) {
    static CDateTime clock;
    static std::uint64_t ticks;
    clock = Date(2023, 6, 15, 8);
    ticks = 1000;
    CDateTime::SetNowSource([](bool) { return clock; });
    CTickClock::Set([] { return ticks; });
    EXPECT_TRUE(Projects().StartWorking(m_project, m_a["A"]));
    clock = Date(2023, 6, 15, 9);
    ticks += 2 * 3600 * 1000;
    CClockNotices::Get().TakePending();
    for (const int button : {IDCANCEL, IDC_TRACE_OK}) {
        CTraceDlg dialog(m_project, State(), State()->GetCurrentTallymark());
        CUiScript script;
        std::string shown;
        script.Do([] { harness::Click(Hwnd(), IDC_TRACE_STOP); }).Do([&] {
            shown = ShownTime(Hwnd(), IDC_TRACE_END_HOURS);
            harness::Click(Hwnd(), button);
        });
        Run(script, dialog, IDD_TRACE);
        EXPECT_EQ(shown, "10:0:0");
        EXPECT_EQ(CClockNotices::Get().HasPending(), button == IDC_TRACE_OK);
    }
    CTickClock::Set(nullptr);
    const std::vector<SClockNotice> told = CClockNotices::Get().TakePending();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].notice, EClockNotice::EndedAfterClockSetBack);
    EXPECT_EQ(told[0].end.Format("%H:%M:%S"), "10:00:00");
    EXPECT_EQ(Marks("A"), std::vector<std::string>{"A 2023-06-15 08:00:00-2023-06-15 10:00:00"});
}

// The hour repeated on 25 October 2026 is 00:00-01:00 UTC as summer time and 01:00-02:00
// UTC as winter time. At 01:30 UTC, OK with nothing changed keeps a start of its second
// pass, and Stop there stores its own end, not the first pass's.
TEST_F(CTraceDlgTest, TimesTheDialogPutThereStayAsTheyWereInTheRepeatedHour) {
    CDateTime::SetNowSource([](bool) { return Date(2026, 10, 25, 1, 30); });
    const CTimeZone amsterdam = Amsterdam();
    CModelTimeZone::Set(&amsterdam);
    const struct {
        CDateTime start;
        bool stop;
        const char* stored;
    } cases[] = {
        {Date(2026, 10, 25, 1, 20), false, "A 2026-10-25 01:20:00-open"},
        {Date(2026, 10, 25, 0, 10), true, "A 2026-10-25 00:10:00-2026-10-25 01:30:00"},
    };
    for (const auto& test : cases) {
        CTraceDlg dialog(m_project, State(), Add("A", test.start));
        CUiScript script;
        if (test.stop) {
            script.Do([] { harness::Click(Hwnd(), IDC_TRACE_STOP); });
        }
        script.Do([] { harness::Click(Hwnd(), IDC_TRACE_OK); });
        Run(script, dialog, IDD_TRACE);
        EXPECT_EQ(Marks("A"), std::vector<std::string>{test.stored});
        m_a.at("A")->GetTallymarks().Clear();
    }
}

TEST_F(CTraceDlgTest, CalendarsThatCannotBeFittedLeaveTheTemplateLayout) {
    CTraceDlg dialog(m_project, State(), m_a["A"]);
    CUiScript script;
    RECT expected = {203, 176, 254, 191}, shown = {};
    script.Do([&] {
        MapDialogRect(Hwnd(), &expected);
        GetWindowRect(GetDlgItem(Hwnd(), IDC_TRACE_OK), &shown);
        MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&shown), 2);
        harness::Click(Hwnd(), IDCANCEL);
    });
    Run(script, dialog, 990);
    EXPECT_EQ(std::make_pair(shown.left, shown.top), std::make_pair(expected.left, expected.top));
}

} // namespace
