#include "library/text/CText.h"
#include "library/system/CResourceModule.h"

#include "TestLanguageModule.h"
#include "TestResourceIds.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const char* const kLanguageShared = "text of the language";

// The language module: the shared string with its own text, a long string of its
// own, and the shared layout number with other bytes.
const CTestLanguageModule& Language() {
    static CTestLanguageModule module(
        {{IDS_TEST_SHARED, kLanguageShared}, {IDS_TEST_LANGUAGE_ONLY, TestPattern(300)}},
        {{IDR_TEST_LAYOUT_SHARED, std::string("\x21\x43", 2)}});
    return module;
}

class CTextLoadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(Language().GetInstance(), nullptr); }
    void TearDown() override { CText::SetResourceModule(nullptr); }

    CResourceModule m_program;                                     // no fallback
    CResourceModule m_languageOnly{Language().GetInstance()};      // no fallback
    CResourceModule m_language{Language().GetInstance(), nullptr}; // program as fallback
};

TEST_F(CTextLoadTest, StringsAroundTheFirstBufferSizeArriveWhole) {
    const struct {
        unsigned int id;
        size_t length;
    } cases[] = {
        {IDS_TEST_254, 254}, {IDS_TEST_255, 255}, {IDS_TEST_256, 256}, {IDS_TEST_600, 600}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(CText(c.id, m_program, "default").GetString(), TestPattern(c.length));
        // The same through the fallback, after the language module came up empty.
        EXPECT_EQ(CText(c.id, m_language, "default").GetString(), TestPattern(c.length));
    }
    EXPECT_EQ(CText(IDS_TEST_LANGUAGE_ONLY, m_language).GetString(), TestPattern(300));
}

TEST_F(CTextLoadTest, PrimaryModuleFirstThenFallbackThenDefault) {
    const struct {
        const CResourceModule& module;
        unsigned int id;
        const char* defaultText;
        std::string expected;
    } cases[] = {
        {m_language, IDS_TEST_SHARED, "default", kLanguageShared},
        {m_program, IDS_TEST_SHARED, "default", "text of the program"},
        {m_language, IDS_TEST_PROGRAM_ONLY, "default", "only in the program"},
        {m_languageOnly, IDS_TEST_PROGRAM_ONLY, "default", "default"},
        {m_program, IDS_TEST_LANGUAGE_ONLY, "default", "default"},
        {m_language, IDS_TEST_MISSING, "default", "default"},
        {m_language, IDS_TEST_MISSING, nullptr, ""},
        // An empty string resource counts as missing, in both modules.
        {m_program, IDS_TEST_EMPTY, "default", "default"},
        {m_language, IDS_TEST_EMPTY, nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(CText(c.id, c.module, c.defaultText).GetString(), c.expected);
        CText loaded("old text");
        loaded.LoadFrom(c.id, c.module, c.defaultText);
        EXPECT_EQ(loaded.GetString(), c.expected);
    }
}

TEST_F(CTextLoadTest, IdAloneLoadsFromTheTextResourceModule) {
    EXPECT_EQ(CText(IDS_TEST_SHARED).GetString(), "text of the program");
    CText::SetResourceModule(&m_language);
    EXPECT_EQ(CText(IDS_TEST_SHARED).GetString(), kLanguageShared);
    CText text;
    text.Load(IDS_TEST_PROGRAM_ONLY, "default");
    EXPECT_EQ(text.GetString(), "only in the program");
    text.Load(IDS_TEST_MISSING);
    EXPECT_EQ(text.GetString(), "");
    CText::SetResourceModule(nullptr);
    EXPECT_EQ(CText(IDS_TEST_SHARED).GetString(), "text of the program");
}

TEST(CTextTest, NullTextsAreEmpty) {
    EXPECT_EQ(CText(static_cast<const char*>(nullptr)).GetString(), "");
    CText text("abc");
    text = static_cast<const char*>(nullptr);
    EXPECT_STREQ(text.GetCStr(), "");
}

TEST(CTextTest, ReplaceFirstOrAll) {
    const struct {
        const char* text;
        const char* placeholder;
        const char* replacement;
        bool firstOnly;
        const char* expected;
    } cases[] = {
        {"a [X] b [X]", "[X]", "1", true, "a 1 b [X]"},
        {"a [X] b [X]", "[X]", "1", false, "a 1 b 1"},
        {"[X][X]", "[X]", "<[X]>", false, "<[X]><[X]>"},
        {"[X][X]", "[X]", "[X][X]", true, "[X][X][X]"},
        {"aaa", "aa", "b", false, "ba"},
        {"a [x] b", "[X]", "1", false, "a [x] b"},
        {"no placeholder", "[X]", "1", false, "no placeholder"},
        {"[X] gone", "[X]", "", false, " gone"},
        {"[X] gone", "[X]", nullptr, false, " gone"},
        {"empty placeholder", "", "1", false, "empty placeholder"},
        {"empty placeholder", "", "1", true, "empty placeholder"},
        {"null placeholder", nullptr, "1", false, "null placeholder"},
        {"", "[X]", "1", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CText text(c.text);
        text.Replace(c.placeholder, c.replacement, c.firstOnly);
        EXPECT_EQ(text.GetString(), c.expected);
    }
}

TEST(CTextTest, ReplaceWithFormattedValues) {
    CText text("[S]|[T]|[N]|[N]|[L]|[L]");
    text.ReplaceWithString("[S]", "string", false);
    text.ReplaceWithText("[T]", CText("text"), false);
    text.ReplaceWithNumber("[N]", INT32_MIN, true);
    text.ReplaceWithNumber("[N]", 42, true);
    text.ReplaceWithLong("[L]", -7L, true);
    text.ReplaceWithLong("[L]", LONG_MAX, true);
    EXPECT_EQ(text.GetString(), "string|text|-2147483648|42|-7|" + std::to_string(LONG_MAX));
}

TEST(CTextTest, SystemErrorIsCodeDashSystemTextOrDefault) {
    CText known("[ERROR]");
    known.ReplaceWithSystemError("[ERROR]", ERROR_FILE_NOT_FOUND, "default", false);
    const std::string& text = known.GetString();
    ASSERT_EQ(text.compare(0, 4, "2 - "), 0) << text;
    EXPECT_GT(text.size(), 4u);
    EXPECT_EQ(text.find("default"), std::string::npos) << text;
    EXPECT_EQ(text.back(), '\n') << "system messages keep their line break";

    // Bit 29 marks application-defined codes: the system has no text for them.
    const struct {
        uint32_t code;
        const char* defaultText;
        const char* expected;
    } unknown[] = {
        {0x20001234u, "an unknown error occurred", "<536875572 - an unknown error occurred>"},
        {0xE0000001u, "x", "<3758096385 - x>"},
        {0x20001234u, nullptr, "<536875572 - >"},
    };
    for (const auto& c : unknown) {
        CText message("<[ERROR]>");
        message.ReplaceWithSystemError("[ERROR]", c.code, c.defaultText, false);
        EXPECT_EQ(message.GetString(), c.expected);
    }
}

TEST(CTextTest, LastErrorIsTakenFromTheCallingThread) {
    CText message("[ERROR] [ERROR]");
    SetLastError(0x20000005u);
    message.ReplaceWithLastError("[ERROR]", "none", true);
    EXPECT_EQ(message.GetString(), "536870917 - none [ERROR]");
}

} // namespace
