#include "library/datetime/CTimeZoneConverter.h"

#include "DateTestHelpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

SYSTEMTIME Rule(int month, int occurrence, int hour, int minute) {
    SYSTEMTIME rule = {};
    rule.wMonth = static_cast<WORD>(month);
    rule.wDay = static_cast<WORD>(occurrence);
    rule.wHour = static_cast<WORD>(hour);
    rule.wMinute = static_cast<WORD>(minute);
    return rule;
}

CTimeZone Zone(long bias, const SYSTEMTIME& daylightStart, const SYSTEMTIME& daylightEnd) {
    TIME_ZONE_INFORMATION information = {};
    information.Bias = bias;
    information.DaylightBias = -60;
    information.DaylightDate = daylightStart;
    information.StandardDate = daylightEnd;
    return CTimeZone(information, TIME_ZONE_ID_STANDARD);
}

// A converter that keeps a year answers every value, in any order, as a new one does: near
// transitions, at the turn of years (also a fraction of a second before it, which rounds
// into the next year) and across the start of the day count; its day numbers are those of
// the converted values, also for values that convert onto a day's start.
TEST(CTimeZoneConverter, KeepingAYearChangesNoAnswer) {
    const CTimeZone zones[] = {
        Zone(-60, Rule(3, 5, 2, 0), Rule(10, 5, 3, 0)),   // Central Europe
        Zone(-570, Rule(10, 1, 2, 0), Rule(4, 1, 3, 0)),  // Adelaide: across the new year
        Zone(210, Rule(3, 2, 2, 30), Rule(11, 1, 2, 30)), // a half hour off, odd minutes
        CTimeZone(),
    };
    std::vector<CDateTime> values;
    for (int year : {1899, 1900, 2023, 2024, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 5, 8, 14, 28}) {
                for (int hour : {0, 1, 2, 3, 23}) {
                    for (int minute : {0, 29, 30, 59}) {
                        values.push_back(MakeDate(year, month, day, hour, minute));
                    }
                }
            }
        }
        const CDateTime turn = MakeDate(year, 1, 1);
        values.push_back(turn - CDateTimeSpan(0.4 / 86400.0));
        values.push_back(turn + CDateTimeSpan(0.4 / 86400.0));
    }
    values.push_back(CDateTime());
    for (const CTimeZone& zone : zones) {
        for (bool toLocal : {true, false}) {
            CTimeZoneConverter kept(zone, toLocal);
            // Forward, then backward: each year is kept and left again.
            for (int pass = 0; pass < 2; ++pass) {
                for (std::size_t i = 0; i < values.size(); ++i) {
                    const CDateTime& value = values[pass == 0 ? i : values.size() - 1 - i];
                    const CDateTime alone = CTimeZoneConverter(zone, toLocal).Convert(value);
                    EXPECT_EQ(kept.Convert(value), alone)
                        << FieldText(value) << " to local " << toLocal;
                    EXPECT_EQ(kept.ConvertToDayNumber(value), alone.GetDayNumber())
                        << FieldText(value) << " to local " << toLocal;
                }
            }
        }
    }
}

} // namespace
