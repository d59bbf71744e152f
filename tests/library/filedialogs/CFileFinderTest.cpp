#include "library/files/CFileFinder.h"

#include "../system/CScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Sorted(std::vector<std::string> paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

// Restores the current folder when a test changed it.
class CCurrentFolder {
public:
    CCurrentFolder() { GetCurrentDirectoryA(MAX_PATH, m_previous); }
    ~CCurrentFolder() { SetCurrentDirectoryA(m_previous); }

private:
    char m_previous[MAX_PATH] = {};
};

class CFileFinderTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"x.dll", "Y.DLL", "x.dllx", "a.txt", "README"}) {
            ASSERT_TRUE(m_scratch.Write(name, "x"));
        }
        ASSERT_TRUE(m_scratch.MakeFolder("sub.dll"));
        ASSERT_TRUE(m_scratch.MakeFolder("empty"));
    }

    CScratchFolder m_scratch;
};

// The system also matches x.dllx (by its short name) and the folder sub.dll.
TEST_F(CFileFinderTest, ListsMatchingFilesWithTheFolder) {
    CFileFinder finder;
    ASSERT_TRUE(finder.Find(m_scratch.Path(), "*.dll"));
    EXPECT_EQ(Sorted(finder.GetPaths()),
              (std::vector<std::string>{m_scratch.File("Y.DLL"), m_scratch.File("x.dll")}));
}

TEST_F(CFileFinderTest, FolderWithItsBackslashGetsNoSecondOne) {
    CFileFinder finder;
    ASSERT_TRUE(finder.Find(m_scratch.Path() + "\\", "a.*"));
    EXPECT_EQ(finder.GetPaths(), std::vector<std::string>{m_scratch.File("a.txt")});
}

TEST_F(CFileFinderTest, EmptyFolderGivesBareNames) {
    CCurrentFolder restore;
    ASSERT_TRUE(SetCurrentDirectoryA(m_scratch.Path().c_str()));
    CFileFinder finder;
    ASSERT_TRUE(finder.Find("", "*.txt"));
    EXPECT_EQ(finder.GetPaths(), std::vector<std::string>{"a.txt"});
}

TEST_F(CFileFinderTest, ResultsAddUp) {
    CFileFinder finder;
    ASSERT_TRUE(finder.Find(m_scratch.Path(), "a.txt"));
    ASSERT_TRUE(finder.Find(m_scratch.Path(), "README"));
    EXPECT_EQ(finder.GetPaths(),
              (std::vector<std::string>{m_scratch.File("a.txt"), m_scratch.File("README")}));
}

TEST_F(CFileFinderTest, NoMatchIsSuccessAndAMissingFolderIsNot) {
    CFileFinder finder;
    EXPECT_TRUE(finder.Find(m_scratch.File("empty"), "*.dll"));
    EXPECT_TRUE(finder.Find(m_scratch.Path(), "*.xyz"));
    EXPECT_TRUE(finder.GetPaths().empty());
    EXPECT_FALSE(finder.Find(m_scratch.File("missing"), "*.dll"));
    EXPECT_TRUE(finder.GetPaths().empty());
}

TEST(CFileFinderPatternTest, MatchesLikeTheSystemOnLongNames) {
    struct SCase {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const SCase cases[] = {
        {"x.dll", "*.dll", true},
        {"X.DLL", "*.dll", true},
        {"x.dllx", "*.dll", false},
        {"Tallymarks_NL.dll", "Tallymarks_*.dll", true},
        {"Tallymarks.dll", "Tallymarks_*.dll", false},
        {"a.txt", "?.txt", true},
        {"ab.txt", "?.txt", false},
        {"README", "*.*", true},
        {"README", "READ*.*", true},
        {"a.b.c", "*.c", true},
        {"a.b.c", "*.b", false},
        {"", "*", true},
        {"abc", "", false},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(CFileFinder::MatchesPattern(c.name, c.pattern), c.matches)
            << c.name << " " << c.pattern;
    }
}

} // namespace
