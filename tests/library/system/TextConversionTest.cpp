#include "library/system/TextConversion.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// Sets the runtime library's character conversion for one test and restores it.
class CCodePageLocale {
public:
    explicit CCodePageLocale(const char* name) {
        const char* previous = std::setlocale(LC_CTYPE, nullptr);
        m_previous = previous != nullptr ? previous : "C";
        m_set = std::setlocale(LC_CTYPE, name) != nullptr;
    }
    ~CCodePageLocale() { std::setlocale(LC_CTYPE, m_previous.c_str()); }
    bool IsSet() const { return m_set; }

private:
    std::string m_previous;
    bool m_set;
};

TEST(TextConversionTest, WesternCodePageRoundTrip) {
    CCodePageLocale locale(".1252");
    ASSERT_TRUE(locale.IsSet());
    const std::string bytes = "Caf\xE9 \x80 5"; // "Café € 5" in code page 1252
    const std::wstring wide = L"Caf\u00E9 \u20AC 5";
    EXPECT_EQ(ToWideText(bytes), wide);
    EXPECT_EQ(ToWideText(bytes.c_str()), wide);
    EXPECT_EQ(ToCodePageText(wide), bytes);
    EXPECT_EQ(ToCodePageText(wide.c_str()), bytes);
}

TEST(TextConversionTest, CharacterOutsideTheCodePageGivesEmptyText) {
    CCodePageLocale locale(".1252");
    ASSERT_TRUE(locale.IsSet());
    EXPECT_EQ(ToCodePageText(L"abc \u0416 def"), "");
    EXPECT_EQ(ToCodePageText(std::wstring(L"\u4E2D")), "");
}

TEST(TextConversionTest, BrokenMultibyteTextGivesEmptyText) {
    CCodePageLocale locale(".932");
    ASSERT_TRUE(locale.IsSet());
    // 0x82 0xA0 is a complete double-byte character; a lone lead byte at the end is not.
    EXPECT_EQ(ToWideText("a\x82\xA0"), std::wstring(L"a\u3042"));
    EXPECT_EQ(ToWideText("abc\x82"), L"");
}

TEST(TextConversionTest, EmptyAndNullTexts) {
    EXPECT_EQ(ToWideText(static_cast<const char*>(nullptr)), L"");
    EXPECT_EQ(ToWideText(std::string()), L"");
    EXPECT_EQ(ToCodePageText(static_cast<const wchar_t*>(nullptr)), "");
    EXPECT_EQ(ToCodePageText(std::wstring()), "");
}

TEST(TextConversionTest, LongTextIsConvertedWhole) {
    const std::string ascii(5000, 'x');
    EXPECT_EQ(ToCodePageText(ToWideText(ascii)), ascii);
}

} // namespace
