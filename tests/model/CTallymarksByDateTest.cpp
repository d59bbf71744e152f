#include "model/CTallymarksByDate.h"

#include "model/CActivity.h"
#include "model/CTallymark.h"

#include "ModelTestHelpers.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace modeltest;

TEST(CTallymarksByDate, CountsTheLocalDaysThatClosedTallymarksTouch) {
    // Universal times, seen from a zone two hours ahead.
    const struct {
        const char* name;
        CDateTime start, end;
        std::vector<int> days;
    } cases[] = {
        {"23:00-01:00 local", Date(2024, 3, 4, 21), Date(2024, 3, 4, 23), {4, 5}},
        {"after local midnight", Date(2024, 3, 4, 22, 30), Date(2024, 3, 4, 22, 45), {5}},
        {"ends at local midnight", Date(2024, 3, 5, 20), Date(2024, 3, 5, 22), {5, 6}},
        {"a week", Date(2024, 3, 10, 8), Date(2024, 3, 16, 8), {10, 11, 12, 13, 14, 15, 16}},
        {"end before start", Date(2024, 3, 10, 8), Date(2024, 3, 9, 8), {}},
    };
    CPinnedClock clock(Date(2024, 4, 1));
    for (const auto& c : cases) {
        STree tree(FixedZone(2));
        CTallymark* t = STree::Mark(tree.Add("Work"), c.start, c.end);
        EXPECT_EQ(MarkedDays(tree.index), c.days) << c.name;
        EXPECT_EQ(tree.index.GetFirstStart(), c.start) << c.name;
        EXPECT_EQ(tree.index.GetLastEnd(), c.end) << c.name;
        delete t;
        EXPECT_EQ(MarkedDays(tree.index), std::vector<int>{}) << c.name;
        EXPECT_EQ(tree.index.GetFirstStart(), CTallymark::GetNullDate()) << c.name;
        EXPECT_EQ(tree.index.GetLastEnd(), CTallymark::GetNullDate()) << c.name;
    }
}

TEST(CTallymarksByDate, FollowsMovedStartsAndEndsAndSharedDays) {
    CPinnedClock clock(Date(2024, 4, 1));
    STree tree;
    CActivity* work = tree.Add("Work");
    CTallymark* night = STree::Mark(work, Date(2024, 3, 4, 23), Date(2024, 3, 5, 1));
    CTallymark* morning = STree::Mark(work, Date(2024, 3, 4, 8), Date(2024, 3, 4, 9));
    EXPECT_EQ(MarkedDays(tree.index), (std::vector<int>{4, 5}));
    delete night;
    EXPECT_EQ(MarkedDays(tree.index), (std::vector<int>{4}));
    morning->SetStart(Date(2024, 3, 2, 8));
    EXPECT_EQ(MarkedDays(tree.index), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(tree.index.GetFirstStart(), Date(2024, 3, 2, 8));
    morning->SetEnd(Date(2024, 3, 3, 9));
    EXPECT_EQ(MarkedDays(tree.index), (std::vector<int>{2, 3}));
    EXPECT_EQ(tree.index.GetLastEnd(), Date(2024, 3, 3, 9));

    // The start index is in order of time, whatever the order of adding.
    STree::Mark(work, Date(2024, 3, 1, 8), Date(2024, 3, 1, 9));
    STree::Mark(work, Date(2024, 3, 20, 8), Date(2024, 3, 20, 9));
    CDateTime previous = CTallymark::GetNullDate();
    for (const STallymarkIndexEntry& entry : tree.index.GetStartIndex()) {
        EXPECT_LE(previous, entry.tallymark->GetStart());
        previous = entry.tallymark->GetStart();
    }
    EXPECT_EQ(tree.index.GetCount(), 3u);
}

TEST(CTallymarksByDate, TheRunningTallymarkMarksEachDayFromItsStartUpToToday) {
    CPinnedClock clock(Date(2024, 3, 6, 10));
    STree tree;
    CActivity* work = tree.Add("Work");
    STree::Mark(work, Date(2024, 3, 1, 8), Date(2024, 3, 1, 9));
    CTallymark* running = new CTallymark(work, Date(2024, 3, 4, 22));
    work->GetTallymarks().Add(running);
    EXPECT_EQ(MarkedDays(tree.index), (std::vector<int>{1, 4, 5, 6}));
    EXPECT_EQ(tree.index.GetCount(), 2u);
    EXPECT_EQ(tree.index.GetLastEnd(), Date(2024, 3, 6, 10));

    running->EndNow();
    clock.Set(Date(2024, 3, 8, 10));
    EXPECT_EQ(MarkedDays(tree.index), (std::vector<int>{1, 4, 5, 6}));
    EXPECT_EQ(tree.index.GetLastEnd(), Date(2024, 3, 6, 10));

    // Reopened: the days go, and it does not run.
    running->SetEnd(CTallymark::GetNullDate());
    EXPECT_EQ(MarkedDays(tree.index), (std::vector<int>{1}));
    EXPECT_EQ(tree.index.GetLastEnd(), Date(2024, 3, 1, 9));
    running->SetEnd(Date(2024, 3, 5, 2));
    EXPECT_EQ(MarkedDays(tree.index), (std::vector<int>{1, 4, 5}));
    EXPECT_EQ(tree.index.GetLastEnd(), Date(2024, 3, 5, 2));
}

TEST(CTallymarksByDate, OnlyTheRunningTallymarkItselfStopsTheRunning) {
    CPinnedClock clock(Date(2024, 3, 6, 10));
    for (bool closeOther : {true, false}) {
        STree tree;
        CActivity* work = tree.Add("Work");
        // A hand-edited file can hold two open tally marks; the one added last runs.
        CTallymark* other = new CTallymark(work, Date(2024, 3, 2, 8));
        work->GetTallymarks().Add(other);
        CTallymark* running = new CTallymark(work, Date(2024, 3, 4, 8));
        work->GetTallymarks().Add(running);
        if (closeOther) {
            other->SetEnd(Date(2024, 3, 2, 9));
        } else {
            delete other;
        }
        EXPECT_TRUE(tree.index.HasTallymarksOn(Date(2024, 3, 6))) << closeOther;
        EXPECT_EQ(tree.index.GetLastEnd(), Date(2024, 3, 6, 10)) << closeOther;
        delete running;
        EXPECT_FALSE(tree.index.HasTallymarksOn(Date(2024, 3, 6))) << closeOther;
    }
}

TEST(CTallymarksByDate, ATallymarkClosedAfterReopeningLeavesNoOldEndBehind) {
    STree tree;
    CActivity* work = tree.Add("Work");
    std::unique_ptr<CTallymark> t(STree::Mark(work, Date(2024, 3, 2, 8), Date(2024, 3, 2, 9)));
    t->SetEnd(CTallymark::GetNullDate());
    t->SetEnd(Date(2024, 3, 2, 10));
    // Given up but still alive: nothing of it may stay in the index.
    work->GetTallymarks().Remove(t.get());
    EXPECT_EQ(tree.index.GetCount(), 0u);
    EXPECT_EQ(tree.index.GetLastEnd(), CTallymark::GetNullDate());
    EXPECT_EQ(MarkedDays(tree.index), std::vector<int>{});
}

TEST(CTallymarksByDate, IndexesOnlyCollectionsOfActivitiesCreatedInTheTree) {
    STree tree;
    STree::Mark(&tree.root, Date(2024, 3, 2, 8), Date(2024, 3, 2, 9));
    CActivity* filled = new CActivity(nullptr, "Filled first", true);
    STree::Mark(filled, Date(2024, 3, 3, 8), Date(2024, 3, 3, 9));
    tree.root.AddChildActivity(filled, -1);
    EXPECT_EQ(tree.index.GetCount(), 0u);

    // A move is no creation: the collection is not connected twice.
    CActivity* a = tree.Add("A");
    CActivity* b = tree.Add("B");
    a->AddChildActivity(b, -1);
    CTallymark* t = STree::Mark(b, Date(2024, 3, 4, 8), Date(2024, 3, 4, 9));
    EXPECT_EQ(tree.index.GetCount(), 1u);
    delete t;
    EXPECT_EQ(tree.index.GetCount(), 0u);
    EXPECT_EQ(MarkedDays(tree.index), std::vector<int>{});
}

TEST(CTallymarksByDate, TheDefaultZoneIsTheOneSetForTheProcess) {
    const CTimeZone zone = FixedZone(-5);
    CTallymarksByDate::SetDefaultTimeZone(&zone);
    auto index = std::make_unique<CTallymarksByDate>();
    CTallymarksByDate::SetDefaultTimeZone(nullptr);
    CActivity root(nullptr, "", false);
    index->AttachTo(&root);
    CActivity* work = new CActivity(nullptr, "Work", true);
    root.AddChildActivity(work, -1);
    STree::Mark(work, Date(2024, 3, 4, 2), Date(2024, 3, 4, 3));
    EXPECT_EQ(MarkedDays(*index), std::vector<int>{3});
    root.DeleteChildren();
}

} // namespace
