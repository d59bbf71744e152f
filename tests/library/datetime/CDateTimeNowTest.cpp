#include "library/datetime/CDateTime.h"

#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<bool> g_flags;

CDateTime PinnedNow(bool utc) {
    g_flags.push_back(utc);
    return CDateTime(utc ? 40000.5 : 40000.75);
}

// The system clock's time, as a plain double, straight from the platform.
double SystemNow(bool utc) {
    SYSTEMTIME now;
    if (utc) {
        GetSystemTime(&now);
    } else {
        GetLocalTime(&now);
    }
    now.wMilliseconds = 0;
    double value = 0.0;
    SystemTimeToVariantTime(&now, &value);
    return value;
}

TEST(CDateTimeNow, ASetSourceAnswersWithTheFlagAndNullRestoresTheSystemClock) {
    g_flags.clear();
    CDateTime::SetNowSource(&PinnedNow);
    EXPECT_EQ(CDateTime::Now(true).GetValue(), 40000.5);
    EXPECT_EQ(CDateTime::Now(false).GetValue(), 40000.75);
    EXPECT_EQ(g_flags, (std::vector<bool>{true, false}));

    CDateTime::SetNowSource(nullptr);
    for (bool utc : {true, false}) {
        const double before = SystemNow(utc);
        const double now = CDateTime::Now(utc).GetValue();
        // Within two seconds of the platform's own clock, whichever second ticked meanwhile.
        EXPECT_LT(std::fabs(now - before), 2.0 / 86400.0) << utc;
    }
    EXPECT_EQ(g_flags.size(), 2u);
}

} // namespace
