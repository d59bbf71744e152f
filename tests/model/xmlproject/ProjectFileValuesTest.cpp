#include "model/ProjectFileValues.h"

#include "model/CUtf8TextConverter.h"

#include <gtest/gtest.h>

namespace {

TEST(ProjectFileValues, ParsesDateTimeTexts) {
    const struct {
        const char* text;
        const char* read; // as written back, or null when refused
    } cases[] = {
        {"2010-03-15 09:05:00", "2010-03-15 09:05:00"},
        {"10-3-15 9:05:00", "2010-03-15 09:05:00"},
        {"0-1-1 0:0:0", "2000-01-01 00:00:00"},
        {"99-12-31 23:59:59", "2099-12-31 23:59:59"},
        {"1999-12-31 23:59:59", "1999-12-31 23:59:59"},
        {"100-01-01 00:00:00", "0100-01-01 00:00:00"},
        {" +2010-03-15\t\n09:05:00 trailing", "2010-03-15 09:05:00"},
        {"2010-03-1509:05:00", nullptr}, // the day runs into the hour
        {"2010-03-15", nullptr},
        {"2010/03/15 09:05:00", nullptr},
        {"2010 -03-15 09:05:00", nullptr},
        {"2010-02-29 00:00:00", nullptr},
        {"2010-03-15 24:00:00", nullptr},
        {"-5-03-15 09:05:00", nullptr},
        {"99999999999999999999-1-1 0:0:0", nullptr},
        {"2010-1-1 0:0:99999999999999999999", nullptr},
    };
    for (const auto& c : cases) {
        CDateTime date(1234.5);
        const bool read = ParseFileDateTime(c.text, date);
        EXPECT_EQ(c.read != nullptr, read) << c.text;
        EXPECT_EQ(c.read != nullptr ? c.read : "1903-05-18 12:00:00",
                  date.Format("%Y-%m-%d %H:%M:%S"))
            << c.text;
    }
    CDateTime date;
    EXPECT_FALSE(ParseFileDateTime(nullptr, date));
}

TEST(ProjectFileValues, FormatsTheFieldsRoundedToTheSecond) {
    CDateTime date;
    ASSERT_TRUE(date.SetDateTime(1999, 12, 31, 23, 59, 59));
    EXPECT_EQ("1999-12-31 23:59:59", FormatFileDateTime(date));
    const double second = 1.0 / 86400.0;
    EXPECT_EQ("1999-12-31 23:59:59", FormatFileDateTime(CDateTime(date.GetValue() + 0.4 * second)));
    EXPECT_EQ("2000-01-01 00:00:00", FormatFileDateTime(CDateTime(date.GetValue() + 0.6 * second)));
    ASSERT_TRUE(date.SetDateTime(100, 1, 2, 3, 4, 5));
    EXPECT_EQ("0100-01-02 03:04:05", FormatFileDateTime(date));
    EXPECT_EQ("", FormatFileDateTime(CDateTime()));
    EXPECT_EQ("", FormatFileDateTime(CDateTime(-693959.0)));
}

TEST(ProjectFileValues, ReadsYesAndNoByTheFirstCharacter) {
    const struct {
        const char* text;
        bool recognised;
        bool value;
    } cases[] = {
        {"true", true, true},    {"True", true, true}, {"yes", true, true},
        {"Y", true, true},       {"1", true, true},    {"false", true, false},
        {"F", true, false},      {"No", true, false},  {"n", true, false},
        {"0", true, false},      {"2", false, false},  {"maybe", false, false},
        {" true", false, false}, {"", false, false},
    };
    for (const auto& c : cases) {
        for (bool before : {false, true}) {
            bool value = before;
            EXPECT_EQ(c.recognised, ParseYesNoText(c.text, value)) << c.text;
            EXPECT_EQ(c.recognised ? c.value : before, value) << c.text;
        }
    }
    bool value = true;
    EXPECT_FALSE(ParseYesNoText(nullptr, value));
}

TEST(CUtf8TextConverter, TellsWellFormedUtf8) {
    const struct {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {std::string("a\0b", 3), true},
        {"Caf\xC3\xA9", true},
        {"\xF4\x8F\xBF\xBF", true},
        {"Caf\xE9\"", false},
        {"\xC3", false},
        {"\xC0\xAF", false},
        {"\xE0\x80\xAF", false},
        {"\xED\xA0\x80", false},
        {"\xF4\x90\x80\x80", false},
        {"\x80", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.valid, CUtf8TextConverter::IsValidUtf8(c.bytes.data(), c.bytes.size()))
            << c.bytes;
    }
}

TEST(CUtf8TextConverter, ReadsStrayBytesAsTheCharactersOfTheirNumber) {
    const CUtf8TextConverter western(1252);
    EXPECT_EQ("Caf\xE9 \xE9", western.FromUtf8("Caf\xE9 \xC3\xA9"));
    EXPECT_EQ("\xE8", CUtf8TextConverter(1250).FromUtf8("\xC4\x8D"));
    EXPECT_EQ("?", western.FromUtf8("\xE4\xB8\xAD"));
    EXPECT_EQ("", western.FromUtf8(nullptr));
}

} // namespace
