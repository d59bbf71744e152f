#include "model/CProjectState.h"

#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CTallymark.h"

#include "ModelTestHelpers.h"
#include "StateTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using namespace modeltest;

// A state named P with Work (Design, Build) and Home, nothing modified, heard by a log.
struct SStateFixture {
    SStateFixture() {
        work = AddActivity(state, "Work");
        design = AddActivity(state, "Design", work);
        build = AddActivity(state, "Build", work);
        home = AddActivity(state, "Home");
        state.SetName("P");
        state.ClearModified();
        log.reports.clear();
    }
    CPinnedClock clock{Date(2024, 5, 1, 12)};
    CProjectState state;
    CActivity *work, *design, *build, *home;
    CPartsLog log{&state};
};

TEST(CProjectState, ReportsEachChangeWithItsParts) {
    using F = SStateFixture&;
    const struct {
        std::function<void(F)> change;
        const char* reports;
    } cases[] = {
        {[](F f) { f.state.SetName("P2"); }, "N"},
        {[](F f) { f.state.SetName("P"); }, ""},
        {[](F f) { f.state.SetSelectedActivity(f.home), f.state.SetSelectedActivity(f.home); },
         "S"},
        {[](F f) { AddActivity(f.state, "New", f.home); }, "A"},
        {[](F f) { f.home->AddChildActivity(f.build, 0); }, "A"},
        {[](F f) { f.design->SetName("design"), f.design->SetEnabled(false); }, "A A"},
        {[](F f) { AddTallymark(f.design, Date(2024, 5, 1, 8), Date(2024, 5, 1, 9)); }, "T"},
        {[](F f) { AddTallymark(f.design, Date(2024, 5, 1, 8)); }, "W T"},
        // Design, then the selected Build, then Work itself.
        {[](F f) { f.state.SetSelectedActivity(f.build), delete f.work; }, "S A S A A"},
        {[](F f) {
             f.state.SetSelectedActivity(f.build);
             f.state.GetRootActivity()->RemoveChildActivity(f.work, true);
             delete f.work;
         },
         "S S A"},
    };
    for (const auto& c : cases) {
        SStateFixture f;
        c.change(f);
        EXPECT_EQ(f.log.reports, c.reports);
        std::string all = c.reports;
        all.erase(std::remove(all.begin(), all.end(), ' '), all.end());
        const std::string modified = PartLetters(f.state.GetModified());
        EXPECT_EQ(modified.find_first_not_of(all), std::string::npos) << c.reports;
        EXPECT_EQ(all.find_first_not_of(modified), std::string::npos) << c.reports;
    }
}

TEST(CProjectState, FollowsTheRunningTallymark) {
    SStateFixture f;
    CTallymark* closed = AddTallymark(f.build, Date(2024, 5, 1, 8), Date(2024, 5, 1, 9));
    CTallymark* running = AddTallymark(f.design, Date(2024, 5, 1, 10));
    EXPECT_EQ(f.state.GetCurrentTallymark(), running);
    EXPECT_EQ(f.state.GetCurrentActivity(), f.design);
    running->SetActivity(f.home);
    EXPECT_EQ(f.state.GetCurrentActivity(), f.home);
    EXPECT_EQ(f.log.reports, "T W T W T W T");

    // Only the running tally mark (the open one that joined last) stops the work.
    CTallymark* newer = AddTallymark(f.build, Date(2024, 5, 1, 11));
    f.log.reports.clear();
    running->SetEnd(Date(2024, 5, 1, 12));
    EXPECT_EQ(f.state.GetCurrentTallymark(), newer);
    newer->SetEnd(Date(2024, 5, 1, 12));
    EXPECT_FALSE(f.state.IsWorking());
    EXPECT_EQ(f.state.GetCurrentActivity(), nullptr);
    delete AddTallymark(f.design, Date(2024, 5, 1, 11));
    closed->SetStart(Date(2024, 5, 1, 7));
    EXPECT_EQ(f.log.reports, "T W T W T W T T");
    EXPECT_FALSE(f.state.IsWorking());
}

TEST(CProjectState, TrackingOffRecordsAndReportsNothing) {
    SStateFixture f;
    f.state.Reset(false);
    f.state.SetName("Q");
    AddTallymark(f.design, Date(2024, 5, 1, 8));
    EXPECT_TRUE(f.state.IsWorking());
    EXPECT_TRUE(f.state.GetModified().IsEmpty());
    f.state.EnableTracking();
    f.state.SetName("R");
    f.state.SetSelectedActivity(f.build);
    f.state.Reset(true);
    EXPECT_EQ(f.log.reports, "N S");
    EXPECT_TRUE(f.state.GetModified().IsEmpty());
    EXPECT_EQ(f.state.GetRootActivity()->GetNumChildren(), 0);
    EXPECT_FALSE(f.state.IsWorking());
    EXPECT_EQ(f.state.GetSelectedActivity(), nullptr);
    EXPECT_EQ(f.state.GetTallymarksByDate().GetCount(), 0u);
}

TEST(CProjectState, ACloneCopiesEverythingAndSelectsByPosition) {
    SStateFixture f;
    f.state.SetName("Project");
    CTallymark* running = AddTallymark(f.build, Date(2024, 5, 1, 10));
    f.state.SetSelectedActivity(f.build);
    f.log.reports.clear();
    std::unique_ptr<CProjectState> clone = f.state.Clone();
    EXPECT_EQ(f.log.reports, "");
    EXPECT_EQ(clone->GetName(), "Project");
    EXPECT_EQ(PartLetters(clone->GetModified()), "NTSW");
    CActivity* build = clone->GetSelectedActivity();
    ASSERT_NE(build, nullptr);
    EXPECT_EQ(build->GetPath(), "Work\\Build");
    EXPECT_EQ(build->GetProjectState(), clone.get());
    ASSERT_TRUE(clone->IsWorking());
    EXPECT_NE(clone->GetCurrentTallymark(), running);
    EXPECT_EQ(clone->GetCurrentTallymark()->GetStart(), running->GetStart());
    EXPECT_EQ(clone->GetCurrentActivity(), build);

    // A selection without a counterpart selects nothing.
    CActivity stray(&f.state, "Stray", true);
    for (const char* name : {"A", "B", "C", "D"}) {
        stray.AddChildActivity(new CActivity(&f.state, name, true), -1);
    }
    f.state.SetSelectedActivity(stray.GetLastChild());
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
        AddTallymark(work, Date(2024, 3, 4, 21), Date(2024, 3, 4, 23));
        AddTallymark(AddActivity(state, "Design", work), Date(2024, 3, 10, 8),
                     Date(2024, 3, 12, 8));
        AddTallymark(work, Date(2024, 3, 30, 8));
        std::vector<int> copiedDays = {4, 5, 10, 11, 12, 30, 31};
        if (unindexed) {
            // Attached with a tally mark in it: the original never indexed it, the copy does.
            CActivity* late = new CActivity(&state, "Late", true);
            AddTallymark(late, Date(2024, 3, 20, 8), Date(2024, 3, 20, 9));
            work->AddChildActivity(late, -1);
            copiedDays.insert(copiedDays.begin() + 5, 20);
        }
        const CTallymarksByDate& original = state.GetTallymarksByDate();
        const std::vector<int> days = MarkedDays(original);
        std::unique_ptr<CProjectState> clone = state.Clone();
        CTallymarksByDate& copy = clone->GetTallymarksByDate();
        EXPECT_EQ(copy.GetCount(), original.GetCount() + unindexed);
        EXPECT_EQ(MarkedDays(copy), copiedDays);
        EXPECT_EQ(copy.GetLastEnd(), original.GetLastEnd());

        // The copy's index follows the copied tally marks, and only those.
        CTallymark* first = copy.GetStartIndex().GetFirst().tallymark;
        EXPECT_EQ(first->GetActivity()->GetProjectState(), clone.get());
        first->SetEnd(Date(2024, 3, 6, 12));
        EXPECT_TRUE(copy.HasTallymarksOn(Date(2024, 3, 6, 12)));
        delete first;
        EXPECT_FALSE(copy.HasTallymarksOn(Date(2024, 3, 4, 12)));
        EXPECT_EQ(copy.GetCount() + 1, original.GetCount() + unindexed);
        AddTallymark(clone->GetRootActivity()->GetFirstChild(), Date(2024, 3, 2, 8),
                     Date(2024, 3, 2, 9));
        EXPECT_EQ(copy.GetFirstStart(), Date(2024, 3, 2, 8));
        EXPECT_EQ(MarkedDays(original), days);
    }
    CModelTimeZone::Set(nullptr);
}

TEST(CProjectState, ACloneDefersItsReportsUntilCommitted) {
    SStateFixture f;
    f.state.SetSelectedActivity(f.home);
    std::unique_ptr<CProjectState> clone = f.state.Clone();
    CPartsLog cloneLog(clone.get());
    CActivity* design = clone->GetRootActivity()->GetFirstChild()->GetFirstChild();
    for (int i = 0; i < 5; ++i) {
        design->SetName("D" + std::to_string(i));
        AddTallymark(design, Date(2024, 4, i + 1, 8), Date(2024, 4, i + 1, 9));
    }
    EXPECT_EQ(cloneLog.reports, "");
    EXPECT_EQ(PartLetters(clone->GetModified()), "ATS");
    clone->EndDeferral();
    clone->SetName("Q");
    EXPECT_EQ(cloneLog.reports, "AT N");
    EXPECT_EQ(f.log.reports, "S");
    EXPECT_EQ(f.state.GetRootActivity()->GetFirstChild()->GetFirstChild()->GetName(), "Design");

    // A clone left unchanged says nothing when it is committed.
    std::unique_ptr<CProjectState> unchanged = f.state.Clone();
    CPartsLog unchangedLog(unchanged.get());
    unchanged->EndDeferral();
    EXPECT_EQ(unchangedLog.reports, "");
    EXPECT_EQ(PartLetters(unchanged->GetModified()), "S");
}

TEST(CProjectState, TeardownAnnouncesNothing) {
    CPinnedClock clock(Date(2024, 5, 1, 12));
    auto state = std::make_unique<CProjectState>();
    CActivity* design = AddActivity(*state, "Design", AddActivity(*state, "Work"));
    AddTallymark(design, Date(2024, 5, 1, 8), Date(2024, 5, 1, 9));
    AddTallymark(design, Date(2024, 5, 1, 10));
    state->SetSelectedActivity(design);
    CPartsLog log(state.get());
    CStatsLog stats;
    stats.Connect(&state->GetStatUpdateNotifier());
    state.reset();
    EXPECT_EQ(log.reports, "");
    EXPECT_EQ(stats.count, 0);
    EXPECT_EQ(log.GetNumPeers(), 0u);
}

} // namespace
