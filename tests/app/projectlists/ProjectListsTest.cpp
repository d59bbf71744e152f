#include "app/settings/CSetLastProjects.h"
#include "app/settings/CSetRecentProjects.h"
#include "library/events/CSlot.h"
#include "library/settings/CINIFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// INI text written with "|" for each CR LF.
void Parse(CINIFile& ini, std::string text) {
    for (size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|')) {
        text.replace(bar, 1, "\r\n");
    }
    ini.ParseText(text.data(), text.size());
}

SProjectEntry Entry(const std::string& name, const std::string& path) {
    SProjectEntry entry;
    entry.name = name;
    entry.filePath = CFilePath(path);
    return entry;
}

std::vector<std::string> Names(const CSetRecentProjects& recent) {
    std::vector<std::string> names;
    for (size_t i = 0; i < recent.GetSize(); ++i) {
        names.push_back(recent.GetEntry(i).name);
    }
    return names;
}

class CChangeCount : public CSlot<CRecentMenuChangedEvent> {
public:
    int count = 0;

protected:
    bool OnEvent(CRecentMenuChangedEvent&) override {
        ++count;
        return true;
    }
};

TEST(CSetLastProjectsTest, BrokenEntriesAreSkippedAndTheActiveIndexChecked) {
    CINIFile ini;
    Parse(ini, "[OpenProjects]|LastPath=C:\\Work|Size=3|Project0Name=A|"
               "Project0FilePath=C:\\a.wkp|Project1Name=B|Project2Name=C|"
               "Project2FilePath=C:\\c.xml|Active=2");
    CSetLastProjects last;
    last.Load(ini);
    ASSERT_EQ(last.GetSize(), 2u);
    EXPECT_EQ(last.GetEntry(1).name, "C");
    EXPECT_EQ(last.GetActiveEntry().name, "A"); // 2 is out of range now
    EXPECT_EQ(last.GetEntry(7).name, "");
    EXPECT_EQ(last.GetLastPath(), "C:\\Work");

    last.SetLastPathFromFile("D:\\Projects\\Plans\\x.wkp");
    EXPECT_EQ(last.GetLastPath(), "D:\\Projects\\Plans");
    last.SetLastPathFromFile("nofolder.wkp");
    EXPECT_EQ(last.GetLastPath(), "D:\\Projects\\Plans");
}

TEST(CSetLastProjectsTest, ClearForgetsTheActiveEntryAndSavingLeavesNoStaleKeys) {
    CINIFile ini;
    Parse(ini, "[OpenProjects]|Size=2|Project0Name=A|Project0FilePath=C:\\a.wkp|"
               "Project1Name=B|Project1FilePath=C:\\b.wkp|Active=1");
    CSetLastProjects last;
    last.Load(ini);
    EXPECT_EQ(last.GetActiveEntry().name, "B");
    last.Clear();
    last.Add(Entry("Only", "C:\\only.wkp"), false);
    EXPECT_EQ(last.GetActiveEntry().name, "Only");
    last.Save(ini);
    const std::string text = ini.BuildText();
    EXPECT_EQ(text.find("Project1"), std::string::npos) << text;
    EXPECT_NE(text.find("Size=1"), std::string::npos) << text;
}

TEST(CSetLastProjectsTest, AHugeSizeEndsWithTheKeysTheSectionHolds) {
    CINIFile ini;
    Parse(ini, "[OpenProjects]|Size=4294967295|Project0Name=A|Project0FilePath=C:\\a.wkp");
    CSetLastProjects last;
    last.Load(ini);
    EXPECT_EQ(last.GetSize(), 1u);
    EXPECT_FALSE(last.GetLastPath().empty()); // the documents folder stands in
}

struct SEntriesCase {
    const char* keys; // the section's keys behind "[OpenProjects]|" and "[RecentProjects]|"
    std::vector<std::string> names;
};

// clang-format off
const SEntriesCase kEntriesCases[] = {
    {"Size=4|Project3Name=D|Project3FilePath=C:\\d.wkp", {"D"}},
    {"Size=7|Project5Name=F|Project5FilePath=C:\\f.wkp|Project6Name=G|Project6FilePath=C:\\g.wkp", {"F", "G"}},
    {"Size=12|Project10Name=K|Project10FilePath=C:\\k.wkp|Project2Name=C|Project2FilePath=C:\\c.wkp", {"C", "K"}},
    {"Size=2|Project2Name=C|Project2FilePath=C:\\c.wkp|Project0Name=A|Project0FilePath=C:\\a.wkp", {"A"}},
    {"Size=4294967295|PROJECT4294967294NAME=Z|project4294967294filepath=C:\\z.wkp", {"Z"}},
    {"Size=9|Project01Name=X|Project01FilePath=C:\\x.wkp|Project+1Name=Y|Project+1FilePath=C:\\y.wkp", {}},
    {"Size=99999999999|Project1Name=B|Project1FilePath=C:\\b.wkp", {}},
};
// clang-format on

TEST(ProjectListsTest, EveryEntryBelowSizeWithBothKeysLoadsInNumberOrder) {
    for (const SEntriesCase& c : kEntriesCases) {
        SCOPED_TRACE(c.keys);
        CINIFile ini;
        Parse(ini, std::string("[OpenProjects]|") + c.keys + "|[RecentProjects]|" + c.keys);
        CSetLastProjects last;
        last.Load(ini);
        CSetRecentProjects recent;
        recent.Load(ini);
        std::vector<std::string> lastNames;
        for (size_t i = 0; i < last.GetSize(); ++i) {
            lastNames.push_back(last.GetEntry(i).name);
        }
        EXPECT_EQ(lastNames, c.names);
        EXPECT_EQ(Names(recent), c.names);
    }
}

TEST(CSetRecentProjectsTest, NewestFirstMovedCutAndAnnounced) {
    CSetRecentProjects recent;
    CChangeCount changes;
    changes.Connect(&recent);
    for (const char* name : {"a", "b", "c", "d"}) {
        recent.AddEntry(Entry(name, std::string("C:\\") + name + ".wkp"));
    }
    EXPECT_EQ(Names(recent), std::vector<std::string>({"d", "c", "b", "a"}));
    recent.AddEntry(Entry("B again", "c:\\B.WKP")); // the same path in other letters
    EXPECT_EQ(Names(recent), std::vector<std::string>({"B again", "d", "c", "a"}));
    recent.AddEntry(Entry("e", "C:\\e.wkp")); // a fifth: the oldest goes
    EXPECT_EQ(Names(recent), std::vector<std::string>({"e", "B again", "d", "c"}));
    EXPECT_EQ(changes.count, 6);

    recent.Remove(CFilePath("C:\\nothere.wkp"));
    EXPECT_EQ(changes.count, 7);
    recent.SetMaxSize(10);
    EXPECT_EQ(changes.count, 7);
    recent.SetMaxSize(2);
    EXPECT_EQ(Names(recent), std::vector<std::string>({"e", "B again"}));
    EXPECT_EQ(changes.count, 8);
}

TEST(CSetRecentProjectsTest, LongerStoredListLoadsWholeAndSavesNewestFirst) {
    CINIFile ini;
    Parse(ini, "[RecentProjects]|MaxSize=1|Size=2|Project0Name=New|Project0FilePath=C:\\n.wkp|"
               "Project1Name=Old|Project1FilePath=C:\\o.wkp");
    CSetRecentProjects recent;
    recent.Load(ini);
    EXPECT_EQ(Names(recent), std::vector<std::string>({"New", "Old"}));
    recent.AddEntry(Entry("Newer", "C:\\x.wkp"));
    EXPECT_EQ(Names(recent), std::vector<std::string>({"Newer"}));
    recent.Save(ini);
    const std::string text = ini.BuildText();
    EXPECT_NE(text.find("Project0Name=Newer"), std::string::npos) << text;
    EXPECT_EQ(text.find("Project1Name"), std::string::npos) << text;
}

} // namespace
