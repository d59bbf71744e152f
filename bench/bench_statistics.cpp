// Statistics at the scale of a large project: 2,000 activities in a tree up to 6 deep and
// 200,000 tally marks over 20 years. Measures building the project, cloning its state (an
// edit transaction), the first computation of the main window's grid (every activity, the
// last 7 days, with descendants) and the once-a-second refresh of that grid while a tally
// mark runs, with the totals of closed tally marks cached.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchProject.h"
#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CProjectState.h"
#include "model/CStatInts.h"
#include "model/CTallymark.h"

namespace {

using bench::CentralEuropeanZone;
using bench::Median;

using bench::BuildProject;
using bench::CRandom;
using bench::kYears;

constexpr int kDays = 7;
constexpr int kRefreshes = 200;
constexpr int kClones = 3;

double g_now = 0.0;

CDateTime PinnedNow(bool) {
    return CDateTime(g_now);
}

class CStopwatch {
public:
    CStopwatch() {
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    double Seconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) /
               static_cast<double>(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency;
    LARGE_INTEGER m_start;
};

double Mean(const std::vector<double>& values) {
    double sum = 0.0;
    for (double value : values) {
        sum += value;
    }
    return sum / static_cast<double>(values.size());
}

// Every activity below root, parents before children.
void CollectActivities(CActivity* root, std::vector<CActivity*>& activities) {
    for (CActivity* child = root->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        activities.push_back(child);
        CollectActivities(child, activities);
    }
}

// The grid of the main window: every activity's time in each interval, with descendants.
double ComputeGrid(const std::vector<CActivity*>& rows, const CStatInts& days) {
    double sum = 0.0;
    for (CActivity* activity : rows) {
        for (int column = 0; column < days.GetCount(); ++column) {
            sum += activity->GetStatGen()
                       .Generate(days.GetAt(column), EStatScope::WithDescendants)
                       .GetTotal()
                       .GetValue();
        }
    }
    return sum;
}

} // namespace

int main() {
    const CTimeZone zone = CentralEuropeanZone();
    CModelTimeZone::Set(&zone);
    CDateTime now;
    now.SetDateTime(2024, 6, 14, 10, 0, 0);
    g_now = now.GetValue();
    CDateTime::SetNowSource(&PinnedNow);
    CRandom random;

    CStopwatch buildWatch;
    std::unique_ptr<CProjectState> state(new CProjectState());
    BuildProject(*state, random, now);
    const double buildSeconds = buildWatch.Seconds();
    std::vector<CActivity*> rows;
    CollectActivities(state->GetRootActivity(), rows);

    // Medians: the machine may be busy with other work now and then.
    std::vector<double> cloneTimes, deleteTimes;
    for (int i = 0; i < kClones; ++i) {
        CStopwatch cloneWatch;
        std::unique_ptr<CProjectState> clone = state->Clone();
        cloneTimes.push_back(cloneWatch.Seconds());
        CStopwatch deleteWatch;
        clone.reset();
        deleteTimes.push_back(deleteWatch.Seconds());
    }

    CStatInts days;
    days.GenerateUpTo(sikDay, kDays, now.UtcToLocal(zone), EStatIntBounds::Whole, 1);
    CStopwatch firstWatch;
    const double firstSum = ComputeGrid(rows, days);
    const double firstSeconds = firstWatch.Seconds();

    // Work runs on a leaf; every second the intervals are built again and the grid asked for.
    rows.back()->StartTallymark();
    double steadySum = 0.0;
    std::vector<double> refreshTimes;
    for (int i = 0; i < kRefreshes; ++i) {
        CStopwatch refreshWatch;
        g_now += 1.0 / 86400.0;
        days.GenerateUpTo(sikDay, kDays, CDateTime(g_now).UtcToLocal(zone), EStatIntBounds::Whole,
                          1);
        steadySum += ComputeGrid(rows, days);
        refreshTimes.push_back(refreshWatch.Seconds());
    }

    std::printf("activities %zu, tally marks %zu, grid %zu x %d\n", rows.size(),
                state->GetTallymarksByDate().GetCount(), rows.size(), kDays);
    std::printf("build                   %8.3f s\n", buildSeconds);
    std::printf("clone (median of %d)     %8.3f s\n", kClones, Median(cloneTimes));
    std::printf("delete clone (median)   %8.3f s\n", Median(deleteTimes));
    std::printf("first grid              %8.3f ms\n", firstSeconds * 1000.0);
    std::printf("steady refresh (median) %8.3f ms (mean %.3f ms, %d refreshes)\n",
                Median(refreshTimes) * 1000.0, Mean(refreshTimes) * 1000.0, kRefreshes);
    std::printf("(checksums %.3f %.3f)\n", firstSum, steadySum / kRefreshes);
    CStopwatch teardownWatch;
    state.reset();
    std::printf("delete state            %8.3f s\n", teardownWatch.Seconds());
    CDateTime::SetNowSource(nullptr);
    CModelTimeZone::Set(nullptr);
    return 0;
}
