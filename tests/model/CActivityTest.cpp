#include "model/CActivity.h"

#include "library/text/CError.h"
#include "model/CTallymark.h"

#include "ModelTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace modeltest;

// A tree with a log on its root; every activity is named in the log.
struct SLoggedTree : STree {
    SLoggedTree() {
        log.Name(&root, "root");
        log.ListenTo(&root);
    }
    CActivity* Make(const std::string& name, CActivity* parent = nullptr) {
        CActivity* activity = Add(name, parent);
        log.Name(activity, name);
        return activity;
    }
    // The children's names in order.
    static std::string Children(const CActivity* parent) {
        std::string names;
        for (const CActivity* c = parent->GetFirstChild(); c != nullptr; c = c->GetNextSibling()) {
            names += (names.empty() ? "" : " ") + c->GetName() + std::to_string(c->GetIndex());
        }
        return names;
    }
    CEventLog log;
};

TEST(CActivity, InsertsAtThePositionOrAppendsAndAnnouncesThroughTheRoot) {
    const struct {
        int position;
        const char* children;
    } cases[] = {{0, "new0 a1 b2 c3"},
                 {1, "a0 new1 b2 c3"},
                 {3, "a0 b1 c2 new3"},
                 {7, "a0 b1 c2 new3"},
                 {-1, "a0 b1 c2 new3"}};
    for (const auto& c : cases) {
        SLoggedTree tree;
        CActivity* parent = tree.Make("parent");
        for (const char* name : {"a", "b", "c"}) {
            tree.Make(name, parent);
        }
        CActivity* added = new CActivity(nullptr, "new", true);
        tree.log.Name(added, "new");
        tree.log.lines.clear();
        EXPECT_TRUE(parent->AddChildActivity(added, c.position));
        EXPECT_EQ(SLoggedTree::Children(parent), c.children) << c.position;
        EXPECT_EQ(added->GetDepth(), 2);
        EXPECT_EQ(added->GetTreeRoot(), &tree.root);
        EXPECT_EQ(tree.log.lines, Lines{"new new parent"}) << c.position;
    }
}

TEST(CActivity, MovingAnnouncesOneMoveAndRefusesCycles) {
    SLoggedTree tree;
    CActivity* a = tree.Make("a");
    CActivity* b = tree.Make("b");
    CActivity* deep = tree.Make("deep", tree.Make("a1", a));
    tree.log.lines.clear();
    EXPECT_TRUE(b->AddChildActivity(a, 0));
    EXPECT_EQ(tree.log.lines, Lines{"moved a b from root"});
    EXPECT_EQ(deep->GetDepth(), 4);
    EXPECT_EQ(deep->GetPath(), "b\\a\\a1\\deep");

    tree.log.lines.clear();
    EXPECT_FALSE(deep->AddChildActivity(a, 0));
    EXPECT_FALSE(a->AddChildActivity(a, 0));
    EXPECT_FALSE(a->AddChildActivity(nullptr, 0));
    EXPECT_TRUE(tree.log.lines.empty());
    EXPECT_EQ(a->GetParent(), b);
}

TEST(CActivity, DetachingAnnouncesOnlyWhenAskedAndRefusesStrangers) {
    SLoggedTree tree;
    CActivity* a = tree.Make("a");
    CActivity* b = tree.Make("b");
    CActivity* child = tree.Make("child", a);
    tree.log.lines.clear();
    try {
        b->RemoveChildActivity(child, true);
        ADD_FAILURE() << "no error";
    } catch (const CError& error) {
        EXPECT_EQ(error.GetCode(), 1);
        EXPECT_EQ(error.GetText(), "internal program error;\nActivity::RemoveChildActivity "
                                   "called when activity is not a child.");
    }
    EXPECT_EQ(child->GetParent(), a);
    a->RemoveChildActivity(child, false);
    EXPECT_EQ(child->GetTreeRoot(), child);
    a->AddChildActivity(child, 0);
    a->RemoveChildActivity(child, true);
    EXPECT_EQ(tree.log.lines, (Lines{"new child a", "activity-removed child"}));
    EXPECT_EQ(child->GetPath(), "");
    delete child;
}

TEST(CActivity, AnnouncesRealChangesOfNameAndFlagAndPathsFollowThem) {
    SLoggedTree tree;
    CActivity* top = tree.Make("Top");
    CActivity* middle = tree.Make("Middle", top);
    CActivity* leaf = tree.Make("Leaf", middle);
    EXPECT_EQ(tree.root.GetPath(), "");
    EXPECT_EQ(top->GetPath(), "Top");
    EXPECT_EQ(leaf->GetPath(), "Top\\Middle\\Leaf");
    tree.log.lines.clear();
    top->SetName("Top");
    top->SetEnabled(true);
    top->SetName("TOP");
    top->SetEnabled(false);
    top->SetEnabled(false);
    middle->SetName("Mid");
    EXPECT_EQ(tree.log.lines, (Lines{"modified Top", "modified Top", "modified Middle"}));
    EXPECT_EQ(leaf->GetPath(), "TOP\\Mid\\Leaf");
    tree.root.AddChildActivity(middle, -1);
    EXPECT_EQ(leaf->GetPath(), "Mid\\Leaf");
}

TEST(CActivity, DestructionAnnouncesDescendantsFirstThenTheTallymarks) {
    SLoggedTree tree;
    CActivity* a = tree.Make("a");
    CActivity* a1 = tree.Make("a1", a);
    tree.Make("a1x", a1);
    tree.Make("a2", a);
    CTallymark* t = STree::Mark(a, Date(2024, 3, 1, 8), Date(2024, 3, 1, 9));
    tree.log.Name(t, "t");
    tree.log.ListenTo(a->GetTallymarks());
    tree.log.lines.clear();
    delete a;
    EXPECT_EQ(tree.log.lines, (Lines{"activity-removed a1x", "activity-removed a1",
                                     "activity-removed a2", "activity-removed a", "removed t"}));
    EXPECT_EQ(tree.root.GetNumChildren(), 0);
    EXPECT_EQ(tree.index.GetCount(), 0u);
}

TEST(CActivity, StartsAnOpenTallymarkNowAndTellsWhereTallymarksAre) {
    CPinnedClock clock(Date(2024, 3, 1, 9));
    STree tree;
    CActivity* a = tree.Add("a");
    CActivity* leaf = tree.Add("leaf", tree.Add("a1", a));
    EXPECT_FALSE(a->HasTallymarks(true));
    CTallymark* t = leaf->StartTallymark();
    EXPECT_TRUE(t->IsOpen());
    EXPECT_EQ(t->GetStart(), Date(2024, 3, 1, 9));
    EXPECT_EQ(t->GetActivity(), leaf);
    EXPECT_EQ(leaf->GetTallymarks().GetCount(), 1u);
    EXPECT_TRUE(tree.index.HasTallymarksOn(Date(2024, 3, 1)));
    EXPECT_FALSE(a->HasTallymarks(false));
    EXPECT_TRUE(a->HasTallymarks(true));
}

TEST(CActivity, RemoveUnusedKeepsActivitiesWithTallymarksAndTheirAncestors) {
    SLoggedTree tree;
    CActivity* a = tree.Make("a");
    CActivity* a1 = tree.Make("a1", a);
    tree.Make("a1x", a1);
    CActivity* b = tree.Make("b");
    CActivity* b1 = tree.Make("b1", b);
    tree.Make("b1x", b1);
    tree.Make("b2", b);
    STree::Mark(b1, Date(2024, 3, 1, 8), Date(2024, 3, 1, 9));
    tree.Make("c");
    tree.log.lines.clear();
    EXPECT_FALSE(tree.root.RemoveUnused());
    EXPECT_EQ(SLoggedTree::Children(&tree.root), "b0");
    EXPECT_EQ(SLoggedTree::Children(b), "b10");
    EXPECT_EQ(b1->GetNumChildren(), 0);
    EXPECT_EQ(std::count(tree.log.lines.begin(), tree.log.lines.end(), "activity-removed a"), 1);
    EXPECT_EQ(tree.log.lines.size(), 6u);
    EXPECT_TRUE(b1->RemoveUnused());
}

TEST(CActivity, CopyToCopiesTheSubtreeWithOrWithoutTallymarks) {
    for (bool withRecords : {false, true}) {
        STree source, target;
        CActivity* a = source.Add("a");
        a->SetEnabled(false);
        CActivity* a1 = source.Add("a1", a);
        source.Add("a2", a);
        STree::Mark(a1, Date(2024, 3, 1, 8), Date(2024, 3, 1, 9));
        CActivity* copy = target.Add("old");
        target.Add("old child", copy);
        EXPECT_TRUE(a->CopyTo(copy, true, withRecords));
        EXPECT_EQ(copy->GetName(), "a");
        EXPECT_FALSE(copy->IsEnabled());
        EXPECT_EQ(SLoggedTree::Children(copy), "a10 a21");
        EXPECT_TRUE(copy->GetFirstChild()->IsEnabled());
        EXPECT_EQ(copy->HasTallymarks(true), withRecords);
        EXPECT_EQ(target.index.GetCount(), withRecords ? 1u : 0u);
        if (withRecords) {
            EXPECT_EQ(copy->GetFirstChild()->GetTallymarks().GetFirst()->GetActivity(),
                      copy->GetFirstChild());
        }
        EXPECT_EQ(source.index.GetCount(), 1u);
        EXPECT_FALSE(a->CopyTo(a1, true, true));
        EXPECT_FALSE(a->CopyTo(a, true, true));
    }
}

} // namespace
