#include "app/settings/CSetAutoStart.h"

#include "library/system/CApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string QuotedProgramPath() {
    return "\"" + CApp(nullptr).GetModulePath() + "\"";
}

// The data of a REG_SZ value; "<missing>" when absent.
std::string ReadValue(const std::string& subKey, const char* name) {
    char data[1024] = {};
    DWORD size = sizeof(data);
    if (RegGetValueA(HKEY_CURRENT_USER, subKey.c_str(), name, RRF_RT_REG_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS) {
        return "<missing>";
    }
    return data;
}

// A key of this test program alone, removed afterwards.
class CSetAutoStartTest : public ::testing::Test {
protected:
    CSetAutoStartTest()
        : m_parent("Software\\TallymarksTest" + std::to_string(GetCurrentProcessId())),
          m_subKey(m_parent + "\\Run") {}
    ~CSetAutoStartTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, m_parent.c_str()); }

    std::string m_parent;
    std::string m_subKey;
};

TEST_F(CSetAutoStartTest, AnyValueOfThatNameCountsAsEnabled) {
    CSetAutoStart autoStart({HKEY_CURRENT_USER, m_subKey}, "Tallymarks");
    EXPECT_TRUE(autoStart.IsAvailable()) << "a missing key is no error";
    EXPECT_FALSE(autoStart.IsEnabled());

    const std::string stale = "\"C:\\old place\\Tallymarks.exe\"";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, m_subKey.c_str(), "Tallymarks", REG_SZ,
                              stale.c_str(), static_cast<DWORD>(stale.size() + 1)),
              ERROR_SUCCESS);
    EXPECT_FALSE(autoStart.IsEnabled()) << "the registry is asked once";
    CSetAutoStart again({HKEY_CURRENT_USER, m_subKey}, "Tallymarks");
    EXPECT_TRUE(again.IsEnabled());
    EXPECT_TRUE(again.SetEnabled(true));
    EXPECT_EQ(ReadValue(m_subKey, "Tallymarks"), stale) << "an enabled switch is not rewritten";
    EXPECT_TRUE(again.SetEnabled(false));
    EXPECT_EQ(ReadValue(m_subKey, "Tallymarks"), "<missing>");
    EXPECT_FALSE(again.IsEnabled());
    EXPECT_EQ(again.GetError(), 0u);
}

TEST_F(CSetAutoStartTest, RegistryFailureMakesTheSwitchUnavailable) {
    // Under a volatile key only volatile keys can be created, so the switch can be asked
    // (its key is missing) but not written.
    HKEY parent = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_parent.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &parent, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(parent);
    CSetAutoStart autoStart({HKEY_CURRENT_USER, m_subKey}, "Tallymarks");
    ASSERT_TRUE(autoStart.IsAvailable());
    EXPECT_FALSE(autoStart.SetEnabled(true));
    EXPECT_FALSE(autoStart.IsAvailable());
    EXPECT_FALSE(autoStart.IsEnabled());
    EXPECT_EQ(autoStart.GetError(), static_cast<uint32_t>(ERROR_CHILD_MUST_BE_VOLATILE));
    EXPECT_FALSE(autoStart.SetEnabled(false)) << "unavailable for the rest of the run";
}

// The real location. Wine's wineboot starts whatever this value names, so the value is
// removed again whatever happens in the test.
TEST(CSetAutoStartRunKeyTest, UsesTheTallymarksValueOfTheRunKey) {
    ASSERT_EQ(ReadValue(RunKey, "Tallymarks"), "<missing>")
        << "a Tallymarks value exists already; this test would remove it";
    struct SRemoveValue {
        ~SRemoveValue() { RegDeleteKeyValueA(HKEY_CURRENT_USER, RunKey, "Tallymarks"); }
    } removeValue;

    CSetAutoStart autoStart;
    ASSERT_TRUE(autoStart.IsAvailable());
    EXPECT_FALSE(autoStart.IsEnabled());
    ASSERT_TRUE(autoStart.SetEnabled(true));
    EXPECT_EQ(ReadValue(RunKey, "Tallymarks"), QuotedProgramPath());
    EXPECT_TRUE(autoStart.SetEnabled(true)) << "already on";
    EXPECT_TRUE(autoStart.SetEnabled(false));
    EXPECT_EQ(ReadValue(RunKey, "Tallymarks"), "<missing>");
}

} // namespace
