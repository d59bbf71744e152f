#include "library/settings/CINISetting.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <string>

namespace {

CINISetting With(const std::string& value) {
    CINISetting setting("k");
    setting.SetString(value);
    return setting;
}

TEST(CINISettingTest, EmptyValueGivesEveryDefault) {
    const CINISetting setting("k");
    EXPECT_STREQ(setting.GetString("def"), "def");
    EXPECT_EQ(setting.GetString(nullptr), nullptr);
    EXPECT_EQ(setting.GetStringStd("def"), "def");
    EXPECT_EQ(setting.GetInt(-7), -7);
    EXPECT_EQ(setting.GetUInt(7u), 7u);
    EXPECT_EQ(setting.GetDouble(2.5), 2.5);
    EXPECT_TRUE(setting.GetBool(true));
    EXPECT_FALSE(setting.GetBool(false));
}

TEST(CINISettingTest, StringsComeBackAsStored) {
    EXPECT_STREQ(With("C:\\x y\\a.wkp").GetString("def"), "C:\\x y\\a.wkp");
    EXPECT_EQ(With(" a ").GetStringStd("def"), " a ");
    CINISetting setting("k");
    setting.SetString(static_cast<const char*>(nullptr));
    EXPECT_EQ(setting.GetStringStd("def"), "def");
}

TEST(CINISettingTest, IntegersByTheStandardConversion) {
    struct SCase {
        const char* text;
        int32_t asInt;
        uint32_t asUInt;
    };
    const SCase cases[] = {
        {"42", 42, 42u},
        {"  -12abc", -12, static_cast<uint32_t>(-12)},
        {"+7", 7, 7u},
        {"abc", 0, 0u},
        {"-", 0, 0u},
        {"0x1F", 0, 0u},
        {"010", 10, 10u},
        {"2147483647", INT_MAX, 2147483647u},
        {"99999999999", INT_MAX, UINT_MAX},
        {"4294967295", INT_MAX, UINT_MAX},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(With(c.text).GetInt(-1), c.asInt) << c.text;
        EXPECT_EQ(With(c.text).GetUInt(1u), c.asUInt) << c.text;
    }
    EXPECT_EQ(With("-99999999999").GetInt(-1), INT_MIN);
}

TEST(CINISettingTest, BooleansByTheirFirstCharacter) {
    struct SCase {
        const char* text;
        int expected; // 0 false, 1 true, -1 the default
    };
    const SCase cases[] = {
        {"yes", 1},   {"Y", 1}, {"true", 1}, {"T", 1},  {"1", 1},   {"no", 0}, {"N", 0},
        {"false", 0}, {"F", 0}, {"0", 0},    {"2", -1}, {"-1", -1}, {"x", -1}, {" y", -1},
    };
    for (const SCase& c : cases) {
        const CINISetting setting = With(c.text);
        const bool whenDefaultTrue = setting.GetBool(true);
        const bool whenDefaultFalse = setting.GetBool(false);
        if (c.expected < 0) {
            EXPECT_TRUE(whenDefaultTrue) << c.text;
            EXPECT_FALSE(whenDefaultFalse) << c.text;
        } else {
            EXPECT_EQ(whenDefaultTrue, c.expected == 1) << c.text;
            EXPECT_EQ(whenDefaultFalse, c.expected == 1) << c.text;
        }
    }
}

TEST(CINISettingTest, SettersWriteTheFileForms) {
    CINISetting setting("k");
    setting.SetInt(-5);
    EXPECT_EQ(setting.GetStringStd(""), "-5");
    setting.SetInt(INT_MIN);
    EXPECT_EQ(setting.GetStringStd(""), "-2147483648");
    setting.SetUInt(UINT_MAX);
    EXPECT_EQ(setting.GetStringStd(""), "4294967295");
    setting.SetBool(true);
    EXPECT_EQ(setting.GetStringStd(""), "y");
    setting.SetBool(false);
    EXPECT_EQ(setting.GetStringStd(""), "n");
    setting.SetDouble(0.5);
    EXPECT_EQ(setting.GetStringStd(""), "0.50000000");
    setting.SetDouble(-1234.123456789);
    EXPECT_EQ(setting.GetStringStd(""), "-1234.12345679");
    setting.SetDouble(1e20);
    EXPECT_EQ(setting.GetStringStd(""), "100000000000000000000.00000000");
}

TEST(CINISettingTest, DoublesByTheStandardConversion) {
    struct SCase {
        const char* text;
        double expected;
    };
    const SCase cases[] = {
        {"0.50000000", 0.5},   {"  -2.25x", -2.25}, {"+3", 3.0},  {"1e3", 1000.0},
        {".5", 0.5},           {"abc", 0.0},        {"--1", 0.0}, {"1e-400", 0.0},
        {"-1e400", -HUGE_VAL}, {"1e400", HUGE_VAL}, {"7,5", 7.0},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(With(c.text).GetDouble(99.0), c.expected) << c.text;
    }
}

// A runtime library switched to a locale with a decimal comma must not change the file.
TEST(CINISettingTest, DoublesIgnoreTheLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "German_Germany.1252"), nullptr);
    const std::string point = std::localeconv()->decimal_point;
    CINISetting setting("k");
    setting.SetDouble(2.25);
    const std::string written = setting.GetStringStd("");
    const double read = With("0.75").GetDouble(0.0);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(point, ",") << "the locale did not take effect";
    EXPECT_EQ(written, "2.25000000");
    EXPECT_EQ(read, 0.75);
}

} // namespace
