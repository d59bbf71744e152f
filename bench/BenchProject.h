#pragma once

// The large project of the benchmarks: 2,000 activities in a tree up to 6 deep and a
// number of tally marks spread at random over 20 years before now, always the same.

#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include "library/datetime/CTimeZone.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace bench {

// The median of a benchmark's runs (the upper one of an even count; 0 without runs).
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Central European time, with daylight saving: the zone the benchmarks' 20 years are
// counted in, so that every day boundary and daylight change costs what it does for a user.
inline CTimeZone CentralEuropeanZone() {
    TIME_ZONE_INFORMATION information;
    std::memset(&information, 0, sizeof information);
    information.Bias = -60;
    information.DaylightBias = -60;
    information.StandardDate.wMonth = 10;
    information.StandardDate.wDay = 5;
    information.StandardDate.wHour = 3;
    information.DaylightDate.wMonth = 3;
    information.DaylightDate.wDay = 5;
    information.DaylightDate.wHour = 2;
    return CTimeZone(information, TIME_ZONE_ID_STANDARD);
}

constexpr int kLevelSizes[] = {10, 40, 150, 300, 600, 900}; // 2,000 activities, depth 1-6
constexpr int kYears = 20;

// A fixed pseudo-random sequence, so that every run measures the same project.
class CRandom {
public:
    std::uint32_t Next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(m_state >> 33);
    }
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint32_t>(bound)); }

private:
    std::uint64_t m_state = 20240614;
};

inline void BuildProject(CProjectState& state, CRandom& random, const CDateTime& now,
                         int tallymarks = 200000) {
    std::vector<CActivity*> previousLevel(1, state.GetRootActivity());
    std::vector<CActivity*> all;
    for (int size : kLevelSizes) {
        std::vector<CActivity*> level;
        for (int i = 0; i < size; ++i) {
            CActivity* parent = previousLevel[random.Below(static_cast<int>(previousLevel.size()))];
            CActivity* activity =
                new CActivity(&state, "Activity " + std::to_string(all.size()), true);
            parent->AddChildActivity(activity, -1);
            level.push_back(activity);
            all.push_back(activity);
        }
        previousLevel.swap(level);
    }
    const double first = now.GetValue() - 365.0 * kYears;
    const double minute = 1.0 / 1440.0;
    for (int i = 0; i < tallymarks; ++i) {
        CActivity* activity = all[random.Below(static_cast<int>(all.size()))];
        const double start = first + random.Below(365 * kYears * 1440) * minute;
        const double length = (15 + random.Below(225)) * minute;
        activity->GetTallymarks().Add(
            new CTallymark(activity, CDateTime(start), CDateTime(start + length)));
    }
}

} // namespace bench
