#include "library/text/CError.h"
#include "library/text/ShellExecuteErrorText.h"
#include "library/text/ToHexString.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(CErrorTest, OnlyCodeMinusOneIsNoError) {
    CError none;
    EXPECT_FALSE(none.IsError());
    EXPECT_EQ(none.GetCode(), -1);
    EXPECT_EQ(none.GetText(), "");
    for (int32_t code : {0, 1, 3, -2, INT32_MIN, INT32_MAX}) {
        EXPECT_TRUE(CError(code, "text").IsError()) << code;
    }
    EXPECT_FALSE(CError(-1, std::string("text")).IsError());
}

TEST(CErrorTest, CopyAssignAndReset) {
    CError error(3, std::string("held by another process"));
    CError copy(error);
    EXPECT_EQ(copy.GetCode(), 3);
    EXPECT_EQ(copy.GetText(), "held by another process");

    CError assigned;
    assigned = error;
    error.SetCode(1);
    error.SetText("changed");
    EXPECT_EQ(assigned.GetCode(), 3);
    EXPECT_EQ(assigned.GetText(), "held by another process");

    assigned.Reset();
    EXPECT_FALSE(assigned.IsError());
    EXPECT_EQ(assigned.GetText(), "");
    EXPECT_EQ(CError(1, static_cast<const char*>(nullptr)).GetText(), "");
}

TEST(ToHexStringTest, AlwaysEightUpperCaseDigits) {
    const struct {
        uint32_t value;
        const char* expected;
    } cases[] = {{0, "0x00000000"},
                 {0xBEEF, "0x0000BEEF"},
                 {0x1234abcd, "0x1234ABCD"},
                 {0xFFFFFFFF, "0xFFFFFFFF"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ToHexString(c.value), c.expected);
    }
}

// Every id with its text: tests/library/resources.
TEST(ShellExecuteErrorTextTest, EdgesOfTheTable) {
    const struct {
        intptr_t result;
        unsigned int id;
    } cases[] = {
        {33, 40410}, {INTPTR_MAX, 40410}, {32, 40407}, {26, 40414},         {0, 40411},
        {1, 40415},  {25, 40415},         {-1, 40415}, {INTPTR_MIN, 40415},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetShellExecuteErrorTextId(c.result), c.id) << c.result;
    }
}

} // namespace
