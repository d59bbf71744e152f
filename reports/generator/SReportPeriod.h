#pragma once

#include "library/datetime/CDateTime.h"
#include "library/datetime/CDateTimeSpan.h"

#include <cstdint>

// One statistics period of a report (local time; the end is the next period's start),
// with its totals over the chosen activities (each with its own time only).
struct SReportPeriod {
    std::int32_t id = 0;
    CDateTime start;
    CDateTime end;
    CDateTimeSpan totalRoundSum{0.0};
    CDateTimeSpan totalSumRound{0.0};
    // Some chosen activity has a non-zero rounded time (descendants included) in it.
    bool used = false;
};
