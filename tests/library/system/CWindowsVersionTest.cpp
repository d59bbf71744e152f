#include "library/system/CWindowsVersion.h"

#include "CScratchFolder.h"
#include "ChildRoles.h"

#include <gtest/gtest.h>

namespace {

TEST(CWindowsVersionTest, CodeTable) {
    struct SCase {
        DWORD platform;
        DWORD major;
        DWORD minor;
        const char* servicePack;
        int32_t code;
    };
    const DWORD nineX = VER_PLATFORM_WIN32_WINDOWS;
    const DWORD nt = VER_PLATFORM_WIN32_NT;
    const SCase cases[] = {
        {nineX, 4, 0, "", 0},     {nineX, 4, 0, nullptr, 0},
        {nineX, 4, 0, " B", 1},   {nineX, 4, 0, " C", 1},
        {nineX, 4, 0, " A", 0},   {nineX, 4, 10, "", 2},
        {nineX, 4, 10, " A ", 3}, {nineX, 4, 10, " B", 2},
        {nineX, 4, 90, " ", 4},   {nineX, 4, 3, "", 0},
        {nineX, 3, 95, "", 0},    {nineX, 5, 0, "", 9},
        {nt, 3, 51, "", 5},       {nt, 4, 0, "Service Pack 6", 6},
        {nt, 5, 0, "", 7},        {nt, 5, 1, "Service Pack 3", 8},
        {nt, 5, 2, "", 9},        {nt, 6, 1, "Service Pack 1", 9},
        {nt, 10, 0, "", 9},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(CWindowsVersion::CodeFor(c.platform, c.major, c.minor, c.servicePack), c.code)
            << c.platform << " " << c.major << "." << c.minor << " '"
            << (c.servicePack != nullptr ? c.servicePack : "(null)") << "'";
    }
}

TEST(CWindowsVersionTest, StartupAnswerMatchesAFreshOne) {
    const SWindowsVersion fresh = CWindowsVersion::Compute();
    EXPECT_EQ(CWindowsVersion::Get().isNT, fresh.isNT);
    EXPECT_EQ(CWindowsVersion::Get().code, fresh.code);
    EXPECT_EQ(CWindowsVersion::IsNT(), fresh.isNT);
}

// Wine answers each program with the version set for its file name under
// HKCU\Software\Wine\AppDefaults\<exe>\Version; a copy of this program with a name of
// its own reports what each setting gives.
class CVersionOverride {
public:
    explicit CVersionOverride(const std::string& exeName)
        : m_key("Software\\Wine\\AppDefaults\\" + exeName) {}
    ~CVersionOverride() { RegDeleteTreeA(HKEY_CURRENT_USER, m_key.c_str()); }
    bool Set(const std::string& version) const {
        return RegSetKeyValueA(HKEY_CURRENT_USER, m_key.c_str(), "Version", REG_SZ, version.c_str(),
                               static_cast<DWORD>(version.size() + 1)) == ERROR_SUCCESS;
    }

private:
    std::string m_key;
};

TEST(CWindowsVersionTest, OtherSystemsUnderWine) {
    CScratchFolder scratch;
    const std::string exeName = "version-probe-" + std::to_string(GetCurrentProcessId()) + ".exe";
    const std::string probe = scratch.File(exeName);
    ASSERT_TRUE(CopyFileA(OwnProgramPath().c_str(), probe.c_str(), FALSE));
    CVersionOverride override(exeName);

    struct SCase {
        const char* version;
        bool isNT;
        int32_t code;
    };
    const SCase cases[] = {
        {"win2k", true, 7}, {"winxp", true, 8},  {"win7", true, 9},   {"win10", true, 9},
        {"nt40", true, 6},  {"win98", false, 3}, {"winme", false, 4}, {"win95", false, 0},
    };
    for (const SCase& c : cases) {
        ASSERT_TRUE(override.Set(c.version));
        const DWORD expected = ChildVersionMark | (c.isNT ? 0x100 : 0) | static_cast<DWORD>(c.code);
        EXPECT_EQ(RunChild(probe, "windows-version"), expected) << c.version;
    }
}

} // namespace
