#include "app/ui/LayoutNumber.h"
#include "app/ui/TextHelpers.h"

#include "UiTestIds.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(ParseBoolTextTest, LooksAtTheFirstCharacterOnly) {
    const struct {
        const char* text;
        bool recognised;
        bool value; // with the default true
    } cases[] = {
        {"0", true, false},  {"F", true, false},  {"N", true, false},     {"f", true, false},
        {"n", true, false},  {"No", true, false}, {"false", true, false}, {"1", true, true},
        {"T", true, true},   {"Y", true, true},   {"t", true, true},      {"y", true, true},
        {"Yes", true, true}, {"yes", true, true}, {"2", false, true},     {"", false, true},
        {" y", false, true}, {"on", false, true},
    };
    for (const auto& c : cases) {
        for (bool defaultValue : {false, true}) {
            bool value = !defaultValue;
            EXPECT_EQ(ParseBoolText(c.text, defaultValue, value), c.recognised) << c.text;
            EXPECT_EQ(value, c.recognised ? c.value : defaultValue)
                << "'" << c.text << "' default " << defaultValue;
        }
    }
}

TEST(FileExtensionTest, OnlyADotInTheFileNameCounts) {
    const struct {
        const char* path;
        int start;
        const char* extension;
        const char* withDefault; // after AddDefaultExtension(path, "tmx")
    } cases[] = {
        {"C:\\work\\hours.tmx", 14, "tmx", "C:\\work\\hours.tmx"},
        {"C:\\work\\hours.2010.xml", 19, "xml", "C:\\work\\hours.2010.xml"},
        {"C:\\my.folder\\hours", -1, "", "C:\\my.folder\\hours.tmx"},
        {"hours", -1, "", "hours.tmx"},
        {"hours.", 6, "", "hours..tmx"},
        {".tmx", 1, "tmx", ".tmx"},
        {"", -1, "", ".tmx"},
        {"C:\\work\\", -1, "", "C:\\work\\.tmx"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetExtensionStart(c.path), c.start) << c.path;
        EXPECT_EQ(GetFileExtension(c.path), c.extension) << c.path;
        std::string path = c.path;
        AddDefaultExtension(path, "tmx");
        EXPECT_EQ(path, c.withDefault) << c.path;
    }
}

TEST(FileNameTextTest, UnsafeCharactersBecomeUnderscores) {
    EXPECT_EQ(MakeFileNameSafe("a\\b/c\"d?e:f*g<h>i|j"), "a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(MakeFileNameSafe("Project 2010 (draft).tmx"), "Project 2010 (draft).tmx");
    EXPECT_EQ(MakeFileNameSafe(""), "");

    std::string text = "a-b-c";
    ReplaceChar(text, '-', '+');
    EXPECT_EQ(text, "a+b+c");
    ReplaceChar(text, 'x', '-');
    EXPECT_EQ(text, "a+b+c");
}

TEST(FileNameTextTest, CommaSeparatedListsStartWithoutAComma) {
    std::string list;
    AppendCommaSeparated(list, "Design");
    EXPECT_EQ(list, "Design");
    AppendCommaSeparated(list, "Build");
    AppendCommaSeparated(list, "");
    AppendCommaSeparated(list, "Test");
    EXPECT_EQ(list, "Design, Build, , Test");
}

TEST(FileExistsTest, FindsFilesAndFolders) {
    char program[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, program, MAX_PATH), 0u);
    char folder[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
    EXPECT_TRUE(FileExists(program));
    EXPECT_TRUE(FileExists(folder));
    EXPECT_FALSE(FileExists(std::string(program) + ".missing"));
    EXPECT_FALSE(FileExists(""));
}

// Resources of this test program: 0xFFF6, 0x0102 0x0304, "x", and none.
TEST(LayoutNumberTest, ReplacesOnlyAnUnsetNumber) {
    const struct {
        int32_t before;
        unsigned int id;
        int32_t after;
    } cases[] = {
        {-1, IDR_TEST_LAYOUT_NEGATIVE, -10}, {-1, IDR_TEST_LAYOUT_LONGER, 0x0102},
        {-1, IDR_TEST_LAYOUT_ONE_BYTE, 0},   {-1, IDR_TEST_LAYOUT_MISSING, 0},
        {120, IDR_TEST_LAYOUT_LONGER, 120},  {0, IDR_TEST_LAYOUT_LONGER, 0},
        {-2, IDR_TEST_LAYOUT_LONGER, -2},
    };
    for (const auto& c : cases) {
        int32_t value = c.before;
        GetLayoutNumber(value, c.id);
        EXPECT_EQ(value, c.after) << c.id << " from " << c.before;
    }
}

} // namespace
