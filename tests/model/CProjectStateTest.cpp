#include "model/CProjectState.h"

#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CTallymark.h"

#include "ModelTestHelpers.h"
#include "StateTestHelpers.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace modeltest;

const int kName = ppName, kActivities = ppActivities, kMarks = ppTallymarks,
          kSelected = ppSelectedActivity, kWorking = ppWorkingState;

// A state with Work (Design, Build) and Home, listened to by a parts log.
struct SStateFixture {
    SStateFixture() {
        work = AddActivity(state, "Work");
        design = AddActivity(state, "Design", work);
        build = AddActivity(state, "Build", work);
        home = AddActivity(state, "Home");
        log.Connect(&state);
    }
    CPinnedClock clock{Date(2024, 5, 1, 12)};
    CProjectState state;
    CActivity *work, *design, *build, *home;
    CPartsLog log;
};

TEST(CProjectState, ReportsEachChangeWithItsParts) {
    const struct {
        const char* name;
        std::function<void(SStateFixture&)> change;
        std::vector<int> parts;
    } cases[] = {
        {"rename project", [](SStateFixture& f) { f.state.SetName("P2"); }, {kName}},
        {"same name", [](SStateFixture& f) { f.state.SetName("P"); }, {}},
        {"select", [](SStateFixture& f) { f.state.SetSelectedActivity(f.home); }, {kSelected}},
        {"select again",
         [](SStateFixture& f) {
             f.state.SetSelectedActivity(f.home);
             f.state.SetSelectedActivity(f.home);
         },
         {kSelected}},
        {"add activity",
         [](SStateFixture& f) { AddActivity(f.state, "New", f.home); },
         {kActivities}},
        {"move activity",
         [](SStateFixture& f) { f.home->AddChildActivity(f.build, 0); },
         {kActivities}},
        {"rename activity", [](SStateFixture& f) { f.design->SetName("design"); }, {kActivities}},
        {"disable activity", [](SStateFixture& f) { f.design->SetEnabled(false); }, {kActivities}},
        {"add closed mark",
         [](SStateFixture& f) { AddTallymark(f.design, Date(2024, 5, 1, 8), Date(2024, 5, 1, 9)); },
         {kMarks}},
        {"add open mark",
         [](SStateFixture& f) {
             AddTallymark(f.design, Date(2024, 5, 1, 8), CTallymark::GetNullDate());
         },
         {kWorking, kMarks}},
        {"delete selected activity's parent",
         [](SStateFixture& f) {
             f.state.SetSelectedActivity(f.build);
             f.log.parts.clear();
             delete f.work;
         },
         {kActivities, kSelected, kActivities, kActivities}},
        {"detach selected activity's parent",
         [](SStateFixture& f) {
             f.state.SetSelectedActivity(f.build);
             f.log.parts.clear();
             f.state.GetRootActivity()->RemoveChildActivity(f.work, true);
             delete f.work;
         },
         {kSelected, kActivities}},
    };
    for (const auto& c : cases) {
        SStateFixture f;
        f.state.SetName("P");
        f.log.parts.clear();
        c.change(f);
        EXPECT_EQ(f.log.parts, c.parts) << c.name;
        for (CProjectState* reporter : f.log.states) {
            EXPECT_EQ(reporter, &f.state) << c.name;
        }
        int all = kName;
        for (int part : c.parts) {
            all |= part;
        }
        EXPECT_EQ(f.state.GetModified().GetBits(), all | kActivities) << c.name;
        f.state.ClearModified();
        EXPECT_TRUE(f.state.GetModified().IsEmpty()) << c.name;
    }
}

TEST(CProjectState, FollowsTheRunningTallymark) {
    SStateFixture f;
    CTallymark* closed = AddTallymark(f.build, Date(2024, 5, 1, 8), Date(2024, 5, 1, 9));
    EXPECT_FALSE(f.state.IsWorking());
    CTallymark* running = AddTallymark(f.design, Date(2024, 5, 1, 10), CTallymark::GetNullDate());
    EXPECT_EQ(f.state.GetCurrentTallymark(), running);
    EXPECT_EQ(f.state.GetCurrentActivity(), f.design);

    // Moving the running tally mark moves the work with it.
    f.log.parts.clear();
    running->SetActivity(f.home);
    EXPECT_EQ(f.log.parts, (std::vector<int>{kWorking, kMarks, kWorking, kMarks}));
    EXPECT_EQ(f.state.GetCurrentActivity(), f.home);

    // Only the running tally mark (the open one that joined last) stops the work.
    CTallymark* newer = AddTallymark(f.build, Date(2024, 5, 1, 11), CTallymark::GetNullDate());
    EXPECT_EQ(f.state.GetCurrentTallymark(), newer);
    f.log.parts.clear();
    running->SetEnd(Date(2024, 5, 1, 12));
    EXPECT_EQ(f.log.parts, std::vector<int>{kMarks});
    EXPECT_EQ(f.state.GetCurrentTallymark(), newer);
    f.log.parts.clear();
    newer->SetEnd(Date(2024, 5, 1, 12));
    EXPECT_EQ(f.log.parts, (std::vector<int>{kWorking, kMarks}));
    EXPECT_FALSE(f.state.IsWorking());
    EXPECT_EQ(f.state.GetCurrentActivity(), nullptr);

    // Deleting the running tally mark stops the work too.
    CTallymark* last = AddTallymark(f.design, Date(2024, 5, 1, 11), CTallymark::GetNullDate());
    f.log.parts.clear();
    delete last;
    EXPECT_EQ(f.log.parts, (std::vector<int>{kWorking, kMarks}));
    EXPECT_FALSE(f.state.IsWorking());
    f.log.parts.clear();
    closed->SetStart(Date(2024, 5, 1, 7));
    EXPECT_EQ(f.log.parts, std::vector<int>{kMarks});
}

TEST(CProjectState, TrackingOffRecordsAndReportsNothing) {
    SStateFixture f;
    f.state.SetName("P");
    f.state.ClearModified();
    f.log.parts.clear();
    f.state.Reset(false);
    f.state.SetName("Q");
    AddTallymark(f.design, Date(2024, 5, 1, 8), CTallymark::GetNullDate());
    EXPECT_TRUE(f.state.IsWorking());
    EXPECT_TRUE(f.log.parts.empty());
    EXPECT_TRUE(f.state.GetModified().IsEmpty());
    f.state.EnableTracking();
    f.state.SetName("R");
    EXPECT_EQ(f.log.parts, std::vector<int>{kName});

    f.state.SetSelectedActivity(f.build);
    f.log.parts.clear();
    f.state.Reset(true);
    EXPECT_EQ(f.state.GetRootActivity()->GetNumChildren(), 0);
    EXPECT_TRUE(f.state.GetModified().IsEmpty());
    EXPECT_FALSE(f.state.IsWorking());
    EXPECT_EQ(f.state.GetSelectedActivity(), nullptr);
    EXPECT_EQ(f.state.GetTallymarksByDate().GetCount(), 0u);
    EXPECT_TRUE(f.log.parts.empty());
    EXPECT_EQ(f.state.GetName(), "R");
}

TEST(CProjectState, ACloneCopiesEverythingAndSelectsByPosition) {
    SStateFixture f;
    f.state.SetName("Project");
    AddTallymark(f.design, Date(2024, 5, 1, 8), Date(2024, 5, 1, 9));
    CTallymark* running = AddTallymark(f.build, Date(2024, 5, 1, 10), CTallymark::GetNullDate());
    f.state.SetSelectedActivity(f.build);
    const CBitmask<EProjectPart> modified = f.state.GetModified();
    f.log.parts.clear();

    std::unique_ptr<CProjectState> clone = f.state.Clone();
    CActivity* root = clone->GetRootActivity();
    EXPECT_EQ(clone->GetName(), "Project");
    EXPECT_EQ(clone->GetModified(), modified);
    ASSERT_EQ(root->GetNumChildren(), 2);
    CActivity* work = root->GetFirstChild();
    ASSERT_EQ(work->GetNumChildren(), 2);
    CActivity* build = work->GetFirstChild()->GetNextSibling();
    EXPECT_EQ(build->GetPath(), "Work\\Build");
    EXPECT_EQ(clone->GetSelectedActivity(), build);
    EXPECT_EQ(build->GetProjectState(), clone.get());
    ASSERT_TRUE(clone->IsWorking());
    EXPECT_NE(clone->GetCurrentTallymark(), running);
    EXPECT_EQ(clone->GetCurrentTallymark()->GetStart(), running->GetStart());
    EXPECT_EQ(clone->GetCurrentActivity(), build);
    EXPECT_EQ(clone->GetTallymarksByDate().GetCount(), 2u);
    EXPECT_TRUE(f.log.parts.empty());

    // No selection, or one that has no counterpart, selects nothing.
    f.state.SetSelectedActivity(nullptr);
    EXPECT_EQ(f.state.Clone()->GetSelectedActivity(), nullptr);
    CActivity stray(&f.state, "Stray", true);
    CActivity* strayChild = new CActivity(&f.state, "Child", true);
    stray.AddChildActivity(new CActivity(&f.state, "A", true), -1);
    stray.AddChildActivity(new CActivity(&f.state, "B", true), -1);
    stray.AddChildActivity(new CActivity(&f.state, "C", true), -1);
    stray.AddChildActivity(strayChild, -1);
    f.state.SetSelectedActivity(strayChild);
    EXPECT_EQ(f.state.Clone()->GetSelectedActivity(), nullptr);
    f.state.SetSelectedActivity(nullptr);
}

TEST(CProjectState, ACloneIndexesItsCopyAtOnce) {
    const CTimeZone zone = FixedZone(2);
    CModelTimeZone::Set(&zone);
    CPinnedClock clock(Date(2024, 3, 31, 12));
    for (const bool unindexed : {false, true}) {
        CProjectState state;
        CActivity* work = AddActivity(state, "Work");
        CActivity* design = AddActivity(state, "Design", work);
        AddTallymark(work, Date(2024, 3, 4, 21), Date(2024, 3, 4, 23));
        AddTallymark(design, Date(2024, 3, 10, 8), Date(2024, 3, 12, 8));
        AddTallymark(work, Date(2024, 3, 30, 8), CTallymark::GetNullDate());
        if (unindexed) {
            // Attached with its tally mark already in it, so the original never indexed it;
            // the copy has it, so its days are counted anew.
            CActivity* late = new CActivity(&state, "Late", true);
            AddTallymark(late, Date(2024, 3, 20, 8), Date(2024, 3, 20, 9));
            work->AddChildActivity(late, -1);
        }
        const CTallymarksByDate& original = state.GetTallymarksByDate();
        const std::vector<int> days = MarkedDays(original);
        EXPECT_EQ(days, (std::vector<int>{4, 5, 10, 11, 12, 30, 31}));
        std::vector<int> copiedDays = days;
        if (unindexed) {
            copiedDays.insert(copiedDays.begin() + 5, 20);
        }

        std::unique_ptr<CProjectState> clone = state.Clone();
        CTallymarksByDate& copy = clone->GetTallymarksByDate();
        EXPECT_EQ(copy.GetCount(), original.GetCount() + unindexed) << unindexed;
        EXPECT_EQ(MarkedDays(copy), copiedDays) << unindexed;
        EXPECT_EQ(copy.GetFirstStart(), original.GetFirstStart()) << unindexed;
        EXPECT_EQ(copy.GetLastEnd(), original.GetLastEnd()) << unindexed;

        // The copy's index follows the copied tally marks, and only those.
        CTallymark* first = copy.GetStartIndex().GetFirst().tallymark;
        EXPECT_EQ(first->GetActivity()->GetProjectState(), clone.get());
        first->SetEnd(Date(2024, 3, 6, 12));
        EXPECT_TRUE(copy.HasTallymarksOn(Date(2024, 3, 6, 12))) << unindexed;
        EXPECT_EQ(MarkedDays(original), days) << unindexed;
        delete first;
        EXPECT_EQ(copy.GetCount() + 1, original.GetCount() + unindexed) << unindexed;
        EXPECT_FALSE(copy.HasTallymarksOn(Date(2024, 3, 4, 12))) << unindexed;
        AddTallymark(clone->GetRootActivity()->GetFirstChild(), Date(2024, 3, 2, 8),
                     Date(2024, 3, 2, 9));
        EXPECT_EQ(copy.GetFirstStart(), Date(2024, 3, 2, 8)) << unindexed;
    }
    CModelTimeZone::Set(nullptr);
}

TEST(CProjectState, ACloneDefersItsReportsUntilCommitted) {
    SStateFixture f;
    f.state.SetName("P");
    f.state.ClearModified();
    f.state.SetSelectedActivity(f.home);
    std::unique_ptr<CProjectState> clone = f.state.Clone();
    CPartsLog cloneLog;
    cloneLog.Connect(clone.get());
    CActivity* design = clone->GetRootActivity()->GetFirstChild()->GetFirstChild();
    for (int i = 0; i < 5; ++i) {
        design->SetName("D" + std::to_string(i));
        AddTallymark(design, Date(2024, 4, i + 1, 8), Date(2024, 4, i + 1, 9));
    }
    EXPECT_TRUE(cloneLog.parts.empty());
    EXPECT_EQ(clone->GetModified().GetBits(), kSelected | kActivities | kMarks);
    f.log.parts.clear();
    clone->EndDeferral();
    EXPECT_EQ(cloneLog.parts, std::vector<int>{kActivities | kMarks});
    EXPECT_EQ(clone->GetModified().GetBits(), kSelected | kActivities | kMarks);
    EXPECT_TRUE(f.log.parts.empty());
    EXPECT_EQ(f.state.GetRootActivity()->GetFirstChild()->GetFirstChild()->GetName(), "Design");

    // Committed, the clone reports at once.
    clone->SetName("Q");
    EXPECT_EQ(cloneLog.parts, (std::vector<int>{kActivities | kMarks, kName}));

    // A clone left unchanged says nothing when it is committed.
    std::unique_ptr<CProjectState> unchanged = f.state.Clone();
    CPartsLog unchangedLog;
    unchangedLog.Connect(unchanged.get());
    unchanged->EndDeferral();
    EXPECT_TRUE(unchangedLog.parts.empty());
    EXPECT_EQ(unchanged->GetModified().GetBits(), kSelected);
}

TEST(CProjectState, TeardownAnnouncesNothing) {
    CPartsLog log;
    CStatsLog stats;
    {
        CPinnedClock clock(Date(2024, 5, 1, 12));
        CProjectState state;
        CActivity* work = AddActivity(state, "Work");
        CActivity* design = AddActivity(state, "Design", work);
        AddTallymark(design, Date(2024, 5, 1, 8), Date(2024, 5, 1, 9));
        AddTallymark(design, Date(2024, 5, 1, 10), CTallymark::GetNullDate());
        state.SetSelectedActivity(design);
        log.Connect(&state);
        stats.Connect(&state.GetStatUpdateNotifier());
    }
    EXPECT_TRUE(log.parts.empty());
    EXPECT_EQ(stats.count, 0);
    EXPECT_EQ(log.GetNumPeers(), 0u);
}

} // namespace
