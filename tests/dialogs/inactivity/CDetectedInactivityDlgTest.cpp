// The detected inactivity dialog: every row of its choices on a project that worked for an
// hour and was left alone for the last twenty minutes; the running tally mark stopped or
// moved meanwhile, started after the last input, edited by another dialog meanwhile, and
// its project closed under it.

#include "dialogs/CDetectedInactivityDlg.h"
#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CClockNotices.h"
#include "model/CEditTransaction.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/CTallymarks.h"
#include "model/CTickClock.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using harness::CUiScript;

namespace {

// Wednesday 13 March 2024, 10:30 UTC (the tests run with TZ=UTC).
const double kNow = 45364.0 + 10.5 / 24.0;
const double kMinute = 1.0 / 1440.0;
double g_now = kNow;
// How far the computer's clock was set: it moves the wall clock, not the monotonic one.
double g_clockSet = 0;
// Each read of the clock finds both clocks a second later.
bool g_stepping = false;

CDateTime PinnedNow(bool utc) {
    if (g_stepping) {
        g_now += 1.0 / 86400.0;
    }
    const CDateTime now(g_now + g_clockSet);
    return utc ? now : now.UtcToLocal();
}

// The monotonic clock in step with the pinned one: work begun "minutes ago" began then on
// both clocks, as on a computer whose clock nobody sets.
std::uint64_t PinnedTicks() {
    return static_cast<std::uint64_t>(std::llround((g_now - kNow + 1.0) * 86400000.0));
}

// Both clocks at the last input, minutesAgo minutes before kNow (the computer's as set now).
SClockReading LastInput(double minutesAgo) {
    const double ago = minutesAgo * kMinute;
    return {CDateTime(kNow - ago + g_clockSet), std::uint64_t(std::llround((1 - ago) * 86400000))};
}

// Combo box rows, in tree order.
enum { kDev, kMail, kMeet, kOff, kNone = -1 };

class InactivityTest : public harness::CDialogAppFixture {
protected:
    InactivityTest() {
        StartApp(true);
        g_now = kNow;
        g_clockSet = 0;
        CDateTime::SetNowSource(&PinnedNow);
        CTickClock::Set(&PinnedTicks);
        m_project = m_app->GetProjects().CreateNew();
        CProjectState* state = m_project->GetState();
        state->SetName("Plan");
        for (const char* name : {"Dev", "Mail", "Meet", "Off"}) {
            state->GetRootActivity()->AddChildActivity(
                new CActivity(state, name, std::string(name) != "Off"), -1);
        }
    }
    ~InactivityTest() override {
        CDateTime::SetNowSource(nullptr);
        CTickClock::Set(nullptr);
        m_app.reset();
    }
    CActivity* Activity(int row) const {
        CActivity* activity = m_project->GetState()->GetRootActivity()->GetFirstChild();
        for (int i = 0; i < row; ++i) {
            activity = activity->GetNextSibling();
        }
        return activity;
    }
    // Starts work on Dev minutesAgo minutes before now.
    void StartDev(double minutesAgo) {
        g_now = kNow - minutesAgo * kMinute;
        ASSERT_TRUE(m_app->GetProjects().StartWorking(m_project, Activity(kDev)));
        g_now = kNow;
    }
    // Every tally mark of the committed state as "activity start end" in minutes from now,
    // "open" for a running one, sorted.
    std::vector<std::string> Records() const {
        std::vector<std::string> records;
        for (CActivity* activity = m_project->GetState()->GetRootActivity()->GetFirstChild();
             activity != nullptr; activity = activity->GetNextSibling()) {
            CTallymarks& marks = activity->GetTallymarks();
            for (const CTallymark* mark = marks.GetFirst(); mark != nullptr;
                 mark = marks.GetNext()) {
                auto minutes = [](const CDateTime& date) {
                    return std::to_string(std::lround((date.GetValue() - kNow) / kMinute));
                };
                records.push_back(activity->GetName() + " " + minutes(mark->GetStart()) + " " +
                                  (mark->IsOpen() ? "open" : minutes(mark->GetEnd(false))));
            }
        }
        std::sort(records.begin(), records.end());
        return records;
    }
    // Ticks the boxes whose row is not kNone, chooses the rows and presses OK.
    static void Choose(HWND dialog, int include, int proceed) {
        if (include != kNone) {
            harness::Click(dialog, IDC_INACTIVITY_INCLUDE);
            harness::SelectComboItem(dialog, IDC_INACTIVITY_INCLUDE_ACTIVITY, include);
        }
        if (proceed != kNone) {
            harness::Click(dialog, IDC_INACTIVITY_CONTINUE);
            harness::SelectComboItem(dialog, IDC_INACTIVITY_CONTINUE_ACTIVITY, proceed);
        }
    }
    static void Run(CUiScript& script, CDialogWindow& dialog) {
        harness::RunDialog(script, dialog, IDD_DETECTED_INACTIVITY, true);
    }
    CProject* m_project = nullptr;
};

// What happens while the dialog is open, or after its OK.
enum EMeanwhile { kNothing, kStopped, kMoved, kClockSetBack, kStepping, kSetBackThenStop };

// Every row of the choices on work begun an hour ago (or ten minutes ago, after the last
// input: never ended before its start); a tally mark that no longer runs at OK, stopped or
// moved to another activity from the tray, is left alone. A clock set back an hour while
// the dialog is up changes no length: the work ends at the time that really passed (the
// user is told) and what continues starts as a Start does, or where the last ended when the
// clock was not set; so does a Stop an hour later after the clock was set back an hour. A
// clock set before the inactivity moves nothing either: the inactivity lasted as long
// before the end as it really did.
TEST_F(InactivityTest, EveryChoiceRewritesOnlyTheTallymarkItWasOpenedFor) {
    struct SRow {
        double startedAgo;
        EMeanwhile meanwhile;
        int include;
        int proceed;
        std::vector<std::string> records;
        size_t notices = 0;
        // Minutes the clock was set by before the inactivity began.
        double setBefore = 0;
    };
    const SRow rows[] = {
        {60, kNothing, kNone, kNone, {"Dev -60 -20"}},
        {60, kNothing, kNone, kMail, {"Dev -60 -20", "Mail 0 open"}},
        {60, kNothing, kDev, kNone, {"Dev -60 0"}},
        {60, kNothing, kMail, kNone, {"Dev -60 -20", "Mail -20 0"}},
        {60, kNothing, kDev, kDev, {"Dev -60 open"}},
        {60, kNothing, kDev, kMail, {"Dev -60 0", "Mail 0 open"}},
        {60, kNothing, kMail, kMail, {"Dev -60 -20", "Mail -20 open"}},
        {60, kNothing, kMail, kMeet, {"Dev -60 -20", "Mail -20 0", "Meet 0 open"}},
        {10, kNothing, kMail, kNone, {"Dev -10 -10", "Mail -10 0"}},
        {60, kStopped, kMail, kNone, {"Dev -60 0"}},
        {60, kMoved, kMail, kMail, {"Dev -60 0", "Meet 0 open"}},
        {60, kClockSetBack, kDev, kMail, {"Dev -60 0", "Mail -60 open"}, 1},
        {60, kClockSetBack, kMail, kMeet, {"Dev -60 -20", "Mail -20 0", "Meet -60 open"}, 1},
        {60, kStepping, kMail, kMeet, {"Dev -60 -20", "Mail -20 0", "Meet 0 open"}},
        {60, kSetBackThenStop, kMail, kMail, {"Dev -60 -20", "Mail -20 60"}, 1},
        {60, kNothing, kNone, kNone, {"Dev -60 -20"}, 0, -5},
        {60, kNothing, kMail, kNone, {"Dev -60 -20", "Mail -20 0"}, 1, -5},
        {60, kNothing, kNone, kNone, {"Dev -60 -20"}, 0, 60},
        {60, kNothing, kMail, kNone, {"Dev -60 -20", "Mail -20 0"}, 1, 60},
    };
    for (const SRow& row : rows) {
        m_app->GetProjects().StopWorking(m_project);
        for (int activity = kDev; activity <= kOff; ++activity) {
            Activity(activity)->GetTallymarks().Clear();
        }
        g_clockSet = 0;
        CClockNotices::Get().TakePending();
        StartDev(row.startedAgo);
        g_clockSet = row.setBefore * kMinute;
        CDetectedInactivityDlg dialog(LastInput(20), *m_project);
        CUiScript script;
        script.Do([&] {
            if (row.meanwhile == kStopped) {
                m_app->GetProjects().StopWorking(m_project);
            } else if (row.meanwhile == kMoved) {
                m_app->GetProjects().StartWorking(m_project, Activity(kMeet));
            } else if (row.meanwhile == kClockSetBack) {
                g_clockSet = -60 * kMinute;
            }
            Choose(dialog.GetHwnd(), row.include, row.proceed);
            g_stepping = row.meanwhile == kStepping;
            harness::Click(dialog.GetHwnd(), IDC_INACTIVITY_OK);
        });
        Run(script, dialog);
        g_stepping = false;
        if (row.meanwhile == kSetBackThenStop) {
            g_now = kNow + 60 * kMinute;
            g_clockSet = -60 * kMinute;
            m_app->GetProjects().StopWorking(m_project);
        }
        EXPECT_EQ(Records(), row.records) << row.include << " " << row.proceed;
        if (row.meanwhile == kStepping) {
            EXPECT_EQ(Activity(kMail)->GetTallymarks().GetFirst()->GetEnd(false),
                      Activity(kMeet)->GetTallymarks().GetFirst()->GetStart());
        }
        // The user is told of a set clock, as after a Stop, when something ends where it
        // decided.
        EXPECT_EQ(CClockNotices::Get().TakePending().size(), row.notices);
        EXPECT_EQ(dialog.HasBooked(), row.meanwhile != kStopped && row.meanwhile != kMoved);
    }
}

// Both choices checked, the include one first: two warnings and nothing changes.
TEST_F(InactivityTest, DisabledChoicesWarnTwiceAndKeepTheDialogOpen) {
    StartDev(60);
    CDetectedInactivityDlg dialog(LastInput(20), *m_project);
    CUiScript script;
    bool open = false;
    script
        .Do([&] {
            Choose(dialog.GetHwnd(), kOff, kOff);
            harness::Click(dialog.GetHwnd(), IDC_INACTIVITY_OK);
        })
        .AnswerMessageBox(IDOK, "include the inactive time period")
        .AnswerMessageBox(IDOK, "continue working")
        .Do([&] {
            open = IsWindow(dialog.GetHwnd()) != FALSE;
            harness::Click(dialog.GetHwnd(), IDCANCEL);
        });
    Run(script, dialog);
    EXPECT_TRUE(open);
    ASSERT_EQ(script.GetMessageBoxes().size(), 2u);
    EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Invalid activity");
    EXPECT_EQ(Records(), std::vector<std::string>({"Dev -60 open"}));
}

// An edit of the project, open when the dialog comes up or begun and committed while it
// runs, closes it at once without booking, to be opened again after the edit: the edit's
// commit would replace the booking and the activities that its choices name.
TEST_F(InactivityTest, AnEditOfItsProjectClosesItUnbookedToComeBackLater) {
    StartDev(60);
    for (bool openAtStart : {true, false}) {
        CEditTransaction outer;
        if (openAtStart) {
            outer.Restart(*m_project);
        }
        CDetectedInactivityDlg dialog(LastInput(20), *m_project);
        CUiScript script;
        if (!openAtStart) {
            script.Do([&] {
                Choose(dialog.GetHwnd(), kMail, kNone);
                CEditTransaction edit(*m_project);
                edit.GetState()->SetName("Plan B");
                edit.Commit();
                if (!dialog.IsPostponed()) {
                    harness::Click(dialog.GetHwnd(), IDC_INACTIVITY_OK);
                }
            });
        }
        Run(script, dialog);
        EXPECT_TRUE(dialog.IsPostponed()) << openAtStart;
        EXPECT_EQ(dialog.GetExitCode(), CDialogLauncher::kInactivityPostponed) << openAtStart;
        EXPECT_FALSE(dialog.HasBooked()) << openAtStart;
        outer.Discard();
        EXPECT_EQ(m_project->GetStateCount(), 1u);
        EXPECT_EQ(Records(), std::vector<std::string>({"Dev -60 open"})) << openAtStart;
    }
}

TEST_F(InactivityTest, AProjectClosedUnderItEndsItUntouched) {
    StartDev(60);
    CDetectedInactivityDlg dialog(LastInput(20), *m_project);
    CUiScript script;
    script.Do([&] { m_app->GetProjects().Close(m_project, true); });
    Run(script, dialog);
    EXPECT_EQ(dialog.GetProject(), nullptr);
    EXPECT_FALSE(dialog.HasBooked());
}

// Last active shows the time alone today, date and time on another day, and switches once
// at midnight; the inactive time counts up every second, by the time that really passed
// when the clock is set back meanwhile.
TEST_F(InactivityTest, TextsFollowTheClock) {
    StartDev(600);
    const double second = 1.0 / 86400;
    struct SCase {
        double inactiveMinutes;
        double later;    // what passes while the dialog is up
        double clockSet; // meanwhile
        const char* laterPeriod;
    };
    for (const SCase& test :
         {SCase{20, second, 0, "00:20:01"}, SCase{60 * 26, second, 0, "26:00:01"},
          SCase{20, 14 * 60 * kMinute, 0, "14:20:00"},
          SCase{20, 30 * second, -60 * kMinute, "00:20:30"}}) {
        g_now = kNow;
        g_clockSet = 0;
        CDetectedInactivityDlg dialog(LastInput(test.inactiveMinutes), *m_project);
        CUiScript script;
        std::string first, period, later, laterPeriod;
        script
            .Do([&] {
                first = harness::GetItemText(dialog.GetHwnd(), IDC_INACTIVITY_LAST_ACTIVE);
                period = harness::GetItemText(dialog.GetHwnd(), IDC_INACTIVITY_PERIOD);
                g_now = kNow + test.later;
                g_clockSet = test.clockSet;
            })
            .WaitFor([&] {
                return harness::GetItemText(dialog.GetHwnd(), IDC_INACTIVITY_PERIOD) != period;
            })
            .Do([&] {
                later = harness::GetItemText(dialog.GetHwnd(), IDC_INACTIVITY_LAST_ACTIVE);
                laterPeriod = harness::GetItemText(dialog.GetHwnd(), IDC_INACTIVITY_PERIOD);
                harness::Click(dialog.GetHwnd(), IDCANCEL);
            });
        Run(script, dialog);
        if (test.inactiveMinutes == 20) {
            EXPECT_EQ(first, "10:10:00");
            EXPECT_EQ(period, "00:20:00");
        } else {
            EXPECT_NE(first.find("2024 8:30:00"), std::string::npos) << first;
            EXPECT_EQ(period, "26:00:00");
        }
        if (test.later < kMinute) {
            EXPECT_EQ(later, first);
        } else {
            EXPECT_NE(later.find("2024 10:10:00"), std::string::npos) << later;
        }
        EXPECT_EQ(laterPeriod, test.laterPeriod);
    }
    EXPECT_EQ(Records(), std::vector<std::string>({"Dev -600 open"}));
}

} // namespace
