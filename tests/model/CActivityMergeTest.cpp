#include "model/CActivity.h"

#include "model/CTallymark.h"

#include "ModelTestHelpers.h"

#include <gtest/gtest.h>

namespace {

using namespace modeltest;

// "path:mergeMark:mergedFlag:count" of every activity below the root, depth first.
std::string Describe(const CActivity* activity) {
    std::string text;
    for (const CActivity* c = activity->GetFirstChild(); c != nullptr; c = c->GetNextSibling()) {
        text += c->GetPath() + ":" + std::to_string(c->GetMergeMark()) + ":" +
                std::to_string(c->HasMergedTallymarks()) + ":" +
                std::to_string(c->GetTallymarks().GetCount()) + " " + Describe(c);
    }
    return text;
}

struct SMerge {
    SMerge() {
        work = source.Add("Work");
        CActivity* mail = source.Add("mail", work);
        STree::Mark(mail, Date(2024, 3, 1, 8), Date(2024, 3, 1, 12));
        CActivity* x = source.Add("x");
        STree::Mark(x, Date(2024, 3, 1, 13), Date(2024, 3, 1, 14));
        STree::Mark(source.Add("X"), Date(2024, 3, 1, 15), Date(2024, 3, 1, 16));
        source.Add("empty");
        target.Add("WORK");
        all = {work, mail, x, x->GetNextSibling()};
    }
    void Merge(const CActivity::CActivitySet& chosen, bool move, int fromHour, int toHour) {
        target.root.MergeFrom(&source.root, chosen, Date(2024, 3, 1, fromHour),
                              Date(2024, 3, 1, toHour), move, copied, moved);
    }

    STree source, target;
    CActivity* work;
    CActivity::CActivitySet all;
    bool copied = true, moved = true;
};

TEST(CActivityMerge, NothingChosenLeavesTheTargetAsItWas) {
    SMerge merge;
    merge.Merge({}, true, 0, 23);
    EXPECT_EQ(Describe(&merge.target.root), "WORK:1:0:0 ");
    EXPECT_EQ(merge.target.root.GetMergeMark(), 1);
    EXPECT_FALSE(merge.copied);
    EXPECT_FALSE(merge.moved);
    EXPECT_EQ(merge.source.index.GetCount(), 3u);
}

TEST(CActivityMerge, CopiesIntoMatchingOrNewActivitiesIgnoringCase) {
    SMerge merge;
    merge.Merge(merge.all, false, 0, 23);
    EXPECT_EQ(Describe(&merge.target.root), "WORK:1:0:0 WORK\\mail:2:1:1 x:2:1:2 ");
    EXPECT_TRUE(merge.copied);
    EXPECT_FALSE(merge.moved);
    EXPECT_EQ(merge.target.index.GetCount(), 3u);
    EXPECT_EQ(merge.source.index.GetCount(), 3u);

    // A second merge resets the marks first; what it finds is matched, not created.
    merge.Merge({merge.work->GetFirstChild()}, false, 0, 23);
    EXPECT_EQ(Describe(&merge.target.root), "WORK:1:0:0 WORK\\mail:1:1:2 x:1:0:2 ");
}

TEST(CActivityMerge, MovingSplitsTallymarksAroundThePeriod) {
    SMerge merge;
    merge.Merge({merge.work->GetFirstChild()}, true, 9, 10);
    EXPECT_EQ(Describe(&merge.target.root), "WORK:1:0:0 WORK\\mail:2:1:1 ");
    EXPECT_TRUE(merge.copied);
    EXPECT_TRUE(merge.moved);
    // 8-9 and 10-12 stay behind.
    EXPECT_EQ(merge.work->GetFirstChild()->GetTallymarks().GetCount(), 2u);
    EXPECT_EQ(merge.source.index.GetCount(), 4u);
}

} // namespace
