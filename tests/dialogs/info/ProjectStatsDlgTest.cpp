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

namespace {

// Wednesday 13 March 2024, 10:30 UTC (the tests run with TZ=UTC).
const double kNow = 45364.0 + 10.5 / 24.0;
const double kHour = 1.0 / 24.0;
double g_now = kNow;

CDateTime PinnedNow(bool utc) {
    return utc ? CDateTime(g_now) : CDateTime(g_now).UtcToLocal();
}

// The controls read: the six totals (hour to whole project), then count, start, end and
// the activity worked on.
const int kShown[] = {IDC_STATS_HOUR,      IDC_STATS_DAY,         IDC_STATS_WEEK,
                      IDC_STATS_MONTH,     IDC_STATS_YEAR,        IDC_STATS_PROJECT,
                      IDC_STATS_COUNT,     IDC_STATS_FIRST_START, IDC_STATS_LAST_END,
                      IDC_STATS_WORKING_ON};

class ProjectStatsDlgTest : public infotest::CInfoFixture {
protected:
    ProjectStatsDlgTest() {
        g_now = kNow;
        CDateTime::SetNowSource(&PinnedNow);
        m_project = m_app->GetProjects().CreateNew();
        CProjectState* state = m_project->GetState();
        m_dev = new CActivity(state, "Dev", true);
        state->GetRootActivity()->AddChildActivity(m_dev, -1);
        m_code = new CActivity(state, "Code", true);
        m_dev->AddChildActivity(m_code, -1);
    }
    ~ProjectStatsDlgTest() override { CDateTime::SetNowSource(nullptr); }

    // One closed tally mark in each period: 10:00-10:20, 08:00-09:00 today, 2 hours on
    // Monday, 4 on 2 March, 8 on 5 January and 3 on 31 December 2023 from 20:00.
    void AddOneInEachPeriod() {
        const double marks[][3] = {{1, 10 * kHour, 20.0 / 1440},
                                   {1, 8 * kHour, kHour},
                                   {0, -2 + 9 * kHour, 2 * kHour},
                                   {0, -11 + 12 * kHour, 4 * kHour},
                                   {1, -68, 8 * kHour},
                                   {0, -73 + 20 * kHour, 3 * kHour}};
        for (const auto& mark : marks) {
            CActivity* activity = mark[0] != 0 ? m_code : m_dev;
            const double start = 45364.0 + mark[1];
            activity->GetTallymarks().Add(
                new CTallymark(activity, CDateTime(start), CDateTime(start + mark[2])));
        }
    }
    std::vector<std::string> Shown(CProjectStatsDlg& dialog) {
        std::vector<std::string> shown;
        for (int id : kShown) {
            shown.push_back(harness::GetItemText(dialog.GetHwnd(), id));
        }
        return shown;
    }

    CProject* m_project = nullptr;
    CActivity* m_dev = nullptr;
    CActivity* m_code = nullptr;
};

TEST_F(ProjectStatsDlgTest, ClosedOrNoTallymarksShowTheirPeriodsAndNoRefreshRuns) {
    for (bool empty : {true, false}) {
        if (!empty) {
            AddOneInEachPeriod();
        }
        CProjectStatsDlg dialog(m_project);
        CUiScript script;
        std::vector<std::string> shown;
        script.Do([&] {
            shown = Shown(dialog);
            harness::Click(dialog.GetHwnd(), IDCANCEL);
        });
        Run(script, dialog, IDD_PROJECT_STATS);
        EXPECT_FALSE(dialog.IsRefreshing());
        ASSERT_EQ(shown.size(), 10u);
        EXPECT_EQ(shown[9], "Not working");
        if (empty) {
            EXPECT_EQ(shown, std::vector<std::string>({"00:00:00", "00:00:00", "00:00:00",
                                                       "00:00:00", "00:00:00", "00:00:00", "0",
                                                       "Not started", "Not ended", "Not working"}));
            continue;
        }
        EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 7),
                  std::vector<std::string>({"00:20:00", "01:20:00", "03:20:00", "07:20:00",
                                            "15:20:00", "18:20:00", "6"}));
        EXPECT_NE(shown[7].find("2023 20:00"), std::string::npos) << shown[7];
        EXPECT_NE(shown[8].find("2024 10:20"), std::string::npos) << shown[8];
    }
}

// While work runs every total that holds now grows with the clock, once a second.
TEST_F(ProjectStatsDlgTest, RunningWorkIsCountedUpToNowEverySecond) {
    AddOneInEachPeriod();
    ASSERT_TRUE(m_app->GetProjects().StartWorking(m_project, m_code));
    g_now = kNow + 5.0 / 86400;
    CProjectStatsDlg dialog(m_project);
    CUiScript script;
    std::vector<std::string> first, later;
    script.Do([&] { first = Shown(dialog), g_now = kNow + 65.0 / 86400; })
        .WaitFor(
            [&] { return harness::GetItemText(dialog.GetHwnd(), IDC_STATS_HOUR) == "00:21:05"; },
            3000, "a refresh")
        .Do([&] {
            later = Shown(dialog);
            harness::Click(dialog.GetHwnd(), IDCANCEL);
        });
    Run(script, dialog, IDD_PROJECT_STATS);
    EXPECT_EQ(first,
              std::vector<std::string>({"00:20:05", "01:20:05", "03:20:05", "07:20:05", "15:20:05",
                                        "18:20:05", "7", first[7], "Still working", "Dev\\Code"}));
    EXPECT_EQ(std::vector<std::string>(later.begin(), later.begin() + 6),
              std::vector<std::string>(
                  {"00:21:05", "01:21:05", "03:21:05", "07:21:05", "15:21:05", "18:21:05"}));
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
    Run(script, dialog, IDD_PROJECT_STATS);
    EXPECT_TRUE(refreshingBefore);
    EXPECT_FALSE(dialog.IsRefreshing());
    EXPECT_EQ(dialog.GetState(), nullptr);
}

} // namespace
