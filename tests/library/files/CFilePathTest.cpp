#include "library/files/CFilePath.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <windows.h>

namespace {

// A file with long names in a folder, and a working folder beside it.
class CFilePathTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA(m_folder.Path("Long Folder Name").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(m_folder.Path("work").c_str(), nullptr));
        m_long = m_folder.Path("Long Folder Name\\Plan of the year.wkp");
        m_folder.WriteFile("Long Folder Name\\Plan of the year.wkp", "x");
        GetCurrentDirectoryA(MAX_PATH, m_oldDirectory);
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.Path("work").c_str()));
    }
    void TearDown() override { SetCurrentDirectoryA(m_oldDirectory); }

    static std::string Upper(std::string text) {
        CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
        return text;
    }

    CScratchFolder m_folder;
    std::string m_long;
    char m_oldDirectory[MAX_PATH] = {};
};

TEST_F(CFilePathTest, SpellingsOfAnExistingFileBecomeOneLongAbsolutePath) {
    char shortPath[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(m_long.c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortPath), m_long) << "the file needs a distinct short name";
    std::string forward = m_long;
    for (char& c : forward) {
        c = c == '\\' ? '/' : c;
    }
    // Letter case may stay as spelled; the comparison ignores it.
    const struct {
        std::string text;
        bool caseAsOnDisk;
    } spellings[] = {
        {m_long, true},
        {"../Long Folder Name/Plan of the year.wkp", true},
        {shortPath, true},
        {forward, true},
        {"..\\work\\..\\LONG FOLDER NAME\\plan of the year.WKP", false},
        {Upper(shortPath), false},
    };
    const CFilePath reference(m_long);
    for (const auto& spelling : spellings) {
        SCOPED_TRACE(spelling.text);
        CFilePath path(spelling.text);
        EXPECT_TRUE(path.IsValid());
        if (spelling.caseAsOnDisk) {
            EXPECT_EQ(path.GetPath(), m_long);
        }
        EXPECT_TRUE(path == reference);
        EXPECT_TRUE(reference.Equals(spelling.text));
        EXPECT_TRUE(path.Exists());
        EXPECT_EQ(lstrcmpiA(path.GetFileName().c_str(), "Plan of the year.wkp"), 0);
    }
    EXPECT_FALSE(reference.Equals(m_folder.Path("Long Folder Name\\Plan.wkp")));
}

TEST_F(CFilePathTest, MissingFileIsAbsoluteButNotValid) {
    CFilePath missing("../Long Folder Name/Missing.WKP");
    EXPECT_FALSE(missing.IsValid());
    const std::string absolute = m_folder.Path("Long Folder Name\\Missing.WKP");
    EXPECT_EQ(missing.GetPath(), absolute);
    EXPECT_FALSE(missing.Exists());
    EXPECT_TRUE(missing == CFilePath(absolute));
    EXPECT_TRUE(missing == CFilePath(Upper(absolute))) << "the key is lower-cased";
    EXPECT_TRUE(missing.Equals(absolute));
    EXPECT_EQ(missing.GetLowerCasePath(), CFilePath(Upper(absolute)).GetLowerCasePath());
    EXPECT_EQ(missing.GetFileName(), "Missing.WKP");

    // The path was valid when set; Exists tells the state of now.
    CFilePath plan(m_long);
    ASSERT_TRUE(DeleteFileA(m_long.c_str()));
    EXPECT_TRUE(plan.IsValid());
    EXPECT_FALSE(plan.Exists());
}

TEST_F(CFilePathTest, SetReplacesPathKeyAndFileName) {
    CFilePath path("C:\\a\\b.wkp");
    EXPECT_EQ(path.GetFileName(), "b.wkp");
    EXPECT_TRUE(path.SetFromString(m_long));
    EXPECT_EQ(path.GetFileName(), "Plan of the year.wkp");
    EXPECT_FALSE(path.Set("C:\\x/y.wkp"));
    EXPECT_EQ(path.GetPath(), "C:\\x\\y.wkp");
    EXPECT_EQ(path.GetLowerCasePath(), "c:\\x\\y.wkp");
    EXPECT_EQ(path.GetFileName(), "y.wkp");

    std::string text = "C:/one/../two/file.txt";
    EXPECT_FALSE(CFilePath::Normalise(text));
    EXPECT_EQ(text, "C:\\two\\file.txt");
}

TEST(CFilePathUnsetTest, UnsetPathsEqualOnlyTheirCopies) {
    CFilePath first;
    CFilePath second;
    EXPECT_FALSE(first.IsValid());
    EXPECT_FALSE(first == second);
    CFilePath copy(first);
    EXPECT_TRUE(copy == first);
    CFilePath assigned;
    assigned = second;
    EXPECT_TRUE(assigned == second);
    EXPECT_EQ(first.GetFileName(), first.GetPath()) << "no backslash: the whole text";

    // An object made where an earlier one lived still gets a key of its own.
    std::set<std::string> keys;
    for (int i = 0; i < 1000; ++i) {
        CFilePath unset;
        keys.insert(unset.GetLowerCasePath());
    }
    EXPECT_EQ(keys.size(), 1000u);
    EXPECT_EQ(keys.count(first.GetLowerCasePath()), 0u);
}

} // namespace
