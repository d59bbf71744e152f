#include "library/datetime/CDateTime.h"

#include "library/datetime/CDateTimeFormat.h"

#include "DateTestHelpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Numeric pictures give the same text in every locale; the tests name one anyway.
const LCID kEnglish = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

TEST(CDateTimeText, FormatPrintsTheFieldsAsTheyStand) {
    struct {
        CDateTime date;
        const char* format;
        const char* text;
    } cases[] = {
        // a universal time that falls into a local daylight-saving gap
        {MakeDate(2010, 3, 28, 2, 30, 0), "%Y-%m-%d %H:%M:%S", "2010-03-28 02:30:00"},
        {MakeDate(100, 1, 1), "%Y-%m-%d %H:%M:%S", "0100-01-01 00:00:00"},
        {MakeDate(1899, 12, 29, 6, 5, 4), "%Y-%m-%d %H:%M:%S", "1899-12-29 06:05:04"},
        {MakeDate(9999, 12, 31), "%d.%m.%Y", "31.12.9999"},
        {MakeDate(3001, 7, 1, 23, 59, 59), "%H%M%S", "235959"},
        {CDateTime(40000.99999999995), "%Y-%m-%d %H:%M:%S", "2009-07-07 00:00:00"},
        {MakeDate(2010, 3, 7), "100%% %q %", "100% %q %"},
        {MakeDate(2010, 3, 7), "", ""},
        {CDateTime(), "%Y-%m-%d %H:%M:%S", ""},
        {CDateTime(2958466.0), "%Y", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.date.Format(c.format), c.text) << c.format;
    }
}

TEST(CDateTimeText, LocaleFormatters) {
    const CDateTime date = MakeDate(2010, 3, 7, 9, 5, 3);
    const CDateTimeFormat monthFirst("/", "0"), dayFirst(".", "1"), yearFirst("-", "2");
    EXPECT_EQ(date.FormatDate(monthFirst.GetNumericDateFormat(), 0, kEnglish), "03/07/2010");
    EXPECT_EQ(date.FormatDate(dayFirst.GetNumericDateFormat(), 0, kEnglish), "07.03.2010");
    EXPECT_EQ(date.FormatDate(yearFirst.GetNumericDateFormat(), 0, kEnglish), "2010-03-07");
    EXPECT_EQ(date.FormatDate(dayFirst.GetTextDateFormat(), 0, kEnglish), "7 Mar 2010");
    EXPECT_EQ(date.FormatDate(yearFirst.GetWeekdayDateFormat(), 0, kEnglish), "Sun 2010 Mar 7");
    EXPECT_EQ(date.FormatDate(yearFirst.GetMonthYearFormat(), 0, kEnglish), "2010 Mar");
    EXPECT_EQ(date.FormatTime(monthFirst.GetTimeOfDayFormat(), 0, kEnglish), "9:05:03");
    EXPECT_EQ(date.FormatTime(monthFirst.GetPaddedTimeOfDayFormat(), 0, kEnglish), "09:05:03");
    EXPECT_EQ(date.FormatTime(monthFirst.GetHourFormat(), 0, kEnglish), "9");
    EXPECT_EQ(date.FormatDateTime(monthFirst.GetNumericDateFormat(),
                                  monthFirst.GetPaddedTimeOfDayFormat(), 0, kEnglish),
              "03/07/2010 09:05:03");
    // a separator that is a picture letter is shown as it is
    EXPECT_EQ(date.FormatDate(CDateTimeFormat("d", "0").GetNumericDateFormat(), 0, kEnglish),
              "03d07d2010");
    EXPECT_EQ(date.FormatDate(CDateTimeFormat("'", "0").GetNumericDateFormat(), 0, kEnglish),
              "03'07'2010");
}

TEST(CDateTimeText, LocaleFormattersOfInvalidValues) {
    const CDateTime invalid;
    EXPECT_EQ(invalid.FormatDate("MM'/'dd'/'yyyy", 0, kEnglish), "");
    EXPECT_EQ(invalid.FormatTime("HH':'mm", 0, kEnglish), "");
    EXPECT_EQ(invalid.FormatDateTime("yyyy", "HH", 0, kEnglish), "");
}

} // namespace
