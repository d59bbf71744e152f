#include "library/datetime/CDateTimeFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(CDateTimeFormat, PatternsFollowTheLocaleOrderAndSeparator) {
    struct {
        const char* separator;
        const char* order;
        const char* monthYear;
        const char* textDate;
        const char* numericDate;
        const char* weekdayDate;
    } cases[] = {
        {"/", "0", "MMM yyyy", "MMM d yyyy", "MM'/'dd'/'yyyy", "ddd MMM d yyyy"},
        {".", "1", "MMM yyyy", "d MMM yyyy", "dd'.'MM'.'yyyy", "ddd d MMM yyyy"},
        {"-", "2", "yyyy MMM", "yyyy MMM d", "yyyy'-'MM'-'dd", "ddd yyyy MMM d"},
        // failed queries, a two-character separator and unknown orders fall back
        {nullptr, nullptr, "MMM yyyy", "MMM d yyyy", "MM'/'dd'/'yyyy", "ddd MMM d yyyy"},
        {"--", "1", "MMM yyyy", "d MMM yyyy", "dd'/'MM'/'yyyy", "ddd d MMM yyyy"},
        {"", "2", "yyyy MMM", "yyyy MMM d", "yyyy'/'MM'/'dd", "ddd yyyy MMM d"},
        {".", "3", "MMM yyyy", "MMM d yyyy", "MM'.'dd'.'yyyy", "ddd MMM d yyyy"},
        {"'", "1", "MMM yyyy", "d MMM yyyy", "dd''''MM''''yyyy", "ddd d MMM yyyy"},
    };
    for (const auto& c : cases) {
        const CDateTimeFormat format(c.separator, c.order);
        SCOPED_TRACE(std::string(c.separator ? c.separator : "(failed)") + " " +
                     (c.order ? c.order : "(failed)"));
        EXPECT_EQ(format.GetMonthYearFormat(), c.monthYear);
        EXPECT_EQ(format.GetTextDateFormat(), c.textDate);
        EXPECT_EQ(format.GetNumericDateFormat(), c.numericDate);
        EXPECT_EQ(format.GetWeekdayDateFormat(), c.weekdayDate);
    }
}

TEST(CDateTimeFormat, OneInstanceForTheProgram) {
    EXPECT_EQ(&CDateTimeFormat::Instance(), &CDateTimeFormat::Instance());
    EXPECT_FALSE(CDateTimeFormat::Instance().GetNumericDateFormat().empty());
}

} // namespace
