#pragma once

#include "library/datetime/CDateTimeSpan.h"

#include <cstdint>

class CActivity;

// One chosen activity of a report, with its totals over all periods (its descendants'
// time included).
struct SReportActivity {
    // The position from 0 in a pre-order walk over all activities below the root, chosen
    // or not.
    std::int32_t id = 0;
    CActivity* activity = nullptr;
    CDateTimeSpan totalRoundSum{0.0};
    CDateTimeSpan totalSumRound{0.0};
    // A non-zero rounded time in at least one period.
    bool used = false;
};
