#include "model/CTallymarks.h"

#include "library/text/CError.h"
#include "model/CActivity.h"
#include "model/CTallymark.h"

#include "ModelTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using namespace modeltest;

CDateTime Hour(int hour, int day = 4) {
    return Date(2024, 3, day, hour);
}

// The tally marks of a collection as sorted "start-end" hours ("open" for no end).
std::vector<std::string> Hours(CTallymarks& tallymarks) {
    std::vector<std::string> hours;
    for (CTallymark* t = tallymarks.GetFirst(); t != nullptr; t = tallymarks.GetNext()) {
        hours.push_back(std::to_string(t->GetStart().GetHour()) + "-" +
                        (t->IsOpen() ? "open" : std::to_string(t->GetEnd(false).GetHour())));
    }
    std::sort(hours.begin(), hours.end());
    return hours;
}

TEST(CTallymarks, AnnouncesOnlyRealAddsAndRemovesAndForgetsWhatLeft) {
    STree tree;
    CActivity* work = tree.Add("Work");
    CEventLog log;
    log.ListenTo(work->GetTallymarks());
    CTallymark* t = new CTallymark(work, Hour(9), Hour(10));
    log.Name(t, "t");

    CTallymarks& tallymarks = work->GetTallymarks();
    EXPECT_TRUE(tallymarks.Add(t));
    EXPECT_FALSE(tallymarks.Add(t));
    EXPECT_EQ(tallymarks.GetCount(), 1u);
    EXPECT_TRUE(tallymarks.Remove(t));
    EXPECT_FALSE(tallymarks.Remove(t));
    EXPECT_FALSE(tallymarks.HasTallymarks());
    EXPECT_EQ(tree.index.GetCount(), 0u);
    // Given up, the tally mark belongs to the caller and is no longer heard.
    t->SetActivity(tree.Add("Play"));
    delete t;
    EXPECT_EQ(log.lines, (Lines{"added t", "removed t"}));
}

TEST(CTallymarks, ATallymarkMovedAgainAndAgainLeavesEveryCollectionItPassed) {
    // Two tally marks on one day; the first travels and is then deleted, so the day must stay
    // marked until the second goes too.
    const struct {
        const char* name;
        std::vector<int> route; // activities after the first, by number
    } cases[] = {
        {"A-B", {1}}, {"A-B-C", {1, 2}}, {"A-B-A", {1, 0}}, {"A-B-A-B-C-A", {1, 0, 1, 2, 0}}};
    const CDateTime day = Date(2024, 3, 4);
    for (const auto& c : cases) {
        STree tree;
        CActivity* activities[] = {tree.Add("A"), tree.Add("B"), tree.Add("C")};
        CTallymark* traveller = STree::Mark(activities[0], Hour(9), Hour(10));
        CTallymark* stayer = STree::Mark(activities[0], Hour(11), Hour(12));
        CEventLog log;
        log.Name(traveller, "t");
        for (int i = 0; i < 3; ++i) {
            log.Name(activities[i], activities[i]->GetName());
            log.ListenTo(activities[i]->GetTallymarks());
        }

        Lines expected;
        for (int to : c.route) {
            ASSERT_NO_THROW(traveller->SetActivity(activities[to])) << c.name;
            expected.insert(expected.end(), {"removed t", "added t"});
        }
        const int last = c.route.back();
        EXPECT_EQ(log.lines, expected) << c.name;
        for (int i = 0; i < 3; ++i) {
            const size_t count = (i == last) + (i == 0);
            EXPECT_EQ(activities[i]->GetTallymarks().GetCount(), count) << c.name << " " << i;
        }
        EXPECT_EQ(tree.index.GetCount(), 2u) << c.name;

        log.lines.clear();
        delete traveller;
        EXPECT_EQ(log.lines, Lines{"removed t"}) << c.name;
        EXPECT_EQ(tree.index.GetCount(), 1u) << c.name;
        EXPECT_TRUE(tree.index.HasTallymarksOn(day)) << c.name;
        delete stayer;
        EXPECT_FALSE(tree.index.HasTallymarksOn(day)) << c.name;
        EXPECT_EQ(tree.index.GetCount(), 0u) << c.name;
    }
}

TEST(CTallymarks, ANoticeForAnotherActivityIsAnInternalError) {
    CActivity a(nullptr, "A", true), b(nullptr, "B", true), stranger(nullptr, "S", true);
    CTallymark* t = new CTallymark(&a, Hour(9), Hour(10));
    stranger.GetTallymarks().Add(t);
    try {
        t->SetActivity(&b);
        ADD_FAILURE() << "no error";
    } catch (const CError& error) {
        EXPECT_EQ(error.GetCode(), 1);
        EXPECT_EQ(error.GetText(), "internal program error;\nTallymarks::ActivityChangedEvent "
                                   "called for non-recognized activity");
    }
}

TEST(CTallymarks, ClearingAnnouncesEachTallymarkBeforeDeletingIt) {
    CActivity work(nullptr, "Work", true);
    CEventLog log;
    log.ListenTo(work.GetTallymarks());
    const char* names[] = {"a", "b", "c"};
    for (const char* name : names) {
        CTallymark* t = new CTallymark(&work, Hour(9), Hour(10));
        log.Name(t, name);
        log.ListenTo(t);
        work.GetTallymarks().Add(t);
    }
    log.lines.clear();
    work.GetTallymarks().Clear();
    EXPECT_FALSE(work.GetTallymarks().HasTallymarks());
    ASSERT_EQ(log.lines.size(), 6u);
    for (const char* name : names) {
        const auto removed =
            std::find(log.lines.begin(), log.lines.end(), "removed " + std::string(name));
        const auto deleted =
            std::find(log.lines.begin(), log.lines.end(), "deleted " + std::string(name));
        EXPECT_TRUE(removed != log.lines.end() && deleted == removed + 1) << name;
    }
    log.lines.clear();
    work.GetTallymarks().Clear();
    EXPECT_TRUE(log.lines.empty());
}

TEST(CTallymarks, IterationVisitsEachTallymarkOnceAlsoWhenTheCurrentOneIsDeleted) {
    for (int deleteAt : {-1, 0, 3, 6}) {
        CActivity work(nullptr, "Work", true);
        CTallymarks& tallymarks = work.GetTallymarks();
        EXPECT_EQ(tallymarks.GetFirst(), nullptr);
        std::set<CTallymark*> all;
        for (int i = 0; i < 7; ++i) {
            CTallymark* t = new CTallymark(&work, Hour(i), Hour(i + 1));
            all.insert(t);
            tallymarks.Add(t);
        }
        std::set<CTallymark*> seen;
        int position = 0;
        for (CTallymark* t = tallymarks.GetFirst(); t != nullptr; t = tallymarks.GetNext()) {
            EXPECT_TRUE(seen.insert(t).second) << deleteAt;
            if (position++ == deleteAt) {
                delete t;
            }
        }
        EXPECT_EQ(seen, all) << deleteAt;
        EXPECT_EQ(tallymarks.GetNext(), nullptr);
        EXPECT_EQ(tallymarks.GetCount(), deleteAt < 0 ? 7u : 6u);
    }
}

TEST(CTallymarks, CopyAllCopiesForTheTargetActivity) {
    CActivity work(nullptr, "Work", true), copy(nullptr, "Copy", true);
    EXPECT_FALSE(work.GetTallymarks().CopyAll(copy.GetTallymarks(), false));
    work.GetTallymarks().Add(new CTallymark(&work, Hour(9), Hour(10)));
    work.GetTallymarks().Add(new CTallymark(&work, Hour(11)));
    copy.GetTallymarks().Add(new CTallymark(&copy, Hour(1), Hour(2)));
    for (bool clear : {false, true}) {
        EXPECT_TRUE(work.GetTallymarks().CopyAll(copy.GetTallymarks(), clear));
        for (CTallymark* t = copy.GetTallymarks().GetFirst(); t != nullptr;
             t = copy.GetTallymarks().GetNext()) {
            EXPECT_EQ(t->GetActivity(), &copy);
        }
    }
    EXPECT_EQ(Hours(copy.GetTallymarks()), (std::vector<std::string>{"11-open", "9-10"}));
    EXPECT_EQ(Hours(work.GetTallymarks()), (std::vector<std::string>{"11-open", "9-10"}));
}

TEST(CTallymarks, CopyClippedCopiesThePartInsideThePeriodAndMovesItOut) {
    CPinnedClock clock(Hour(13));
    const struct {
        const char* name;
        int start, end; // -1: open
        std::vector<std::string> copied, leftAfterMove;
    } cases[] = {
        {"inside", 11, 12, {"11-12"}, {}},
        {"sticks out before", 8, 11, {"10-11"}, {"8-10"}},
        {"sticks out after", 13, 16, {"13-14"}, {"14-16"}},
        {"around", 8, 16, {"10-14"}, {"14-16", "8-10"}},
        {"outside", 15, 16, {}, {"15-16"}},
        {"touches the end", 14, 15, {"14-14"}, {"14-15"}},
        {"open inside", 12, -1, {"12-13"}, {}},
        {"open before", 9, -1, {"10-13"}, {"9-10"}},
    };
    for (bool move : {false, true}) {
        for (const auto& c : cases) {
            STree tree;
            CActivity* source = tree.Add("Source");
            CActivity* target = tree.Add("Target");
            if (c.end < 0) {
                source->GetTallymarks().Add(new CTallymark(source, Hour(c.start)));
            } else {
                STree::Mark(source, Hour(c.start), Hour(c.end));
            }
            const std::vector<std::string> before = Hours(source->GetTallymarks());
            const bool copied = source->GetTallymarks().CopyClipped(target->GetTallymarks(), false,
                                                                    move, Hour(10), Hour(14));
            EXPECT_EQ(copied, !c.copied.empty()) << c.name;
            EXPECT_EQ(Hours(target->GetTallymarks()), c.copied) << c.name;
            EXPECT_EQ(Hours(source->GetTallymarks()), move ? c.leftAfterMove : before) << c.name;
            EXPECT_EQ(tree.index.GetCount(),
                      c.copied.size() + (move ? c.leftAfterMove.size() : before.size()))
                << c.name;
        }
    }
}

} // namespace
