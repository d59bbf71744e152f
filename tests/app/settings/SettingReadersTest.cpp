#include "app/settings/SettingReaders.h"

#include "library/settings/CINISection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct SNumberCase {
    const char* text; // null: the key is missing
    bool isNumber;
    int64_t number;
    uint32_t inRange;    // ReadUInt with default 7 and range 1..20
    int32_t signedRange; // ReadInt with default 7 and range -5..5
    uint32_t clamped;    // ReadClampedUInt with default 7 and range 1..20
};

const SNumberCase NumberCases[] = {
    {nullptr, false, 0, 7, 7, 7},
    {"", false, 0, 7, 7, 7},
    {"12", true, 12, 12, 7, 12},
    {"+3", true, 3, 3, 3, 3},
    {"-3", true, -3, 7, -3, 1},
    {"0", true, 0, 7, 0, 1},
    {"20", true, 20, 20, 7, 20},
    {"21", true, 21, 7, 7, 20},
    {"4294967296", true, 4294967296, 7, 7, 20},
    {"99999999999999999999999", true, 1000000000000000, 7, 7, 20},
    {"-99999999999999999999999", true, -1000000000000000, 7, 7, 1},
    {"12abc", false, 0, 7, 7, 7},
    {"1e3", false, 0, 7, 7, 7},
    {"0x10", false, 0, 7, 7, 7},
    {"1.5", false, 0, 7, 7, 7},
    {"-", false, 0, 7, 7, 7},
};

TEST(SettingReadersTest, NumbersCountOnlyWholeAndInRange) {
    for (const SNumberCase& c : NumberCases) {
        const std::string what = c.text == nullptr ? "<missing>" : c.text;
        CINISection section("s");
        if (c.text != nullptr) {
            section.GetSetting("k", true)->SetString(c.text);
        }
        int64_t number = -42;
        EXPECT_EQ(ReadNumber(section, "k", number), c.isNumber) << what;
        if (c.isNumber) {
            EXPECT_EQ(number, c.number) << what;
        }
        EXPECT_EQ(ReadUInt(section, "k", 7, 1, 20), c.inRange) << what;
        EXPECT_EQ(ReadInt(section, "k", 7, -5, 5), c.signedRange) << what;
        EXPECT_EQ(ReadClampedUInt(section, "k", 7, 1, 20), c.clamped) << what;
    }
}

} // namespace
