#pragma once

// Time zones that tests pin, so that what they check does not depend on the zone of the
// machine that runs them.

#include "library/datetime/CTimeZone.h"

#include <windows.h>

#include <cstring>

namespace harness {

// Central European time: one hour ahead, two from the last Sunday of March 02:00 to the
// last Sunday of October 03:00 (as Europe/Amsterdam).
inline CTimeZone CentralEuropeanZone() {
    TIME_ZONE_INFORMATION information;
    std::memset(&information, 0, sizeof information);
    information.Bias = -60;
    information.DaylightBias = -60;
    information.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    information.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    return CTimeZone(information, TIME_ZONE_ID_STANDARD);
}

// Eastern time (as America/New_York): five hours behind, four from the second Sunday of
// March 02:00 to the first Sunday of November 02:00, where the repeated hour ends.
inline CTimeZone EasternZone() {
    TIME_ZONE_INFORMATION information = {};
    information.Bias = 300;
    information.DaylightBias = -60;
    information.StandardDate = {0, 11, 0, 1, 2, 0, 0, 0};
    information.DaylightDate = {0, 3, 0, 2, 2, 0, 0, 0};
    return CTimeZone(information, TIME_ZONE_ID_STANDARD);
}

} // namespace harness
