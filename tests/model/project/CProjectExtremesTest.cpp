// The writers never write a file that the readers refuse: every extreme value the model
// can hold goes through both formats and back unchanged, and a value that a file cannot
// hold stops the save before the file is touched.

#include "model/CProject.h"

#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/EProjectFileFormat.h"
#include "model/ProjectFileLimits.h"

#include "../StateTestHelpers.h"
#include "ProjectLog.h"
#include "ProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using modeltest::AddActivity;
using modeltest::AddTallymark;
using projecttest::CProjectLog;
using projecttest::CTempFolder;

using CDates = std::multiset<std::pair<double, double>>;
using CContents = std::vector<std::tuple<int, std::string, CDates>>;

CDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    CDateTime date;
    EXPECT_TRUE(date.SetDateTime(year, month, day, hour, minute, second));
    return date;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every activity's depth and name with the start and end of each of its tally marks.
CContents Contents(CProjectState& state) {
    CContents contents;
    std::vector<CActivity*> pending = {state.GetRootActivity()};
    while (!pending.empty()) {
        CActivity* activity = pending.back();
        pending.pop_back();
        CDates dates;
        CTallymarks& tallymarks = activity->GetTallymarks();
        for (CTallymark* t = tallymarks.GetFirst(); t != nullptr; t = tallymarks.GetNext()) {
            dates.insert({t->GetStart().GetValue(), t->GetEnd(false).GetValue()});
        }
        contents.emplace_back(activity->GetDepth(), activity->GetName(), dates);
        for (CActivity* child = activity->GetFirstChild(); child != nullptr;
             child = child->GetNextSibling()) {
            pending.push_back(child);
        }
    }
    return contents;
}

class ProjectExtremesTest : public ::testing::TestWithParam<int> {};

TEST_P(ProjectExtremesTest, EveryExtremeValueTheModelHoldsIsSavedAndLoadedBackEqual) {
    const int format = GetParam();
    const CDateTime first(CDateTime::GetMinimum()), last(CDateTime::GetMaximum());
    const CDateTime open = CTallymark::GetNullDate();
    const struct {
        const char* what;
        CDateTime start, end;
    } cases[] = {
        {"first moment, zero length", first, first},
        {"last moment, zero length", last, last},
        {"the whole calendar", first, last},
        {"open from the first moment", first, open},
        {"open from the last moment", last, open},
        {"the first day after the calendar's first", At(100, 1, 2), At(100, 1, 2, 23, 59, 59)},
        {"the last second before the last day", At(9999, 12, 30, 23, 59, 59), last},
        {"end before start", last, first},
        {"before 1900, negative day numbers", At(1899, 12, 29, 6), At(1899, 12, 30, 18)},
        {"zero length in 1899", At(1899, 12, 30), At(1899, 12, 30)},
    };
    CTempFolder folder;
    const std::string path = folder.Path(format == pffXML ? "ends.xml" : "ends.wkp");
    CContents saved;
    {
        CProject project;
        CProjectState& state = *project.GetState();
        state.SetName("Ends");
        CActivity* parent = AddActivity(state, "Edges");
        int index = 0;
        for (const auto& c : cases) {
            // One case on the root, the others on activities of their own or shared.
            CActivity* activity = index == 0  ? state.GetRootActivity()
                                  : index % 2 ? AddActivity(state, c.what, parent)
                                              : parent;
            AddTallymark(activity, c.start, c.end);
            ++index;
        }
        // The deepest activity that a file holds, with a tally mark.
        CActivity* deepest = parent;
        while (deepest->GetDepth() < kMaxActivityDepth) {
            deepest =
                AddActivity(state, "Level " + std::to_string(deepest->GetDepth() + 1), deepest);
        }
        AddTallymark(deepest, At(2024, 1, 1), At(2024, 1, 2));
        saved = Contents(state);
        ASSERT_TRUE(project.Save(false, nullptr, path.c_str(), format));
    }
    CProject reopened;
    const CError error = reopened.Load(CFilePath(path));
    ASSERT_FALSE(error.IsError()) << error.GetText();
    EXPECT_EQ(Contents(*reopened.GetState()), saved);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, ProjectExtremesTest, ::testing::Values(pffBinary, pffXML));

// A tally mark with a date that a file cannot hold, or an activity deeper than a file holds:
// the save fails before the file is touched (no byte changes, no backup appears), and the
// message names the tally mark or the activity.
TEST(ProjectSaveCheckTest, ADateNoFileHoldsStopsTheSaveAndLeavesTheFileAlone) {
    const CDateTime first(CDateTime::GetMinimum()), last(CDateTime::GetMaximum());
    CDateTime firstPlusAnHour = first;
    firstPlusAnHour += CDateTimeSpan(1.0 / 24.0);
    const int tooDeep = kMaxActivityDepth + 1;
    const struct {
        const char* what;
        CDateTime start, end;
        bool marked; // the activity "Edge" holds a tally mark from start to end
        int depth;   // of "Edge"
        const char* named;
    } cases[] = {
        {"invalid start", CDateTime(), At(2024, 1, 1), true, 2, "\"Write\\Edge\""},
        {"the first moment plus an hour", first, firstPlusAnHour, true, 2, "\"Write\\Edge\""},
        {"an end past the calendar", last, CDateTime(last.GetValue() + 0.5), true, 2,
         "\"Write\\Edge\""},
        {"an open tally mark's start past the calendar", CDateTime(last.GetValue() + 1.0),
         CTallymark::GetNullDate(), true, 2, "\"Write\\Edge\""},
        {"an activity one level deeper than a file holds", At(2024, 1, 1), At(2024, 1, 2), true,
         tooDeep, "\"Edge\" lies 1001 levels deep"},
        {"an unused activity one level deeper than a file holds", CDateTime(), CDateTime(), false,
         tooDeep, "\"Edge\" lies 1001 levels deep"},
    };
    for (int format : {pffBinary, pffXML}) {
        for (const auto& c : cases) {
            CTempFolder folder;
            const std::string path = folder.Path(format == pffXML ? "plan.xml" : "plan.wkp");
            CProject project;
            CProjectLog log(project);
            project.GetState()->SetName("Plan");
            CActivity* activity = AddActivity(*project.GetState(), "Write");
            AddTallymark(activity, At(2024, 1, 1), At(2024, 1, 2));
            ASSERT_TRUE(project.Save(false, nullptr, path.c_str(), format)) << c.what;
            const std::string before = ReadBytes(path);
            CActivity* above = activity;
            while (above->GetDepth() < c.depth - 1) {
                above = AddActivity(*project.GetState(), "Level", above);
            }
            CActivity* bad = AddActivity(*project.GetState(), "Edge", above);
            if (c.marked) {
                AddTallymark(bad, c.start, c.end);
            }

            EXPECT_FALSE(project.Save(false)) << c.what;
            EXPECT_FALSE(log.saved) << c.what;
            const std::string text = log.saveError.GetText();
            EXPECT_NE(text.find(c.named), std::string::npos) << c.what << ": " << text;
            EXPECT_NE(text.find("was not saved"), std::string::npos) << c.what << ": " << text;
            EXPECT_EQ(text.find('['), std::string::npos) << c.what << ": " << text;
            EXPECT_EQ(ReadBytes(path), before) << c.what;
            EXPECT_EQ(folder.Count(), 1) << c.what;
            EXPECT_TRUE(project.IsModified(c.marked ? ppTallymarks : ppActivities)) << c.what;
            // The project stays as it was: once the tally mark is gone, or the activity is
            // outdented, it saves.
            if (c.depth > kMaxActivityDepth) {
                above->GetParent()->AddChildActivity(bad, -1);
            } else {
                delete bad->GetTallymarks().GetFirst();
            }
            EXPECT_TRUE(project.Save(false)) << c.what;
        }
    }
}

} // namespace

namespace {

// The bytes of a small binary project file.
std::string SavedBytes(const CTempFolder& folder) {
    const std::string path = folder.Path("sample.wkp");
    {
        CProject project;
        project.GetState()->SetName("Plan");
        AddTallymark(AddActivity(*project.GetState(), "Write"), At(2024, 1, 1), At(2024, 1, 2));
        EXPECT_TRUE(project.Save(false, nullptr, path.c_str(), pffBinary));
    }
    const std::string bytes = ReadBytes(path);
    DeleteFileA(path.c_str());
    return bytes;
}

// A project file that no longer loads names the newest backup copy beside it that loads
// completely; damaged copies, other names and other projects' copies are passed over.
TEST(ProjectBackupTest, AFailedLoadNamesTheNewestCompleteBackupCopy) {
    const struct {
        const char* what;
        std::vector<std::pair<const char*, bool>> files; // name, complete
        const char* named;
    } cases[] = {
        {"no copy", {}, nullptr},
        {"one complete copy",
         {{"plan backup 2024-01-01 10-00-00.wkp", true}},
         "plan backup 2024-01-01 10-00-00.wkp"},
        {"the newest complete one",
         {{"plan backup 2023-12-31 23-59-59.wkp", true},
          {"plan backup 2024-01-01 10-00-00.wkp", true},
          {"plan backup 2024-01-01 10-00-00 (2).wkp", true},
          {"plan backup 2024-03-01 10-00-00.wkp", false}},
         "plan backup 2024-01-01 10-00-00 (2).wkp"},
        {"only damaged copies", {{"plan backup 2024-01-01 10-00-00.wkp", false}}, nullptr},
        {"names that are no backups of it",
         {{"plan backup 2024-01-01.wkp", true},
          {"plan backup 2024-01-01 10-00-00.xml", true},
          {"plans backup 2024-01-01 10-00-00.wkp", true},
          {"plan backup 2024-01-01 10-00-00 ().wkp", true}},
         nullptr},
        {"letter case does not count",
         {{"PLAN BACKUP 2024-01-01 10-00-00.WKP", true}},
         "PLAN BACKUP 2024-01-01 10-00-00.WKP"},
    };
    for (const auto& c : cases) {
        CTempFolder folder;
        const std::string goodBytes = SavedBytes(folder);
        folder.WriteFile("plan.wkp", goodBytes.substr(0, goodBytes.size() - 6));
        for (const auto& file : c.files) {
            folder.WriteFile(file.first,
                             file.second ? goodBytes : goodBytes.substr(0, goodBytes.size() / 2));
        }
        CProject project;
        const CFilePath path(folder.Path("plan.wkp"));
        const std::string inFolder = path.GetPath().substr(0, path.GetPath().rfind('\\') + 1);
        const CError error = project.Load(path);
        const std::string damaged =
            "couldn't read from project file; the file is probably corrupt.";
        if (c.named == nullptr) {
            EXPECT_EQ(error.GetText(), damaged) << c.what;
        } else {
            EXPECT_EQ(error.GetText(),
                      damaged + "\n\nA complete backup copy of this project lies beside it: \"" +
                          inFolder + c.named + "\".  You can open that copy instead.")
                << c.what;
        }
    }
}

} // namespace
