#pragma once

// The preset periods of the choose time period dialog, worked out on local date/times
// without a window, so that every preset can be checked against a fixed "now".

#include "library/datetime/CDateTime.h"

enum class EPeriodPreset {
    EntireProject,
    ThisYear,
    PrevYear,
    ThisMonth,
    PrevMonth,
    ThisWeek,
    PrevWeek,
    Today,
    Yesterday,
    ThisHour,
    PrevHour,
    SetToNow,
};

// What the presets start from, all in local time.
struct SPeriodPresetBasis {
    CDateTime now;
    // 0 Sunday to 6 Saturday.
    int firstDayOfWeek = 0;
    // The project's first start and last end; only EntireProject uses them.
    bool hasData = false;
    bool working = false;
    CDateTime firstAvailable;
    CDateTime lastAvailable;
};

// Sets start and end to the preset's period (SetToNow: the end only). False, changing
// nothing, for the entire project of a project without data.
bool ApplyPeriodPreset(EPeriodPreset preset, const SPeriodPresetBasis& basis, CDateTime& start,
                       CDateTime& end);
