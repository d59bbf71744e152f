#pragma once

#include "library/datetime/CDateTimeSpan.h"

// One chosen activity in one period: its rounded time, descendants included.
struct SReportCell {
    CDateTimeSpan time{0.0};
    bool nonZero = false;
};
