#include "dialogs/CTraceDlg.h"

#include "TraceFixture.h"

#include <set>
#include <string>
#include <vector>

using harness::CUiScript;
using namespace tracetest;

namespace {

const char* const kSplitCaption = "Tallymarks - Split tally mark";

class CTraceDlgTest : public CTraceFixture {
protected:
    explicit CTraceDlgTest(const CTimeZone* zone = nullptr) : CTraceFixture(zone) {
        Build({"A", " A1", "B", "-Off"});
    }

    void Run(CUiScript& script, CTraceDlg& dialog, int dialogId = IDD_TRACE) {
        SDialogParams params;
        params.dialogId = dialogId;
        params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
        script.Run([&] { dialog.Create(params); });
    }
    HWND Hwnd() const { return harness::ActiveWindow(); }
    // Enters start and end (local times) into the dialog's controls.
    void EnterPeriod(CUiScript& script, const CDateTime& start, const CDateTime& end) {
        script.Do([=] {
            PickDay(Hwnd(), IDC_TRACE_START_DATE, start);
            EnterTime(Hwnd(), IDC_TRACE_START_HOURS, start);
            PickDay(Hwnd(), IDC_TRACE_END_DATE, end);
            EnterTime(Hwnd(), IDC_TRACE_END_HOURS, end);
        });
    }
};

class CTraceDlgAmsterdamTest : public CTraceDlgTest {
protected:
    CTraceDlgAmsterdamTest() : CTraceDlgTest(&m_zone) {}
    static inline const CTimeZone m_zone = AmsterdamZone();
};

struct SEntryCase {
    const char* what;
    CDateTime startLocal;
    CDateTime endLocal;
    const char* stored; // universal times
};

TEST_F(CTraceDlgTest, NewTallymarkShowsTodayWithinWorkingHoursOnTheSelectedActivity) {
    State()->SetSelectedActivity(m_a["B"]);
    CTraceDlg dialog(m_project, State());
    CUiScript script;
    std::string caption, start, end, activity;
    script.Do([&] {
        caption = harness::GetText(Hwnd());
        start = ShownTime(Hwnd(), IDC_TRACE_START_HOURS);
        end = ShownTime(Hwnd(), IDC_TRACE_END_HOURS);
        HWND box = GetDlgItem(Hwnd(), IDC_TRACE_ACTIVITY);
        const LRESULT index = SendMessageA(box, CB_GETCURSEL, 0, 0);
        char text[64] = {};
        SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        activity = text;
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(Hwnd(), IDC_TRACE_STOP)));
        harness::Click(Hwnd(), IDC_TRACE_OK);
    });
    Run(script, dialog);
    const CDateTime workStart = m_app->GetSetDateTime().GetWorkStart();
    const CDateTime workEnd = m_app->GetSetDateTime().GetWorkEnd();
    EXPECT_EQ(caption, "Tallymarks - New tally mark");
    EXPECT_EQ(start, std::to_string(workStart.GetHour()) + ":" +
                         std::to_string(workStart.GetMinute()) + ":0");
    EXPECT_EQ(end,
              std::to_string(workEnd.GetHour()) + ":" + std::to_string(workEnd.GetMinute()) + ":0");
    EXPECT_EQ(activity, "B");
    ASSERT_FALSE(dialog.IsCancelled());
    EXPECT_EQ(dialog.GetTallymark()->GetActivity(), m_a["B"]);
    EXPECT_EQ(dialog.GetTallymark()->GetStart().GetDayStart(), Date(2023, 6, 15));
}

TEST_F(CTraceDlgTest, EntersTallymarksAcrossMidnightAndInAnEarlierCentury) {
    const SEntryCase cases[] = {
        {"across midnight", Date(2023, 3, 14, 22, 0, 0), Date(2023, 3, 15, 2, 30, 0),
         "A1 2023-03-14 22:00:00-2023-03-15 02:30:00"},
        {"in 1999", Date(1999, 12, 31, 9, 0, 5), Date(1999, 12, 31, 17, 15, 30),
         "A1 1999-12-31 09:00:05-1999-12-31 17:15:30"},
        {"end before start, swapped", Date(2023, 1, 2, 18, 0, 0), Date(2023, 1, 2, 8, 0, 0),
         "A1 2023-01-02 08:00:00-2023-01-02 18:00:00"},
    };
    for (const SEntryCase& entry : cases) {
        SCOPED_TRACE(entry.what);
        for (CTallymark* t = m_a["A1"]->GetTallymarks().GetFirst(); t != nullptr;
             t = m_a["A1"]->GetTallymarks().GetFirst()) {
            delete t;
        }
        CTraceDlg dialog(m_project, State(), m_a["A1"]);
        CUiScript script;
        EnterPeriod(script, entry.startLocal, entry.endLocal);
        script.Do([&] { harness::Click(Hwnd(), IDC_TRACE_OK); });
        if (entry.startLocal > entry.endLocal) {
            script.AnswerMessageBox(IDOK, "switch the start- and end date/times");
        }
        Run(script, dialog);
        EXPECT_FALSE(dialog.IsCancelled());
        EXPECT_EQ(Marks("A1"), std::vector<std::string>{entry.stored});
    }
}

TEST_F(CTraceDlgAmsterdamTest, EntersLocalTimesAcrossTheDaylightSavingChanges) {
    // Local times in, universal times stored: the night of the spring change lasts an hour
    // less, that of the autumn change an hour more.
    const SEntryCase cases[] = {
        {"spring", Date(2024, 3, 30, 23, 0, 0), Date(2024, 3, 31, 4, 0, 0),
         "B 2024-03-30 22:00:00-2024-03-31 02:00:00"},
        {"autumn", Date(2024, 10, 26, 23, 0, 0), Date(2024, 10, 27, 4, 0, 0),
         "B 2024-10-26 21:00:00-2024-10-27 03:00:00"},
    };
    for (const SEntryCase& entry : cases) {
        SCOPED_TRACE(entry.what);
        CTallymark* existing = Add("B", Date(2020, 1, 1, 8), Date(2020, 1, 1, 9));
        CTraceDlg dialog(m_project, State(), existing);
        CUiScript script;
        std::string period;
        EnterPeriod(script, entry.startLocal, entry.endLocal);
        script.Do([&] {
            period = harness::GetItemText(Hwnd(), IDC_TRACE_PERIOD);
            harness::Click(Hwnd(), IDC_TRACE_OK);
        });
        Run(script, dialog);
        EXPECT_EQ(Marks("B"), std::vector<std::string>{entry.stored});
        const CDateTimeSpan length = existing->GetEnd(false) - existing->GetStart();
        EXPECT_EQ(period, m_app->GetSetTimeDisplay().FormatDuration(length));
        delete existing;
    }
}

TEST_F(CTraceDlgAmsterdamTest, ModifyingShowsTheStoredTimesInLocalTime) {
    CTallymark* existing = Add("A", Date(2024, 7, 1, 7, 30, 0), Date(2024, 7, 1, 15, 0, 0));
    CTraceDlg dialog(m_project, State(), existing);
    CUiScript script;
    std::string caption, start, end;
    script.Do([&] {
        caption = harness::GetText(Hwnd());
        start = ShownTime(Hwnd(), IDC_TRACE_START_HOURS);
        end = ShownTime(Hwnd(), IDC_TRACE_END_HOURS);
        harness::Click(Hwnd(), IDCANCEL);
    });
    Run(script, dialog);
    EXPECT_EQ(caption, "Tallymarks - Modify tally mark");
    EXPECT_EQ(start, "9:30:0");
    EXPECT_EQ(end, "17:0:0");
}

TEST_F(CTraceDlgTest, OkIsRefusedWhileATimeFieldHoldsNoTime) {
    CTallymark* existing = Add("A", Date(2023, 5, 1, 9), Date(2023, 5, 1, 17));
    const std::string before = SavedBytes();
    // Each case spoils one field; OK must leave the focus on it, ask nothing and keep the
    // project unchanged.
    const struct {
        int field;
        const char* text;
    } cases[] = {{IDC_TRACE_START_SECONDS, ""},
                 {IDC_TRACE_END_HOURS, "x7"},
                 {IDC_TRACE_START_MINUTES, "75"},
                 {IDC_TRACE_END_SECONDS, " 5"}};
    for (const auto& spoilt : cases) {
        SCOPED_TRACE(spoilt.field);
        CTraceDlg dialog(m_project, State(), existing);
        CUiScript script;
        int focused = 0;
        bool stillOpen = false;
        script
            .Do([&] {
                // Pasted text passes the typing filter: set it as a paste does.
                SetDlgItemTextA(Hwnd(), spoilt.field, spoilt.text);
                harness::Click(Hwnd(), IDC_TRACE_OK);
            })
            .Do([&] {
                focused = GetDlgCtrlID(GetFocus());
                stillOpen = dialog.IsOpen();
                SetDlgItemTextA(Hwnd(), spoilt.field, "1");
                harness::Click(Hwnd(), IDCANCEL);
            });
        Run(script, dialog);
        EXPECT_EQ(focused, spoilt.field);
        EXPECT_TRUE(stillOpen);
        EXPECT_TRUE(dialog.IsCancelled());
        EXPECT_TRUE(script.GetMessageBoxes().empty());
        EXPECT_EQ(SavedBytes(), before);
    }
    // Mended, the same field is taken.
    CTraceDlg dialog(m_project, State(), existing);
    CUiScript script;
    script.Do([&] {
        harness::SetItemText(Hwnd(), IDC_TRACE_START_SECONDS, "");
        harness::Click(Hwnd(), IDC_TRACE_OK);
    });
    script.Do([&] {
        harness::SetItemText(Hwnd(), IDC_TRACE_START_SECONDS, "7");
        harness::Click(Hwnd(), IDC_TRACE_OK);
    });
    Run(script, dialog);
    EXPECT_EQ(Marks("A"), std::vector<std::string>{"A 2023-05-01 09:00:07-2023-05-01 17:00:00"});
}

TEST_F(CTraceDlgTest, CancelCloseBoxAndEscapeLeaveTheProjectAsItWas) {
    CTallymark* existing = Add("A", Date(2023, 5, 1, 9), Date(2023, 5, 1, 17));
    Add("B", Date(2023, 5, 2, 9));
    const std::string before = SavedBytes();
    const std::function<void(HWND)> ways[] = {
        [](HWND dialog) { harness::Click(dialog, IDCANCEL); },
        [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
        [](HWND dialog) {
            HWND focus = GetDlgItem(dialog, IDC_TRACE_START_HOURS);
            SetFocus(focus);
            PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
        },
    };
    for (const auto& leave : ways) {
        CTraceDlg dialog(m_project, State(), existing);
        CUiScript script;
        EnterPeriod(script, Date(2023, 4, 3, 10), Date(2023, 4, 4, 11));
        script.Do([&] { harness::SelectComboItem(Hwnd(), IDC_TRACE_ACTIVITY, 2); })
            .Do([&] { harness::Click(Hwnd(), IDC_TRACE_SPLIT); })
            .Do([&] {
                HWND split = harness::FindThreadWindow(kSplitCaption);
                ASSERT_NE(split, nullptr);
                harness::SelectComboItem(split, IDC_SPLIT_FIRST_ACTIVITY, 0);
                harness::Click(split, IDC_SPLIT_OK);
            })
            .Do([&] {
                // The split parts are held by the dialog only.
                EXPECT_EQ(Marks("B").size(), 1u);
                leave(Hwnd());
            });
        Run(script, dialog);
        EXPECT_TRUE(dialog.IsCancelled());
        EXPECT_FALSE(dialog.IsOpen());
        EXPECT_EQ(SavedBytes(), before);
    }
}

TEST_F(CTraceDlgTest, SplitThenOkGivesTheRecordTheSecondPartAndAddsTheFirst) {
    CTallymark* existing = Add("A", Date(2023, 5, 1, 9), Date(2023, 5, 1, 17));
    CTraceDlg dialog(m_project, State(), existing);
    CUiScript script;
    script.Do([&] { harness::Click(Hwnd(), IDC_TRACE_SPLIT); })
        .Do([&] {
            HWND split = harness::FindThreadWindow(kSplitCaption);
            ASSERT_NE(split, nullptr);
            EXPECT_EQ(ShownTime(split, IDC_SPLIT_HOURS), "13:0:0");
            EnterTime(split, IDC_SPLIT_HOURS, Date(2023, 5, 1, 12, 15, 0));
            harness::SelectComboItem(split, IDC_SPLIT_SECOND_ACTIVITY, 2);
            harness::Click(split, IDC_SPLIT_OK);
        })
        .Do([&] {
            // Nothing reaches the model before OK.
            EXPECT_EQ(Marks("A"),
                      std::vector<std::string>{"A 2023-05-01 09:00:00-2023-05-01 17:00:00"});
            EXPECT_EQ(ShownTime(Hwnd(), IDC_TRACE_START_HOURS), "12:15:0");
            harness::Click(Hwnd(), IDC_TRACE_OK);
        });
    Run(script, dialog);
    ASSERT_FALSE(dialog.IsCancelled());
    EXPECT_EQ(Marks("A"), std::vector<std::string>{"A 2023-05-01 09:00:00-2023-05-01 12:15:00"});
    EXPECT_EQ(Marks("B"), std::vector<std::string>{"B 2023-05-01 12:15:00-2023-05-01 17:00:00"});
    EXPECT_EQ(dialog.GetTallymark(), existing);
    ASSERT_EQ(dialog.GetSplitTallymarks().size(), 1u);
    EXPECT_EQ((*dialog.GetSplitTallymarks().begin())->GetActivity(), m_a["A"]);
}

TEST_F(CTraceDlgTest, RunningTallymarkStopsOnlyWhenAskedAndActivitiesAreChecked) {
    CTallymark* running = Add("A", Date(2023, 6, 15, 8));
    struct SCase {
        bool stop;
        int activityItem; // -1: keep
        const char* refusal;
        const char* stored;
    };
    const SCase cases[] = {
        {false, 3, "cannot book hours", "A 2023-06-15 08:00:00-open"},
        {false, -1, nullptr, "A 2023-06-15 08:00:00-open"},
        {true, -1, nullptr, "A 2023-06-15 08:00:00-2023-06-15 14:00:00"},
    };
    for (const SCase& test : cases) {
        CTraceDlg dialog(m_project, State(), running);
        CUiScript script;
        std::string period;
        bool endShown = true;
        script.Do([&] {
            period = harness::GetItemText(Hwnd(), IDC_TRACE_PERIOD);
            endShown = IsWindowVisible(GetDlgItem(Hwnd(), IDC_TRACE_END_DATE)) != FALSE;
            if (test.stop) {
                harness::Click(Hwnd(), IDC_TRACE_STOP);
            }
            if (test.activityItem >= 0) {
                harness::SelectComboItem(Hwnd(), IDC_TRACE_ACTIVITY, test.activityItem);
            }
        });
        script.Do([&] { harness::Click(Hwnd(), IDC_TRACE_OK); });
        if (test.refusal != nullptr) {
            script.AnswerMessageBox(IDOK, test.refusal).Do([&] {
                harness::Click(Hwnd(), IDCANCEL);
            });
        }
        Run(script, dialog);
        EXPECT_FALSE(endShown);
        EXPECT_NE(period.find("(Still working)"), std::string::npos) << period;
        EXPECT_EQ(Marks("A"), std::vector<std::string>{test.stored});
    }
}

TEST_F(CTraceDlgTest, UnfittedCalendarsLeaveTheLayoutAsTheTemplateHasIt) {
    CTraceDlg dialog(m_project, State(), m_a["A"]);
    CUiScript script;
    RECT okBefore = {}, okAfter = {};
    script.Do([&] {
        HWND ok = GetDlgItem(Hwnd(), IDC_TRACE_OK);
        GetWindowRect(ok, &okAfter);
        // The template's place of the button, in pixels.
        okBefore = {203, 176, 254, 191};
        MapDialogRect(Hwnd(), &okBefore);
        MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&okBefore), 2);
        harness::Click(Hwnd(), IDCANCEL);
    });
    Run(script, dialog, 990);
    EXPECT_EQ(okAfter.left, okBefore.left);
    EXPECT_EQ(okAfter.top, okBefore.top);
}

} // namespace
