#include "library/system/CLanguageModules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const unsigned kKeyId = 40089;
const unsigned kNamesId = 40090;

std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

// A folder with the test modules, a file that only looks like a library and a
// folder whose name matches the pattern.
class CLanguageModulesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        s_folder = std::string(temp) + "tm-language-modules";
        CreateDirectoryA(s_folder.c_str(), nullptr);
        for (const char* name :
             {"Tallymarks_XX", "Tallymarks_XY", "Tallymarks_ZZ", "Tallymarks_NoKey"}) {
            const std::string from = ProgramFolder() + "\\modules\\" + name + ".dll";
            ASSERT_TRUE(CopyFileA(from.c_str(), Path(name).c_str(), FALSE)) << from;
        }
        HANDLE fake = CreateFileA(Path("Tallymarks_Fake").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(fake, "not a library", 13, &written, nullptr);
        CloseHandle(fake);
        CreateDirectoryA(Path("Tallymarks_Dir").c_str(), nullptr);
    }
    static std::string Path(const char* name) { return s_folder + "\\" + name + ".dll"; }

    static std::string s_folder;
    CLanguageModules m_modules;
};
std::string CLanguageModulesTest::s_folder;

TEST_F(CLanguageModulesTest, LoadsTheProgramAndEveryModuleByKey) {
    const SLanguageLoadResult result =
        m_modules.Load(s_folder, "Tallymarks_*.dll", kKeyId, kNamesId);
    EXPECT_TRUE(result.found);
    EXPECT_EQ(m_modules.GetCount(), 3u); // EN (program), XX, ZZ
    ASSERT_NE(m_modules.Find("en"), nullptr);
    EXPECT_EQ(m_modules.Find("en")->GetModule(), GetModuleHandleA(nullptr));
    EXPECT_EQ(m_modules.Find("En")->GetPath(), "");
    ASSERT_NE(m_modules.Find("xx"), nullptr);
    EXPECT_EQ(m_modules.Find("XX")->GetKey(), "XX"); // the key string was "xx"
    EXPECT_EQ(m_modules.Find("nl"), nullptr);

    // The keyless library and the fake one failed; the duplicate key did not.
    std::vector<std::string> failed = result.failed;
    std::sort(failed.begin(), failed.end());
    EXPECT_EQ(failed,
              std::vector<std::string>({Path("Tallymarks_Fake"), Path("Tallymarks_NoKey")}));
    // Only one library of the key "XX" stays loaded.
    const bool xx = GetModuleHandleA(Path("Tallymarks_XX").c_str()) != nullptr;
    const bool xy = GetModuleHandleA(Path("Tallymarks_XY").c_str()) != nullptr;
    EXPECT_NE(xx, xy);
    EXPECT_EQ(GetModuleHandleA(Path("Tallymarks_NoKey").c_str()), nullptr);
}

TEST_F(CLanguageModulesTest, NamesForEveryReader) {
    m_modules.Load(s_folder, "Tallymarks_*.dll", kKeyId, kNamesId);
    const CLanguageModule* english = m_modules.Find("EN");
    const CLanguageModule* zeds = m_modules.Find("ZZ");
    ASSERT_NE(english, nullptr);
    ASSERT_NE(zeds, nullptr);
    const struct {
        const CLanguageModule* module;
        const char* reader;
        bool withNative;
        const char* expected;
    } cases[] = {
        {english, "EN", true, "English"},    {english, "nl", true, "Engels (English)"},
        {english, "nl", false, "Engels"},    {english, "DE", true, "English"},
        {english, "DE", false, "<unknown>"}, {zeds, "EN", true, "Zeds"},
        {zeds, "EN", false, "<unknown>"},    {zeds, "ZZ", false, "Zeds"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.module->GetName(c.reader, c.withNative), c.expected)
            << c.module->GetKey() << " read in " << c.reader;
    }
    // The duplicate's names never show; short entries of a list are skipped.
    const CLanguageModule* xx = m_modules.Find("XX");
    const std::string xxName = xx->GetName("EN", false);
    EXPECT_TRUE(xxName == "Testish" || xxName == "Duplicate") << xxName;
    if (xxName == "Testish") {
        EXPECT_EQ(xx->GetName("DE", false), "Testisch auf Deutsch");
    }
}

TEST_F(CLanguageModulesTest, ChoiceListKeepsTheSmallerKeyOfEqualNames) {
    m_modules.Load(s_folder, "Tallymarks_*.dll", kKeyId, kNamesId);
    const auto names = m_modules.GetNames("DE");
    // English and ZZ have no German name: both "<unknown>", and EN < ZZ.
    ASSERT_EQ(names.count("<unknown>"), 1u);
    EXPECT_EQ(names.at("<unknown>")->GetKey(), "EN");
}

TEST_F(CLanguageModulesTest, MissingFolderLeavesTheProgramModule) {
    const SLanguageLoadResult result =
        m_modules.Load(s_folder + "\\missing", "Tallymarks_*.dll", kKeyId, kNamesId);
    EXPECT_EQ(m_modules.GetCount(), 1u);
    EXPECT_NE(m_modules.Find("EN"), nullptr);
    if (!result.found) {
        EXPECT_NE(result.error, 0u);
    }
    EXPECT_TRUE(result.failed.empty());
}

TEST_F(CLanguageModulesTest, ReloadAndUnloadFreeTheLibraries) {
    m_modules.Load(s_folder, "Tallymarks_*.dll", kKeyId, kNamesId);
    m_modules.Load(s_folder, "Tallymarks_ZZ.dll", kKeyId, kNamesId);
    EXPECT_EQ(m_modules.GetCount(), 2u);
    EXPECT_EQ(GetModuleHandleA(Path("Tallymarks_XX").c_str()), nullptr);
    m_modules.UnloadAll();
    EXPECT_EQ(GetModuleHandleA(Path("Tallymarks_ZZ").c_str()), nullptr);
    EXPECT_EQ(m_modules.Find("EN"), nullptr);
}

} // namespace
