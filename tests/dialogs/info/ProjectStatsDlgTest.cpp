// The project statistics: the totals of the periods holding now and of the whole project,
// the first start and last end, refreshed every second only while work runs, and the
// dialog ending untouched when its project is closed under it.

#include "InfoFixture.h"

#include "dialogs/CProjectStatsDlg.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"

#include <string>
#include <vector>

using harness::CUiScript;
using infotest::CInfoFixture;

namespace {

// Wednesday 13 March 2024, 10:30 UTC (the tests run with TZ=UTC).
const double kNow = 45364.0 + 10.5 / 24.0;
const double kMinute = 1.0 / 1440.0;
const double kHour = 1.0 / 24.0;

double g_now = kNow;

CDateTime PinnedNow(bool utc) {
    return utc ? CDateTime(g_now) : CDateTime(g_now).UtcToLocal();
}

const int kTotals[] = {IDC_STATS_HOUR,  IDC_STATS_DAY,  IDC_STATS_WEEK,
                       IDC_STATS_MONTH, IDC_STATS_YEAR, IDC_STATS_PROJECT};

class ProjectStatsDlgTest : public CInfoFixture {
protected:
    ProjectStatsDlgTest() {
        g_now = kNow;
        CDateTime::SetNowSource(&PinnedNow);
        m_project = m_app->GetProjects().CreateNew();
        CProjectState* state = m_project->GetState();
        state->SetName("Build");
        m_dev = new CActivity(state, "Dev", true);
        state->GetRootActivity()->AddChildActivity(m_dev, -1);
        m_code = new CActivity(state, "Code", true);
        m_dev->AddChildActivity(m_code, -1);
    }
    ~ProjectStatsDlgTest() override { CDateTime::SetNowSource(nullptr); }

    // A closed tally mark from start for length, both in days before kNow.
    void Add(CActivity* activity, double startBefore, double length) {
        activity->GetTallymarks().Add(new CTallymark(activity, CDateTime(kNow - startBefore),
                                                     CDateTime(kNow - startBefore + length)));
    }
    // One tally mark in each period: this hour, today, this week, this month, this year and
    // last year.
    void AddOneInEachPeriod() {
        Add(m_code, 30 * kMinute, 20 * kMinute);     // 10:00 to 10:20
        Add(m_code, 2.5 * kHour, kHour);             // 08:00 to 09:00 today
        Add(m_dev, 2.0 + 1.5 * kHour, 2 * kHour);    // Monday
        Add(m_dev, 11.0 - 1.5 * kHour, 4 * kHour);   // 2 March
        Add(m_code, 68.0 + 10.5 * kHour, 8 * kHour); // 5 January
        Add(m_dev, 73.0 - 9.5 * kHour, 3 * kHour);   // 31 December 2023, 20:00
    }
    std::vector<std::string> Totals() const {
        std::vector<std::string> totals;
        for (int id : kTotals) {
            totals.push_back(harness::GetItemText(m_dialog->GetHwnd(), id));
        }
        return totals;
    }
    std::string Item(int id) const { return harness::GetItemText(m_dialog->GetHwnd(), id); }
    void Run(CUiScript& script, CProjectStatsDlg& dialog) {
        m_dialog = &dialog;
        CInfoFixture::Run(script, dialog, IDD_PROJECT_STATS);
    }

    CProject* m_project = nullptr;
    CActivity* m_dev = nullptr;
    CActivity* m_code = nullptr;
    CProjectStatsDlg* m_dialog = nullptr;
};

TEST_F(ProjectStatsDlgTest, ClosedTallymarksShowTheirPeriodsAndNoRefreshRuns) {
    AddOneInEachPeriod();
    CProjectStatsDlg dialog(m_project);
    CUiScript script;
    std::vector<std::string> totals;
    std::string name, working, count, start, end;
    script.Do([&] {
        totals = Totals();
        name = Item(IDC_STATS_NAME), working = Item(IDC_STATS_WORKING_ON);
        count = Item(IDC_STATS_COUNT);
        start = Item(IDC_STATS_FIRST_START), end = Item(IDC_STATS_LAST_END);
        harness::Click(dialog.GetHwnd(), IDCANCEL);
    });
    Run(script, dialog);
    EXPECT_EQ(totals, std::vector<std::string>({"00:20:00", "01:20:00", "03:20:00", "07:20:00",
                                                "15:20:00", "18:20:00"}));
    EXPECT_EQ(name, "Build");
    EXPECT_EQ(working, "Not working");
    EXPECT_EQ(count, "6");
    EXPECT_NE(start.find("2023"), std::string::npos) << start;
    EXPECT_NE(start.find("20:00"), std::string::npos) << start;
    EXPECT_NE(end.find("2024"), std::string::npos) << end;
    EXPECT_NE(end.find("10:20"), std::string::npos) << end;
    EXPECT_FALSE(dialog.IsRefreshing());
}

TEST_F(ProjectStatsDlgTest, AnEmptyProjectShowsZeroTotalsAndNoDates) {
    CProjectStatsDlg dialog(m_project);
    CUiScript script;
    std::vector<std::string> totals;
    std::string count, start, end;
    script.Do([&] {
        totals = Totals(), count = Item(IDC_STATS_COUNT);
        start = Item(IDC_STATS_FIRST_START), end = Item(IDC_STATS_LAST_END);
        harness::Click(dialog.GetHwnd(), IDCANCEL);
    });
    Run(script, dialog);
    EXPECT_EQ(totals, std::vector<std::string>(6, "00:00:00"));
    EXPECT_EQ(count, "0");
    EXPECT_EQ(start, "Not started");
    EXPECT_EQ(end, "Not ended");
}

// While work runs every total that holds now grows with the clock, once a second.
TEST_F(ProjectStatsDlgTest, RunningWorkIsCountedUpToNowEverySecond) {
    AddOneInEachPeriod();
    ASSERT_TRUE(m_app->GetProjects().StartWorking(m_project, m_code));
    g_now = kNow + 5.0 / 86400.0;
    CProjectStatsDlg dialog(m_project);
    CUiScript script;
    std::vector<std::string> first, later;
    std::string working, end, count;
    script
        .Do([&] {
            first = Totals();
            working = Item(IDC_STATS_WORKING_ON), end = Item(IDC_STATS_LAST_END);
            count = Item(IDC_STATS_COUNT);
            g_now = kNow + 65.0 / 86400.0;
        })
        .WaitFor([&] { return Item(IDC_STATS_HOUR) == "00:21:05"; }, 3000, "a refresh")
        .Do([&] {
            later = Totals();
            harness::Click(dialog.GetHwnd(), IDCANCEL);
        });
    Run(script, dialog);
    EXPECT_EQ(first, std::vector<std::string>(
                         {"00:20:05", "01:20:05", "03:20:05", "07:20:05", "15:20:05", "18:20:05"}));
    EXPECT_EQ(later, std::vector<std::string>(
                         {"00:21:05", "01:21:05", "03:21:05", "07:21:05", "15:21:05", "18:21:05"}));
    EXPECT_EQ(working, "Dev\\Code");
    EXPECT_EQ(end, "Still working");
    EXPECT_EQ(count, "7");
    EXPECT_FALSE(dialog.IsRefreshing());
}

// A project closed under the dialog (a tray exit, the end of the session) ends it at once;
// its timer stops and it never reads the deleted project again.
TEST_F(ProjectStatsDlgTest, AProjectClosedUnderItEndsItUntouched) {
    ASSERT_TRUE(m_app->GetProjects().StartWorking(m_project, m_code));
    CProjectStatsDlg dialog(m_project);
    CUiScript script;
    bool refreshingBefore = false;
    script.Do([&] {
        refreshingBefore = dialog.IsRefreshing();
        m_app->GetProjects().Close(m_project, true);
    });
    Run(script, dialog);
    EXPECT_TRUE(refreshingBefore);
    EXPECT_FALSE(dialog.IsRefreshing());
    EXPECT_EQ(dialog.GetState(), nullptr);
    EXPECT_EQ(m_app->GetProjects().GetNumProjects(), 0u);
}

} // namespace
