// Costs of building and parsing wide elements: the arrays of an element must grow
// geometrically, so appending n contents reallocates them O(log n) times. Counted through
// the program's operator new, which this file replaces for the whole test program.
#include "XMLTestSupport.h"

#include <cstdlib>
#include <new>
#include <string>

// The sanitizers of the native build bring their own operator new; there the counts
// are not taken and only the resulting trees are checked.
#if defined(__SANITIZE_ADDRESS__)
#define TM_COUNT_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TM_COUNT_ALLOCATIONS 0
#endif
#endif
#ifndef TM_COUNT_ALLOCATIONS
#define TM_COUNT_ALLOCATIONS 1
#endif

namespace {

std::size_t g_allocations = 0;

} // namespace

#if TM_COUNT_ALLOCATIONS
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
#endif

namespace {

using GrowthTest = XMLTest;

const int kChildren = 100000;
// Two arrays (the kind's and the document order), each doubling: about 2 * log2(100,000)
// = 34 growths; appending one slot at a time would take 200,000.
const std::size_t kGrowthBound = 80;
// A parse cannot be stopped half-way; it gets fewer children, so that a quadratic growth
// fails by the count instead of running for minutes.
const int kParsedChildren = 20000;

// True once the allocations since `before` exceed the bound for `appended` contents, so
// that a loop can stop early.
bool Exceeded(std::size_t before, std::size_t perContent, int appended) {
    return g_allocations - before > perContent * appended + kGrowthBound;
}

TEST_F(GrowthTest, AppendingManyContentsReallocatesLogarithmically) {
    struct SCase {
        const char* name;
        int contents;
        std::size_t perContent; // records that each content itself needs
        void (*fill)(CXMLNode& parent, std::size_t& allocations);
    };
    const SCase cases[] = {
        {"AddChild", kChildren, 1,
         [](CXMLNode& parent, std::size_t& allocations) {
             const std::size_t before = g_allocations;
             for (int i = 0; i < kChildren && !Exceeded(before, 1, i); ++i) {
                 parent.AddChild("c");
             }
             allocations = g_allocations - before;
         }},
        {"AddText", kChildren, 0,
         [](CXMLNode& parent, std::size_t& allocations) {
             const std::size_t before = g_allocations;
             for (int i = 0; i < kChildren && !Exceeded(before, 0, i); ++i) {
                 parent.AddText("t");
             }
             allocations = g_allocations - before;
         }},
        {"AttachChild", kChildren, 0,
         [](CXMLNode& parent, std::size_t& allocations) {
             std::vector<CXMLNode> tops(kChildren);
             for (CXMLNode& top : tops) {
                 top = CXMLNode::CreateTopNode("c");
             }
             const std::size_t before = g_allocations;
             for (int i = 0; i < kChildren && !Exceeded(before, 0, i); ++i) {
                 parent.AttachChild(tops[i]);
             }
             allocations = g_allocations - before;
         }},
        {"ParseString", kParsedChildren, 1,
         [](CXMLNode& parent, std::size_t& allocations) {
             std::string text = "<r>";
             for (int i = 0; i < kParsedChildren; ++i) {
                 text += "<c/>";
             }
             text += "</r>";
             const std::size_t before = g_allocations;
             parent = CXMLNode::ParseString(text.c_str());
             allocations = g_allocations - before;
         }},
    };
    for (const SCase& c : cases) {
        CXMLNode parent = CXMLNode::CreateTopNode("r");
        std::size_t allocations = 0;
        c.fill(parent, allocations);
        if (TM_COUNT_ALLOCATIONS) {
            EXPECT_LE(allocations, c.perContent * c.contents + kGrowthBound) << c.name;
        }
        EXPECT_EQ(c.contents, parent.GetChildCount() + parent.GetTextCount()) << c.name;
    }
}

TEST_F(GrowthTest, AttachingAParseRootMovesItsChildrenInOnePass) {
    std::string text;
    for (int i = 0; i < kChildren; ++i) {
        text += "<c/>";
    }
    text += "tail";
    CXMLNode root = CXMLNode::ParseString(text.c_str());
    ASSERT_EQ(nullptr, root.GetName());
    CXMLNode target = CXMLNode::ParseString("<t>before<x/>after</t>");
    const std::size_t before = g_allocations;
    target.AttachChild(root, 1);
    if (TM_COUNT_ALLOCATIONS) {
        EXPECT_LE(g_allocations - before, 4u);
    }
    ASSERT_EQ(kChildren + 1, target.GetChildCount());
    EXPECT_EQ(1, target.GetOrderIndexOfChild(0));
    EXPECT_EQ(kChildren, target.GetOrderIndexOfChild(kChildren - 1));
    EXPECT_STREQ("x", target.GetChild(kChildren).GetName());
    EXPECT_EQ(kChildren + 1, target.GetOrderIndexOfChild(kChildren));
    EXPECT_EQ(kChildren + 2, target.GetOrderIndexOfText(1));
    EXPECT_STREQ("t", target.GetChild(0).GetParent().GetName());
    // The parse root keeps its text, now its only content.
    EXPECT_EQ(0, root.GetChildCount());
    EXPECT_STREQ("tail", root.GetText(0));
    EXPECT_EQ(0, root.GetOrderIndexOfText(0));
}

// A parsed start tag keeps its name and attribute strings in one block: each of them can
// still be replaced, removed or renamed on its own.
TEST_F(GrowthTest, StringsOfAParsedTagAreEditedOneByOne) {
    CXMLNode e = CXMLNode::ParseString("<e a=\"1\" flag b=\"x&amp;y\" c='3'>t</e>");
    ASSERT_EQ("<e a=1 flag b=x&y c=3>'t'</>", Dump(e));
    e.ReplaceAttribute(0, "A", "one");
    e.RemoveAttribute("b");
    e.Rename("renamed");
    e.ReplaceAttribute("flag", "flag", "on");
    EXPECT_EQ("<renamed A=one flag=on c=3>'t'</>", Dump(e));
    e.RemoveAttribute(2);
    e.Rename("again");
    EXPECT_EQ("<again A=one flag=on>'t'</>", Dump(e));
    CXMLNode copy = e.CloneTree();
    e.ClearAndDetach();
    EXPECT_EQ("<#></>", Dump(e));
    EXPECT_EQ("<again A=one flag=on>'t'</>", Dump(copy));
}

} // namespace
