#include "library/trees/CTreeNode.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A node that reports its destruction by name.
class CNode : public CTreeNode<CNode> {
public:
    CNode(std::string name, std::vector<std::string>* deleted)
        : m_name(std::move(name)), m_deleted(deleted) {}
    ~CNode() override {
        if (m_deleted != nullptr) {
            m_deleted->push_back(m_name);
        }
    }
    const std::string& GetName() const { return m_name; }

private:
    std::string m_name;
    std::vector<std::string>* m_deleted;
};

// Checks every link, index and depth of node's subtree; gives the names in depth-first order.
std::string CheckSubtree(const CNode* node) {
    std::string names = node->GetName();
    const CNode* prev = nullptr;
    std::int32_t index = 0;
    for (const CNode* child = node->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        EXPECT_EQ(child->GetParent(), node) << child->GetName();
        EXPECT_EQ(child->GetPrevSibling(), prev) << child->GetName();
        EXPECT_EQ(child->GetIndex(), index) << child->GetName();
        EXPECT_EQ(child->GetDepth(), node->GetDepth() + 1) << child->GetName();
        names += (prev == nullptr ? "(" : " ") + CheckSubtree(child);
        prev = child;
        ++index;
    }
    EXPECT_EQ(node->GetLastChild(), prev) << node->GetName();
    EXPECT_EQ(node->GetNumChildren(), index) << node->GetName();
    return prev == nullptr ? names : names + ")";
}

class CTreeNodeTest : public ::testing::Test {
protected:
    CNode* New(const std::string& name) { return new CNode(name, &m_deleted); }
    // A root with children named by the letters of names.
    CNode* Family(const std::string& root, const std::string& names) {
        CNode* parent = New(root);
        for (char name : names) {
            EXPECT_TRUE(parent->InsertChild(New(std::string(1, name)), -1));
        }
        return parent;
    }

    std::vector<std::string> m_deleted;
};

TEST_F(CTreeNodeTest, AppendedChildrenAreNumberedAtTheParentsDepthPlusOne) {
    CNode* top = Family("top", "p");
    CNode* p = top->GetFirstChild();
    for (const char* name : {"a", "b", "c"}) {
        EXPECT_TRUE(p->InsertChild(New(name), p->GetNumChildren()));
    }
    EXPECT_EQ(CheckSubtree(top), "top(p(a b c))");
    EXPECT_EQ(p->GetLastChild()->GetIndex(), 2);
    EXPECT_EQ(p->GetLastChild()->GetDepth(), 2);
    EXPECT_EQ(p->GetNumChildren(), 3);
    delete top;
}

TEST_F(CTreeNodeTest, InsertPlacesAtThePositionOrAppendsOutOfRange) {
    struct Case {
        std::int32_t position;
        const char* expected;
    };
    const Case cases[] = {
        {0, "r(x a b c)"},  {1, "r(a x b c)"}, {2, "r(a b x c)"},         {3, "r(a b c x)"},
        {-1, "r(a b c x)"}, {7, "r(a b c x)"}, {INT32_MIN, "r(a b c x)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        CNode* root = Family("r", "abc");
        EXPECT_TRUE(root->InsertChild(New("x"), c.position));
        EXPECT_EQ(CheckSubtree(root), c.expected);
        delete root;
    }
}

TEST_F(CTreeNodeTest, MovingWithinTheSameParentCountsPositionsWithoutTheMovedChild) {
    struct Case {
        int child;
        std::int32_t position;
        const char* expected;
    };
    const Case cases[] = {
        {0, 2, "r(b c a d)"}, {3, 0, "r(d a b c)"}, {1, 1, "r(a b c d)"},
        {1, 3, "r(a c d b)"}, {1, 9, "r(a c d b)"},
    };
    for (const Case& c : cases) {
        CNode* root = Family("r", "abcd");
        CNode* child = root->GetFirstChild();
        for (int i = 0; i < c.child; ++i) {
            child = child->GetNextSibling();
        }
        EXPECT_TRUE(root->InsertChild(child, c.position));
        EXPECT_EQ(CheckSubtree(root), c.expected) << c.child << " to " << c.position;
        delete root;
    }
}

TEST_F(CTreeNodeTest, MovingASubtreeSetsEveryDepthAndRenumbersTheOldParent) {
    CNode* root = Family("r", "ab");
    CNode* a = root->GetFirstChild();
    CNode* deep = Family("d", "");
    a->InsertChild(deep, 0);
    CNode* moved = Family("m", "xy");
    moved->GetFirstChild()->InsertChild(New("z"), 0);
    root->InsertChild(moved, 0);
    EXPECT_EQ(CheckSubtree(root), "r(m(x(z) y) a(d) b)");

    deep->InsertChild(moved, 0);
    EXPECT_EQ(CheckSubtree(root), "r(a(d(m(x(z) y))) b)");
    EXPECT_EQ(moved->GetFirstChild()->GetFirstChild()->GetDepth(), 5);
    EXPECT_EQ(root->GetNumDescendants(), 7);
    delete root;
    EXPECT_EQ(m_deleted.size(), 8u);
}

TEST_F(CTreeNodeTest, InsertRefusesNullItselfAndItsAncestors) {
    CNode* root = Family("r", "ab");
    CNode* a = root->GetFirstChild();
    a->InsertChild(New("c"), 0);
    CNode* c = a->GetFirstChild();
    EXPECT_FALSE(c->InsertChild(c, 0));
    EXPECT_FALSE(c->InsertChild(a, 0));
    EXPECT_FALSE(c->InsertChild(root, 0));
    EXPECT_FALSE(a->InsertChild(nullptr, 0));
    EXPECT_EQ(CheckSubtree(root), "r(a(c) b)");
    EXPECT_EQ(root->GetParent(), nullptr);
    delete root;
}

TEST_F(CTreeNodeTest, UnlinkMakesARootAndRenumbersTheSiblings) {
    CNode* root = Family("r", "abc");
    CNode* b = root->GetFirstChild()->GetNextSibling();
    b->InsertChild(New("x"), 0);
    b->Unlink();
    EXPECT_EQ(CheckSubtree(root), "r(a c)");
    EXPECT_EQ(CheckSubtree(b), "b(x)");
    EXPECT_EQ(b->GetParent(), nullptr);
    EXPECT_EQ(b->GetIndex(), 0);
    EXPECT_EQ(b->GetDepth(), 0);
    b->Unlink();
    EXPECT_EQ(CheckSubtree(b), "b(x)");
    delete b;
    delete root;
}

TEST_F(CTreeNodeTest, DeletingAChildLeavesItsSiblingsConsistent) {
    for (int victim = 0; victim < 3; ++victim) {
        CNode* root = Family("r", "abc");
        CNode* child = root->GetFirstChild();
        for (int i = 0; i < victim; ++i) {
            child = child->GetNextSibling();
        }
        const std::string name = child->GetName();
        delete child;
        std::string expected = "r(abc)";
        expected.erase(expected.find(name), 1);
        expected.insert(3, " ");
        EXPECT_EQ(CheckSubtree(root), expected);
        delete root;
    }
}

TEST_F(CTreeNodeTest, DeletingARootDeletesItsWholeSubtreeDepthFirst) {
    CNode* root = Family("r", "ab");
    for (CNode* child = root->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        for (const char* suffix : {"1", "2"}) {
            child->InsertChild(New(child->GetName() + suffix), -1);
        }
    }
    EXPECT_EQ(root->GetNumDescendants(), 6);
    EXPECT_EQ(root->GetFirstChild()->GetNumDescendants(), 2);
    delete root;
    EXPECT_EQ(m_deleted, (std::vector<std::string>{"r", "a", "a1", "a2", "b", "b1", "b2"}));
}

TEST_F(CTreeNodeTest, DeepChainsAreWalkedWithoutRecursion) {
    constexpr int levels = 1000;
    CNode* top = New("top");
    CNode* leaf = top;
    for (int i = 0; i < levels; ++i) {
        CNode* next = New("n");
        leaf->InsertChild(next, 0);
        leaf = next;
    }
    EXPECT_EQ(leaf->GetDepth(), levels);
    EXPECT_EQ(top->GetNumDescendants(), levels);
    CNode* chain = top->GetFirstChild();
    chain->Unlink();
    EXPECT_EQ(leaf->GetDepth(), levels - 1);
    CNode* holder = Family("h", "x");
    holder->GetFirstChild()->InsertChild(chain, 0);
    EXPECT_EQ(leaf->GetDepth(), levels + 1);
    delete holder;
    delete top;
    EXPECT_EQ(m_deleted.size(), static_cast<std::size_t>(levels + 3));
}

} // namespace

namespace {

// Positions stay right through any mix of first-child removals and insertions at the
// front, which move the parent's index base instead of renumbering the siblings.
TEST_F(CTreeNodeTest, FrontRemovalsAndInsertionsKeepPositions) {
    CNode* root = Family("r", "abcde");
    delete root->GetFirstChild(); // a
    EXPECT_EQ(CheckSubtree(root), "r(b c d e)");
    root->InsertChild(New("x"), 0);
    root->InsertChild(New("y"), 0);
    EXPECT_EQ(CheckSubtree(root), "r(y x b c d e)");
    CNode* c = root->GetFirstChild()->GetNextSibling()->GetNextSibling()->GetNextSibling();
    root->GetFirstChild()->InsertChild(c, -1); // c moves under y
    EXPECT_EQ(CheckSubtree(root), "r(y(c) x b d e)");
    root->InsertChild(root->GetLastChild(), 0); // e to the front
    EXPECT_EQ(CheckSubtree(root), "r(e y(c) x b d)");
    std::vector<CNode*> unlinked;
    while (root->GetFirstChild() != nullptr) {
        unlinked.push_back(root->GetFirstChild());
        unlinked.back()->Unlink();
        EXPECT_EQ(unlinked.back()->GetIndex(), 0);
    }
    EXPECT_EQ(root->GetNumChildren(), 0);
    root->InsertChild(New("z"), 5);
    EXPECT_EQ(CheckSubtree(root), "r(z)");
    delete root;
    for (CNode* node : unlinked) {
        delete node;
    }
}

} // namespace

namespace {

// Trees far deeper than the stack allows recursion for are built and deleted, in the same
// order as a shallow one: a parent before its children, children first to last.
TEST_F(CTreeNodeTest, DeepTreesAreDeletedWithoutRecursion) {
    constexpr int levels = 200000;
    CNode* top = New("top");
    CNode* leaf = top;
    for (int i = 0; i < levels; ++i) {
        CNode* next = New(i % 2 == 0 ? "e" : "o");
        EXPECT_TRUE(leaf->InsertChild(next, -1));
        // A second child beside every tenth level, with a child of its own.
        if (i % 10 == 0) {
            CNode* side = New("s");
            leaf->InsertChild(side, -1);
            side->InsertChild(New("t"), -1);
        }
        leaf = next;
    }
    EXPECT_EQ(leaf->GetDepth(), levels);
    EXPECT_FALSE(leaf->InsertChild(top, -1));
    delete top;
    ASSERT_EQ(m_deleted.size(), static_cast<std::size_t>(levels + 1 + 2 * (levels / 10)));
    // Depth-first: every level's chain child and its whole subtree before the side branch.
    std::size_t at = 0;
    EXPECT_EQ(m_deleted[at++], "top");
    for (int i = 0; i < levels; ++i) {
        ASSERT_EQ(m_deleted[at++], i % 2 == 0 ? "e" : "o") << i;
    }
    for (int i = 0; i < levels / 10; ++i) {
        ASSERT_EQ(m_deleted[at++], "s") << i;
        ASSERT_EQ(m_deleted[at++], "t") << i;
    }
}

} // namespace
