#include "library/datetime/CDateTimeSpan.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

const double kSecond = 1.0 / 86400.0;

TEST(CDateTimeSpan, DefaultAndRange) {
    EXPECT_FALSE(CDateTimeSpan().IsValid());
    EXPECT_EQ(CDateTimeSpan().GetValue(), -3615898.0);
    EXPECT_TRUE(CDateTimeSpan(3615897.0).IsValid());
    EXPECT_TRUE(CDateTimeSpan(-3615897.0).IsValid());
    EXPECT_FALSE(CDateTimeSpan(3615897.5).IsValid());
    EXPECT_FALSE(CDateTimeSpan(std::nan("")).IsValid());
}

TEST(CDateTimeSpan, FromParts) {
    EXPECT_DOUBLE_EQ(CDateTimeSpan(1, 2, 30, 0).GetValue(), 1.0 + 2.5 / 24.0);
    EXPECT_DOUBLE_EQ(CDateTimeSpan(0, 0, -90, 30).GetValue(), -89.5 / 1440.0);
    EXPECT_FALSE(CDateTimeSpan(4000000, 0, 0, 0).IsValid());
    EXPECT_EQ(CDateTimeSpan(4000000, 0, 0, 0).GetValue(), CDateTimeSpan::kInvalidValue);
}

TEST(CDateTimeSpan, ArithmeticGivesTheMarkerOnFailure) {
    const CDateTimeSpan invalid;
    const CDateTimeSpan day(1.0);
    CDateTimeSpan sum(0.5);
    sum += invalid;
    EXPECT_EQ(sum.GetValue(), CDateTimeSpan::kInvalidValue);
    EXPECT_EQ((day - invalid).GetValue(), CDateTimeSpan::kInvalidValue);
    EXPECT_EQ((-invalid).GetValue(), CDateTimeSpan::kInvalidValue);
    EXPECT_EQ((CDateTimeSpan(3615897.0) + day).GetValue(), CDateTimeSpan::kInvalidValue);
    EXPECT_DOUBLE_EQ((day + CDateTimeSpan(0.25)).GetValue(), 1.25);
    EXPECT_DOUBLE_EQ((day - CDateTimeSpan(0.25)).GetValue(), 0.75);
    EXPECT_DOUBLE_EQ((-day).GetValue(), -1.0);
    CDateTimeSpan difference(1.0);
    difference -= CDateTimeSpan(3.0);
    EXPECT_DOUBLE_EQ(difference.GetValue(), -2.0);
}

TEST(CDateTimeSpan, TotalsAndParts) {
    const CDateTimeSpan span(2, 3, 4, 5);
    EXPECT_DOUBLE_EQ(span.GetTotalHours(), 51.0 + 4.0 / 60 + 5.0 / 3600);
    EXPECT_DOUBLE_EQ(span.GetTotalMinutes(), 3064.0 + 5.0 / 60);
    EXPECT_NEAR(span.GetTotalSeconds(), 183845.0, 1e-6);
    struct {
        double days;
        int wholeDays, hours, minutes, seconds;
    } cases[] = {
        {2 + 3 / 24.0 + 4 / 1440.0 + 5 * kSecond, 2, 3, 4, 5},
        {0.5 - 0.1 * kSecond, 0, 12, 0, 0},  // rounds to the second
        {1.0 - 0.4 * kSecond, 1, 0, 0, 0},   // ... into the next day
        {-(1 + 1.5 / 24.0), -1, -1, -30, 0}, // parts carry the sign
    };
    for (const auto& c : cases) {
        CDateTimeSpan s(c.days);
        EXPECT_EQ(s.GetDays(), c.wholeDays) << c.days;
        EXPECT_EQ(s.GetHours(), c.hours) << c.days;
        EXPECT_EQ(s.GetMinutes(), c.minutes) << c.days;
        EXPECT_EQ(s.GetSeconds(), c.seconds) << c.days;
    }
    const CDateTimeSpan invalid;
    EXPECT_EQ(invalid.GetHours(), INT_MIN);
    EXPECT_EQ(invalid.GetDays(), INT_MIN);
    EXPECT_EQ(invalid.GetTotalHours(), CDateTimeSpan::kInvalidValue);
}

TEST(CDateTimeSpan, FormatHMS) {
    struct {
        double days;
        int minimumParts;
        const char* text;
    } cases[] = {
        {0.5, 3, "12:00:00"},
        {kSecond, 3, "00:00:01"},
        {0.4 * kSecond, 3, "00:00:00"},
        {1.4 * kSecond, 3, "00:00:01"},
        {1.6 * kSecond, 3, "00:00:02"},
        {(123 * 3600 + 4 * 60 + 5) * kSecond, 3, "123:04:05"},
        {(4 * 60 + 5) * kSecond, 2, "04:05"},
        {(4 * 60 + 5) * kSecond, 1, "04:05"},
        {5 * kSecond, 1, "05"},
        {0.0, 1, "00"},
        {0.0, 0, ""},
        {(3600 + 5) * kSecond, 0, "01:05"}, // a zero part is left out
        {-0.5, 3, "-12:00:00"},
        {-0.4 * kSecond, 3, "00:00:00"},
        {CDateTimeSpan::kInvalidValue, 3, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CDateTimeSpan(c.days).FormatHMS(c.minimumParts), c.text)
            << c.days << " " << c.minimumParts;
    }
}

} // namespace
