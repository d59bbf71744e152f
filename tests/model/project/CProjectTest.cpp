#include "model/CProject.h"

#include "model/CActivity.h"
#include "model/CEditTransaction.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/EProjectFileFormat.h"

#include "../StateTestHelpers.h"
#include "ProjectLog.h"
#include "ProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using modeltest::AddActivity;
using modeltest::AddTallymark;
using projecttest::CProjectLog;
using projecttest::CTempFolder;
using Events = std::vector<std::string>;

const std::string kXmlHeader = "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?>\n";

CDateTime At(int day, int hour) {
    CDateTime date;
    EXPECT_TRUE(date.SetDateTime(2010, 5, day, hour, 0, 0));
    return date;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// A saved project file "name" in the folder holding a project "Plan" with one activity
// that has one tally mark.
std::string SaveSample(const CTempFolder& folder, const std::string& name) {
    CProject project;
    project.GetState()->SetName("Plan");
    CActivity* activity = AddActivity(*project.GetState(), "Write");
    AddTallymark(activity, At(3, 9), At(3, 11));
    const std::string path = folder.Path(name);
    EXPECT_TRUE(project.Save(false, nullptr, path.c_str(), pffXML));
    return path;
}

class ProjectRoundTripTest : public ::testing::TestWithParam<int> {};

TEST_P(ProjectRoundTripTest, EditSaveAndReopenGiveTheSameProject) {
    const int format = GetParam();
    CTempFolder folder;
    const std::string path = folder.Path(format == pffXML ? "plan.xml" : "plan.wkp");
    {
        CProject project;
        CProjectLog log(project);
        EXPECT_TRUE(project.IsNew());
        EXPECT_FALSE(project.IsModified(ppName | ppActivities | ppTallymarks));

        CEditTransaction edit(project);
        CProjectState* edited = edit.GetState();
        ASSERT_NE(edited, project.GetState(false));
        edited->SetName("Plan");
        CActivity* activity = AddActivity(*edited, "Write");
        AddTallymark(activity, At(3, 9), At(3, 11));
        EXPECT_TRUE(log.events.empty()) << "an edited copy reports nothing before it is committed";
        CProjectState* committed = project.GetState(false);
        edit.Commit();

        EXPECT_EQ(log.events, (Events{"modified", "switched", "ended"}));
        EXPECT_EQ(log.switchedOld, committed);
        EXPECT_EQ(log.switchedNew, edited);
        EXPECT_EQ(project.GetState(false), edited);
        EXPECT_EQ(project.GetStateCount(), 1u);
        EXPECT_TRUE(log.modifiedParts.HasAny(ppName));
        EXPECT_TRUE(log.modifiedParts.HasAny(ppActivities));
        EXPECT_TRUE(log.modifiedParts.HasAny(ppTallymarks));
        EXPECT_EQ(project.GetTitle(), "Plan *");

        // The first save of a new project asks for its location.
        log.events.clear();
        const CFilePath placeholder = project.GetFilePath(false);
        log.answer.Choose(path, format);
        EXPECT_TRUE(project.Save(false));
        EXPECT_EQ(log.events, (Events{"ask", "path", "saved"}));
        EXPECT_EQ(log.askedFormat, 0);
        EXPECT_TRUE(log.oldPath == placeholder);
        EXPECT_TRUE(CFilePath(path) == CFilePath(log.newPathWhenChanged));
        EXPECT_TRUE(log.saved);
        EXPECT_TRUE(log.savedToNewLocation);
        EXPECT_FALSE(log.saveError.IsError());
        EXPECT_FALSE(project.IsNew());
        EXPECT_EQ(project.GetFormat(), format);
        EXPECT_TRUE(project.GetFilePath(false).IsValid());
        EXPECT_EQ(project.GetTitle(), "Plan");
        EXPECT_TRUE(project.GetState()->GetModified().IsEmpty());

        // A plain save of a saved project goes to its own file without asking.
        log.events.clear();
        project.GetState()->SetName("Plan 2");
        EXPECT_TRUE(project.Save(false));
        EXPECT_EQ(log.events, (Events{"modified", "saved"}));
        EXPECT_FALSE(log.savedToNewLocation);
        EXPECT_FALSE(log.wrongProject);
    }
    CProject reopened;
    const CError error = reopened.Load(CFilePath(path));
    ASSERT_FALSE(error.IsError()) << error.GetText();
    EXPECT_FALSE(reopened.IsNew());
    EXPECT_TRUE(reopened.IsInitialised());
    EXPECT_EQ(reopened.GetFormat(), format);
    EXPECT_TRUE(reopened.IsWritable());
    EXPECT_EQ(reopened.GetTitle(), "Plan 2");
    const SProjectEntry entry = reopened.GetNameAndPath();
    EXPECT_EQ(entry.name, "Plan 2");
    EXPECT_TRUE(entry.filePath == CFilePath(path));
    CActivity* activity = reopened.GetState()->GetRootActivity()->GetFirstChild();
    ASSERT_NE(activity, nullptr);
    EXPECT_EQ(activity->GetName(), "Write");
    ASSERT_EQ(activity->GetTallymarks().GetCount(), 1u);
    CTallymark* tallymark = activity->GetTallymarks().GetFirst();
    EXPECT_TRUE(tallymark->GetStart() == At(3, 9));
    EXPECT_TRUE(tallymark->GetEnd(false) == At(3, 11));
}

INSTANTIATE_TEST_SUITE_P(BothFormats, ProjectRoundTripTest, ::testing::Values(pffBinary, pffXML));

TEST(ProjectTest, DecliningTheLocationWritesNothingAndLeavesTheProjectModified) {
    CTempFolder folder;
    CProject project;
    CProjectLog log(project);
    project.GetState()->SetName("Plan");
    log.events.clear();
    // Also with force-ask clear: a new project has no location.
    EXPECT_TRUE(project.Save(false));
    EXPECT_EQ(log.events, Events{"ask"});
    EXPECT_TRUE(project.IsModified(ppName));
    EXPECT_TRUE(project.IsNew());
    EXPECT_EQ(project.GetTitle(), "Plan *");
    EXPECT_EQ(folder.Count(), 0);
}

TEST(ProjectTest, SavingToAGivenPathDoesNotAskAndForceAskAlwaysAsks) {
    CTempFolder folder;
    CProject project;
    CProjectLog log(project);
    const std::string first = folder.Path("first.xml");
    EXPECT_TRUE(project.Save(false, nullptr, first.c_str(), pffXML));
    EXPECT_EQ(log.events, (Events{"path", "saved"}));
    EXPECT_TRUE(folder.Exists("first.xml"));

    log.events.clear();
    log.answer.Choose(folder.Path("second.xml"), pffXML);
    EXPECT_TRUE(project.Save(true));
    EXPECT_EQ(log.events, (Events{"ask", "path", "saved"}));
    EXPECT_EQ(log.askedFormat, pffXML);
    EXPECT_TRUE(log.oldPath == CFilePath(first));
    EXPECT_TRUE(project.GetFilePath(false) == CFilePath(folder.Path("second.xml")));
}

TEST(ProjectTest, AFailedSaveReportsAndChangesNothing) {
    CTempFolder folder;
    const struct {
        const char* what;
        std::string path;
        int format;
    } cases[] = {
        {"missing folder", folder.Path("missing\\plan.xml"), pffXML},
        {"no format", folder.Path("plan.xml"), 0},
    };
    for (const auto& c : cases) {
        CProject project;
        CProjectLog log(project);
        project.GetState()->SetName("Plan");
        log.events.clear();
        EXPECT_FALSE(project.Save(false, nullptr, c.path.c_str(), c.format)) << c.what;
        EXPECT_EQ(log.events, Events{"saved"}) << c.what;
        EXPECT_FALSE(log.saved) << c.what;
        EXPECT_EQ(log.saveError.GetCode(), 1) << c.what;
        EXPECT_TRUE(
            StartsWith(log.saveError.GetText(),
                       "There was an error saving the project \"Plan\".\n\nThe error was: "))
            << c.what << ": " << log.saveError.GetText();
        EXPECT_EQ(log.saveError.GetText().find("[ERROR]"), std::string::npos) << c.what;
        EXPECT_TRUE(project.IsNew()) << c.what;
        EXPECT_TRUE(project.IsModified(ppName)) << c.what;
        EXPECT_EQ(project.GetFormat(), 0) << c.what;
        EXPECT_FALSE(project.GetFilePath(false).IsValid()) << c.what;
    }
    EXPECT_EQ(folder.Count(), 0);
}

TEST(ProjectTest, LoadFailuresExplainThemselves) {
    CTempFolder folder;
    folder.WriteFile("text.xml", "hello, world");
    folder.WriteFile("newer.xml", kXmlHeader +
                                      "<TallymarksProject version=\"10.4.0\"><Name>P</Name>"
                                      "</TallymarksProject>");
    folder.WriteFile("damaged.xml",
                     kXmlHeader + "<TallymarksProject><Name>P</Name></TallymarksProject>");
    folder.WriteFile("held.xml", "");
    HANDLE held = CreateFileA(folder.Path("held.xml").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const struct {
        const char* file;
        int code;
        std::string text;
        bool exact;
    } cases[] = {
        {"missing.xml", 1, "couldn't read from project file;\n", false},
        {"held.xml", 3, "couldn't read from project file;\n32 - ", false},
        {"text.xml", 1, "the file is not a Tallymarks project file.", true},
        {"damaged.xml", 1, "couldn't read from project file; the file is probably corrupt.", true},
        {"newer.xml", 1,
         "couldn't read from project file; the project file is created by a newer version of "
         "Tallymarks (version 10.4.0).",
         true},
    };
    for (const auto& c : cases) {
        CProject project;
        const CError error = project.Load(CFilePath(folder.Path(c.file)));
        EXPECT_EQ(error.GetCode(), c.code) << c.file;
        if (c.exact) {
            EXPECT_EQ(error.GetText(), c.text) << c.file;
        } else {
            EXPECT_TRUE(StartsWith(error.GetText(), c.text)) << c.file << ": " << error.GetText();
        }
        EXPECT_TRUE(project.IsNew()) << c.file;
    }
    CloseHandle(held);
}

TEST(ProjectTest, AProjectHeldByAnotherProgramIsReadOnlyAndAsksWhereToSave) {
    CTempFolder folder;
    const std::string path = SaveSample(folder, "plan.xml");
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    CProject project;
    const CError error = project.Load(CFilePath(path));
    ASSERT_FALSE(error.IsError()) << error.GetText();
    EXPECT_FALSE(project.IsWritable());
    EXPECT_EQ(project.GetTitle(), "Plan (read-only)");

    CProjectLog log(project);
    log.answer.Choose(folder.Path("copy.wkp"), pffXML);
    EXPECT_TRUE(project.Save(false));
    EXPECT_EQ(log.events, (Events{"ask", "path", "saved"}));
    EXPECT_TRUE(project.IsWritable());
    EXPECT_EQ(project.GetTitle(), "Plan");
    CloseHandle(reader);
}

TEST(ProjectTest, OnlyContentChangesMarkTheTitle) {
    CProject project;
    CActivity* activity = AddActivity(*project.GetState(), "Write");
    project.GetState()->SetName("Plan");
    CTempFolder folder;
    ASSERT_TRUE(project.Save(false, nullptr, folder.Path("p.xml").c_str(), pffXML));
    project.GetState()->SetSelectedActivity(activity);
    EXPECT_TRUE(project.IsModified(ppSelectedActivity));
    EXPECT_EQ(project.GetTitle(), "Plan");
    project.GetState()->SetName("Plan B");
    EXPECT_EQ(project.GetTitle(), "Plan B *");
}

TEST(ProjectTest, NestedTransactionsCommitAndDiscardInOrder) {
    CProject project;
    CProjectLog log(project);
    CProjectState* committed = project.GetState();

    CEditTransaction outer(project);
    CProjectState* middle = project.GetState(true);
    CEditTransaction innerEdit(project);
    ASSERT_EQ(project.GetStateCount(), 3u);
    CProjectState* inner = project.GetState(true);
    inner->SetName("Inner");
    innerEdit.Commit();
    EXPECT_EQ(log.events, Events{"switched"}) << "an inner commit ends no tracking";
    EXPECT_EQ(project.GetStateCount(), 2u);
    EXPECT_EQ(project.GetState(false), committed);
    EXPECT_EQ(log.switchedOld, middle);
    EXPECT_EQ(log.switchedNew, inner);
    EXPECT_EQ(project.GetState(true), inner);
    EXPECT_EQ(inner->GetName(), "Inner");

    // The project still hears its committed state.
    log.events.clear();
    committed->SetName("Outer");
    EXPECT_EQ(log.events, Events{"modified"});

    log.events.clear();
    outer.Discard();
    EXPECT_EQ(log.events, Events{"ended"});
    EXPECT_EQ(project.GetState(), committed);
    EXPECT_EQ(committed->GetName(), "Outer");

    // Without a transaction nothing happens.
    log.events.clear();
    outer.Commit();
    innerEdit.Discard();
    EXPECT_TRUE(log.events.empty());
    EXPECT_FALSE(log.wrongProject);
}

} // namespace
