#include "model/CFileVersion.h"

#include <gtest/gtest.h>

namespace {

TEST(CFileVersionTest, ParsesThreeAndFourPartTexts) {
    const struct {
        const char* text;
        bool ok;
        uint32_t packed;
        const char* shown;
    } cases[] = {
        {"10.3.15", true, 0xA30F0, "10.3.15"},
        {"10.3.15.2", true, 0xA30F2, "10.3.15.2"},
        {"10.3.15.0", true, 0xA30F0, "10.3.15"},
        {"1", true, 0, "0.0.0"},
        {"0.0.0.1", true, 1, "0.0.0.1"},
        {"10.3.15x", true, 0xA30F0, "10.3.15"},
        {"2", false, 7, "7.7.7"},
        {"1.2", false, 7, "7.7.7"},
        {"", false, 7, "7.7.7"},
        {"abc", false, 7, "7.7.7"},
        // Parts beyond their width are masked, never shifted into their neighbours.
        {"1.16.256.16", true, 0x10000, "1.0.0"},
        {"-1.0.0", true, 0xFFFF0000, "65535.0.0"},
        {"65536.1.0", true, 0x1000, "0.1.0"},
    };
    for (const auto& c : cases) {
        CFileVersion version(7, 7, 7, 0);
        EXPECT_EQ(version.Parse(c.text), c.ok) << c.text;
        EXPECT_EQ(version.GetPacked(), c.ok ? c.packed : CFileVersion(7, 7, 7, 0).GetPacked())
            << c.text;
        EXPECT_EQ(version.GetText(), c.shown) << c.text;
    }
}

TEST(CFileVersionTest, PackedNumbersAndTheProgramsLimit) {
    CFileVersion version;
    EXPECT_EQ(version.GetText(), "");
    version.SetPacked(1);
    EXPECT_EQ(version.GetText(), "0.0.0.1");
    version.SetPacked(0xA30F0);
    EXPECT_EQ(version.GetText(), "10.3.15");
    EXPECT_TRUE(version.IsSupported());
    EXPECT_EQ(version, CFileVersion::GetProgramVersion());
    EXPECT_EQ(CFileVersion::GetProgramVersion().GetPacked(), 667888u);
    EXPECT_EQ(CFileVersion::GetFormatVersion().GetPacked(), 1u);
    for (const char* newer : {"10.3.15.1", "10.4.0", "11.0.0", "65535.15.255.15"}) {
        ASSERT_TRUE(version.Parse(newer));
        EXPECT_FALSE(version.IsSupported()) << newer;
        EXPECT_GT(version, CFileVersion::GetProgramVersion());
    }
    EXPECT_LT(CFileVersion(10, 3, 14, 15), CFileVersion(10, 3, 15, 0));
}

} // namespace
