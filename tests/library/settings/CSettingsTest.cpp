#include "library/settings/CSettings.h"

#include "../system/CScratchFolder.h"
#include "library/settings/CINIFile.h"
#include "library/settings/IPersistentObject.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using CLog = std::vector<std::string>;

// Keeps one number in section "Test", key named after the object, and logs its calls.
class CCounter : public IPersistentObject {
public:
    CCounter(std::string name, CLog* log) : m_name(std::move(name)), m_log(log) {}

    void Load(CINIFile& ini) override {
        m_log->push_back("load " + m_name);
        m_value = ini.GetSection("Test", true)->GetSettingStd(m_name, true)->GetInt(-1);
    }
    void Save(CINIFile& ini) override {
        m_log->push_back("save " + m_name);
        ini.GetSection("Test", true)->GetSettingStd(m_name, true)->SetInt(m_value);
    }

    int m_value = -7;

private:
    std::string m_name;
    CLog* m_log;
};

// Special folders inside a scratch folder: the per-user one is m_user ("user" exists),
// the common one "common" (exists); the shell fails when m_shellFails is set.
class CTestSettings : public CSettings {
public:
    explicit CTestSettings(const CScratchFolder& scratch) : m_scratch(scratch) {}

    bool AskShell(bool perUser, std::string& folder) const {
        return CSettings::GetSpecialFolder(perUser, folder);
    }

    bool m_shellFails = false;
    std::string m_user = "user";

protected:
    bool GetSpecialFolder(bool perUser, std::string& folder) const override {
        folder = m_scratch.File(perUser ? m_user : "common");
        return !m_shellFails;
    }

private:
    const CScratchFolder& m_scratch;
};

class CSettingsTest : public ::testing::Test {
protected:
    CSettingsTest() : m_settings(m_scratch), m_a("a", &m_log), m_b("b", &m_log) {
        m_scratch.MakeFolder("user");
        m_scratch.MakeFolder("common");
        m_settings.Register(&m_a);
        m_settings.Register(&m_b);
    }

    // A failed opening loads both objects from empty data, and the container writes nothing.
    void ExpectFailedOpen(const std::string& what) {
        EXPECT_FALSE(m_settings.IsOpen()) << what;
        EXPECT_EQ(m_log, (CLog{"load a", "load b"})) << what;
        EXPECT_EQ(m_a.m_value, -1) << what;
        m_log.clear();
        EXPECT_TRUE(m_settings.Save()) << what;
        EXPECT_TRUE(m_log.empty()) << what << ": no object saves while unopened";
    }

    CScratchFolder m_scratch;
    CTestSettings m_settings;
    CLog m_log;
    CCounter m_a;
    CCounter m_b;
};

TEST_F(CSettingsTest, ObjectsLoadAndSaveInRegistrationOrder) {
    m_settings.Register(&m_a);
    ASSERT_TRUE(m_scratch.Write("s.ini", "[Test]\r\na=1\r\nb=2"));
    EXPECT_TRUE(m_settings.Save()) << "before opening: nothing to do";
    EXPECT_TRUE(m_log.empty());

    EXPECT_TRUE(m_settings.Open(m_scratch.Path(), "s.ini"));
    EXPECT_TRUE(m_settings.IsOpen());
    EXPECT_EQ(m_settings.GetFolder(), m_scratch.Path());
    EXPECT_EQ(m_settings.GetFilePath(), m_scratch.Path() + "\\s.ini");
    EXPECT_EQ(m_log, (CLog{"load a", "load b", "load a"}));
    EXPECT_EQ(m_b.m_value, 2);

    m_log.clear();
    m_a.m_value = 10;
    EXPECT_TRUE(m_settings.Save());
    EXPECT_EQ(m_log, (CLog{"save a", "save b", "save a"}));
    EXPECT_EQ(m_scratch.Read("s.ini"), "[Test]\r\na=10\r\nb=2");

    // Another file starts from its own data only; a file that cannot be written is reported.
    EXPECT_TRUE(m_settings.Open(m_scratch.Path(), "new.ini"));
    EXPECT_EQ(m_a.m_value, -1);
    EXPECT_EQ(m_scratch.Read("new.ini"), "<missing>") << "opening writes nothing";
    HANDLE lock = CreateFileA(m_scratch.File("new.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_FALSE(m_settings.Save());
    CloseHandle(lock);
    EXPECT_TRUE(m_settings.Save());
    EXPECT_EQ(m_scratch.Read("new.ini"), "[Test]\r\na=-1\r\nb=-1");
}

TEST_F(CSettingsTest, UnreadableFileFailsAndIsNeverOverwritten) {
    const std::string stored = "[Test]\r\na=5";
    ASSERT_TRUE(m_scratch.Write("locked.ini", stored));
    ASSERT_TRUE(m_scratch.MakeFolder("folder.ini"));
    HANDLE lock = CreateFileA(m_scratch.File("locked.ini").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    for (const char* name : {"locked.ini", "folder.ini"}) {
        m_log.clear();
        EXPECT_FALSE(m_settings.Open(m_scratch.Path(), name)) << name;
        EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "the reason is kept";
        EXPECT_EQ(m_settings.GetFilePath(), m_scratch.File(name)) << "named in the message";
        ExpectFailedOpen(name);
    }
    EXPECT_FALSE(m_settings.Open(m_scratch.Path(), "locked.ini"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(lock);
    EXPECT_EQ(m_scratch.Read("locked.ini"), stored);
}

TEST_F(CSettingsTest, OpenInSpecialFolder) {
    struct SCase {
        const char* what;
        bool perUser;
        const char* userFolder;
        const char* subFolder; // null for the form without one
        bool opened;
        const char* file; // relative to the scratch folder
    };
    const SCase cases[] = {
        {"per-user", true, "user", nullptr, true, "user\\s.ini"},
        {"common", false, "gone", nullptr, true, "common\\s.ini"},
        {"missing folder: path known", true, "gone", nullptr, false, "gone\\s.ini"},
        {"sub-folder created", true, "user", "Sub", true, "user\\Sub\\s.ini"},
        {"sub-folder exists", true, "user", "Sub", true, "user\\Sub\\s.ini"},
        {"one level only", true, "gone", "Sub", false, "gone\\Sub\\s.ini"},
    };
    for (const SCase& c : cases) {
        CTestSettings settings(m_scratch);
        settings.m_user = c.userFolder;
        const bool opened = c.subFolder == nullptr
                                ? settings.OpenInSpecialFolder(c.perUser, "s.ini")
                                : settings.OpenInSpecialFolder(c.perUser, c.subFolder, "s.ini");
        EXPECT_EQ(opened, c.opened) << c.what;
        EXPECT_EQ(settings.IsOpen(), c.opened) << c.what;
        EXPECT_EQ(settings.GetFilePath(), m_scratch.File(c.file)) << c.what;
        EXPECT_EQ(m_scratch.Read(c.file), "<missing>") << c.what;
        EXPECT_TRUE(settings.Save()) << c.what;
        EXPECT_EQ(m_scratch.Read(c.file), c.opened ? "" : "<missing>") << c.what;
        DeleteFileA(m_scratch.File(c.file).c_str());
    }
    EXPECT_EQ(GetFileAttributesA(m_scratch.File("gone").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CSettingsTest, ShellWithoutTheFolderLeavesTheContainerUnopened) {
    m_settings.m_shellFails = true;
    EXPECT_FALSE(m_settings.OpenInSpecialFolder(true, "s.ini"));
    ExpectFailedOpen("without sub-folder");
    m_log.clear();
    EXPECT_FALSE(m_settings.OpenInSpecialFolder(false, "Sub", "s.ini"));
    ExpectFailedOpen("with sub-folder");
    EXPECT_EQ(m_settings.GetFilePath(), "");
    EXPECT_EQ(m_scratch.Read("common\\Sub\\s.ini"), "<missing>");

    std::string folder;
    for (const bool perUser : {true, false}) {
        ASSERT_TRUE(m_settings.AskShell(perUser, folder));
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES &&
                    (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            << "the real shell: " << folder;
        EXPECT_NE(folder.back(), '\\');
    }
}

} // namespace
