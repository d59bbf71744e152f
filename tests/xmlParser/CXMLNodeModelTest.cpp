#include "XMLTestSupport.h"

#include "xmlParser/XMLTextConversion.h"

#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

using ModelTest = XMLTest;

char* Allocated(const char* text) {
    char* copy = static_cast<char*>(std::malloc(std::strlen(text) + 1));
    std::strcpy(copy, text);
    return copy;
}

// <e x="1" flag> 'one' <c1/> [CDATA] 'two' <c2/> </e>
CXMLNode Sample() {
    CXMLNode e = CXMLNode::CreateTopNode("e");
    e.AddAttribute("x", "1");
    e.AddAttribute("flag", nullptr);
    e.AddText("one");
    e.AddChild("c1");
    e.AddClearContent("raw");
    e.AddText("two");
    e.AddChild("c2");
    return e;
}

TEST_F(ModelTest, EveryReadOnTheEmptyNodeGivesTheNothingAnswer) {
    const CXMLNode empty;
    int running = 0;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(nullptr, empty.GetName());
    EXPECT_FALSE(empty.IsDeclarationNode());
    EXPECT_TRUE(empty.GetParent().IsEmpty());
    EXPECT_EQ(0, empty.GetChildCount() + empty.GetTextCount() + empty.GetClearCount() +
                     empty.GetAttributeCount() + empty.GetContentCount() +
                     empty.CountChildren("a"));
    EXPECT_TRUE(empty.GetChild(0).IsEmpty());
    EXPECT_TRUE(empty.FindChild("a", &running).IsEmpty());
    EXPECT_TRUE(empty.FindNthChild("a", -1).IsEmpty());
    EXPECT_TRUE(empty.FindChildWithAttribute("a", "b").IsEmpty());
    EXPECT_EQ(0, running);
    EXPECT_EQ(nullptr, empty.GetText());
    EXPECT_EQ(nullptr, empty.GetClearContent().value);
    EXPECT_EQ(nullptr, empty.GetAttributeAt(0).name);
    EXPECT_EQ(nullptr, empty.GetAttribute("a"));
    EXPECT_FALSE(empty.HasAttribute("a"));
    EXPECT_EQ(xcNone, empty.GetContentAt(0).kind);
    EXPECT_EQ(-1, empty.GetOrderIndexOfChild(0));
    EXPECT_EQ(nullptr, empty.CreateText());
}

TEST_F(ModelTest, IndexesOutOfRangeNegativeOnesIncludedGiveTheNothingAnswer) {
    const CXMLNode e = Sample();
    for (int index : {-1, -2, -1000000, 2, 3, 1000000}) {
        SCOPED_TRACE(index);
        EXPECT_TRUE(e.GetChild(index).IsEmpty());
        EXPECT_EQ(nullptr, e.GetText(index));
        EXPECT_EQ(nullptr, e.GetClearContent(index < 0 ? index : index - 1).value);
        EXPECT_EQ(nullptr, e.GetAttributeAt(index).name);
        EXPECT_EQ(nullptr, e.GetAttributeNameAt(index));
        EXPECT_EQ(nullptr, e.GetAttributeValueAt(index));
        EXPECT_EQ(xcNone, e.GetContentAt(index < 0 ? index : index + 5).kind);
        EXPECT_EQ(-1, e.GetOrderIndexOfChild(index));
        EXPECT_EQ(-1, e.GetOrderIndexOfText(index));
        EXPECT_EQ(-1, e.GetOrderIndexOfClear(index < 0 ? index : index - 1));
        EXPECT_EQ(nullptr, e.GetAttribute("x", index < 0 ? index : index - 1));
    }
}

TEST_F(ModelTest, ContentsListAttributesFirstThenDocumentOrder) {
    const CXMLNode e = Sample();
    EXPECT_EQ(7, e.GetContentCount());
    const EXMLContentKind kinds[] = {xcAttribute, xcAttribute, xcText, xcChild,
                                     xcClear,     xcText,      xcChild};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(kinds[i], e.GetContentAt(i).kind) << i;
    }
    EXPECT_STREQ("two", e.GetContentAt(5).text);
    EXPECT_STREQ("c2", e.GetContentAt(6).child.GetName());
    EXPECT_STREQ("raw", e.GetContentAt(4).clear.value);
    EXPECT_STREQ("<![CDATA[", e.GetContentAt(4).clear.openTag);
    EXPECT_STREQ("]]>", e.GetContentAt(4).clear.closeTag);
    EXPECT_EQ(3, e.GetOrderIndexOfText(1));
    EXPECT_EQ(3, e.GetOrderIndexOfText(e.GetText(1)));
    EXPECT_EQ(2, e.GetOrderIndexOfClear(e.GetClearContent(0).value));
    EXPECT_EQ(4, e.GetOrderIndexOfChild(e.GetChild(1)));
    EXPECT_EQ(1, e.GetOrderIndexOfChild("C1", 0));
    EXPECT_EQ(-1, e.GetOrderIndexOfChild("c1", 1));
}

TEST_F(ModelTest, LookupsCompareNamesWithoutCase) {
    CXMLNode e = CXMLNode::CreateTopNode("e");
    for (const char* name : {"item", "other", "ITEM", "Item"}) {
        e.AddChild(name).AddAttribute("Id", name);
    }
    int running = 0;
    std::string found;
    for (CXMLNode c; !(c = e.FindChild("item", &running)).IsEmpty();) {
        found += c.GetAttribute("id");
    }
    EXPECT_EQ("itemITEMItem", found);
    EXPECT_EQ(4, running);
    EXPECT_EQ(3, e.CountChildren("iTeM"));
    EXPECT_STREQ("ITEM", e.FindNthChild("item", 1).GetAttribute("ID"));
    EXPECT_STREQ("Item", e.FindNthChild("item", -1).GetAttribute("ID"));
    EXPECT_TRUE(e.FindNthChild("item", 3).IsEmpty());

    running = 0;
    std::string withAttribute;
    for (CXMLNode c; !(c = e.FindChildWithAttribute("item", "ID", "iTEm", &running)).IsEmpty();) {
        withAttribute += c.GetName();
    }
    EXPECT_EQ("itemITEMItem", withAttribute);
    EXPECT_STREQ("other", e.FindChildWithAttribute("OTHER", "id").GetName());
    EXPECT_TRUE(e.FindChildWithAttribute("item", "id", "none").IsEmpty());
    running = 5;
    EXPECT_TRUE(e.FindChild("item", &running).IsEmpty());
    running = -1;
    EXPECT_TRUE(e.FindChild("item", &running).IsEmpty());
    EXPECT_EQ(-1, running);
}

TEST_F(ModelTest, AttributesKeepCaseBlindNamesDuplicatesAndMissingValues) {
    CXMLNode e = CXMLNode::CreateTopNode("e");
    e.AddAttribute("A", "first");
    EXPECT_EQ(nullptr, e.GetAttribute("a", 1));
    EXPECT_STREQ("first", e.GetAttribute("a", 0));
    e.AddAttribute("a", "second");
    EXPECT_STREQ("second", e.GetAttribute("A", 1));
    e.AddAttribute("open", nullptr);
    EXPECT_TRUE(e.HasAttribute("OPEN"));
    EXPECT_EQ(nullptr, e.GetAttribute("open"));
    EXPECT_EQ(nullptr, e.AddAttribute(nullptr, "v").name);
    EXPECT_EQ(3, e.GetAttributeCount());
}

struct SInsertCase {
    const char* name;
    std::function<void(CXMLNode&)> build;
    const char* expected;
};

TEST_F(ModelTest, PositionsInsertIntoDocumentOrderAndRenumberTheKind) {
    const SInsertCase cases[] = {
        {"text before the only child",
         [](CXMLNode& e) {
             e.AddChild("c");
             e.AddText("t", 0);
         },
         "<e>'t'<c></></>"},
        {"text before an earlier text",
         [](CXMLNode& e) {
             e.AddText("t0");
             e.AddChild("c");
             e.AddText("new", 0);
         },
         "<e>'new''t0'<c></></>"},
        {"no later text: last of its kind, still at the position",
         [](CXMLNode& e) {
             e.AddText("t0");
             e.AddChild("c");
             e.AddText("new", 1);
         },
         "<e>'t0''new'<c></></>"},
        {"child between children",
         [](CXMLNode& e) {
             e.AddChild("a");
             e.AddText("t");
             e.AddChild("c");
             e.AddChild("b", false, 2);
         },
         "<e><a></>'t'<b></><c></></>"},
        {"position past the end or below -1 appends",
         [](CXMLNode& e) {
             e.AddText("t");
             e.AddClearContent("x", "<!--", "-->", 99);
             e.AddChild("c", false, -7);
         },
         "<e>'t'[<!--|x|-->]<c></></>"},
    };
    for (const SInsertCase& test : cases) {
        CXMLNode e = CXMLNode::CreateTopNode("e");
        test.build(e);
        EXPECT_EQ(test.expected, Dump(e)) << test.name;
    }
    CXMLNode e = CXMLNode::CreateTopNode("e");
    e.AddText("t0");
    e.AddChild("c");
    e.AddText("new", 0);
    EXPECT_STREQ("new", e.GetText(0));
    EXPECT_STREQ("t0", e.GetText(1));
    EXPECT_EQ(1, e.GetOrderIndexOfText(1));
}

TEST_F(ModelTest, HandlesShareTheElementAndAChildOutlivesItsParent) {
    CXMLNode child;
    {
        CXMLNode top = CXMLNode::CreateTopNode("top");
        child = top.AddChild("child");
        child.AddText("still here");
        EXPECT_STREQ("top", child.GetParent().GetName());
        CXMLNode& alias = top;
        top = alias;
        EXPECT_STREQ("top", top.GetName());
    }
    EXPECT_STREQ("still here", child.GetText());
    EXPECT_TRUE(child.GetParent().IsEmpty());
    CXMLNode copy = child;
    child = CXMLNode();
    EXPECT_STREQ("child", copy.GetName());
}

TEST_F(ModelTest, BuildingOnTheEmptyNodeAddsNothingAndFreesWhatItWasHanded) {
    CXMLNode empty;
    EXPECT_TRUE(empty.AddChild("c").IsEmpty());
    EXPECT_TRUE(empty.AddChildOwned(Allocated("c")).IsEmpty());
    EXPECT_EQ(nullptr, empty.AddTextOwned(Allocated("t")));
    EXPECT_EQ(nullptr, empty.AddAttributeOwned(Allocated("n"), Allocated("v")).name);
    EXPECT_EQ(nullptr, empty.AddClearOwned(Allocated("x")).value);
    empty.RenameOwned(Allocated("n"));
    EXPECT_TRUE(empty.AttachChild(CXMLNode::CreateTopNode("c")).IsEmpty());
    CXMLNode e = CXMLNode::CreateTopNode("e");
    EXPECT_TRUE(e.AddChild(nullptr).IsEmpty());
    EXPECT_EQ(nullptr, e.AddText(nullptr));
    EXPECT_EQ(0, e.GetContentCount());
    EXPECT_TRUE(empty.IsEmpty());
}

TEST_F(ModelTest, OwnedVariantsKeepTheCallersStrings) {
    CXMLNode e = CXMLNode::CreateTopNode("e");
    char* text = Allocated("text");
    EXPECT_EQ(text, e.AddTextOwned(text));
    char* name = Allocated("renamed");
    e.RenameOwned(name);
    EXPECT_EQ(name, e.GetName());
    EXPECT_STREQ("c", e.AddChildOwned(Allocated("c")).GetName());
    EXPECT_STREQ("v", e.AddAttributeOwned(Allocated("n"), Allocated("v")).value);
    EXPECT_STREQ("x", e.AddClearOwned(Allocated("x"), "<!--", "-->").value);
    EXPECT_EQ("<renamed n=v>'text'<c></>[<!--|x|-->]</>", Dump(e));
}

TEST_F(ModelTest, AttachChildMovesElementsAndRefusesCycles) {
    CXMLNode a = CXMLNode::CreateTopNode("a");
    CXMLNode b = CXMLNode::CreateTopNode("b");
    CXMLNode x = a.AddChild("x");
    a.AddChild("y");
    CXMLNode z = a.AddChild("z");

    EXPECT_STREQ("x", b.AttachChild(x).GetName());
    EXPECT_EQ("<a><y></><z></></>", Dump(a));
    EXPECT_STREQ("b", x.GetParent().GetName());

    a.AttachChild(z, 0);
    EXPECT_EQ("<a><z></><y></></>", Dump(a));
    a.AttachChild(z, 0);
    EXPECT_EQ("<a><z></><y></></>", Dump(a));
    a.AttachChild(z, 2);
    EXPECT_EQ("<a><y></><z></></>", Dump(a));

    CXMLNode top = CXMLNode::CreateTopNode("top");
    b.AttachChild(top);
    top = CXMLNode();
    EXPECT_EQ("<b><x></><top></></>", Dump(b));

    EXPECT_TRUE(x.AttachChild(b).IsEmpty());
    EXPECT_TRUE(b.AttachChild(b).IsEmpty());
    EXPECT_EQ("<b><x></><top></></>", Dump(b));

    CXMLNode root = CXMLNode::ParseString("<p/><q/>");
    ASSERT_EQ(nullptr, root.GetName());
    a.AttachChild(root, 1);
    EXPECT_EQ("<a><y></><p></><q></><z></></>", Dump(a));
    EXPECT_EQ(0, root.GetChildCount());
}

TEST_F(ModelTest, EditingReplacesAndRemovesByIndexNameAndRecord) {
    CXMLNode e = Sample();
    e.Rename("f");
    SXMLAttr x = e.GetAttributeAt(0);
    e.ReplaceAttribute(x, "y", "2");
    e.ReplaceAttribute("FLAG", "flag", "on");
    e.ReplaceAttribute(7, "added", nullptr);
    e.ReplaceText(e.GetText(1), "TWO");
    e.ReplaceText(9, "three");
    e.ReplaceClear(0, "RAW");
    EXPECT_EQ("<f y=2 flag=on added>'one'<c1></>[<![CDATA[|RAW|]]>]'TWO'<c2></>'three'</>",
              Dump(e));

    e.RemoveText(0);
    e.RemoveClear(e.GetClearContent(0));
    e.RemoveAttribute("flag");
    e.RemoveAttribute(e.GetAttributeAt(0));
    e.RemoveAttribute(5);
    EXPECT_EQ("<f added><c1></>'TWO'<c2></>'three'</>", Dump(e));
    EXPECT_EQ(1, e.GetOrderIndexOfText(0));
    EXPECT_EQ(3, e.GetOrderIndexOfText(1));
    e.RemoveText(e.GetText(1));
    EXPECT_EQ("<f added><c1></>'TWO'<c2></></>", Dump(e));
}

TEST_F(ModelTest, ClearAndDetachEmptiesTheElementForEveryHandle) {
    CXMLNode e = Sample();
    CXMLNode c1 = e.GetChild(0);
    CXMLNode alias = c1;
    c1.AddText("inside");
    c1.ClearAndDetach();
    EXPECT_EQ(nullptr, alias.GetName());
    EXPECT_EQ(0, alias.GetContentCount());
    EXPECT_TRUE(alias.GetParent().IsEmpty());
    EXPECT_EQ("<e x=1 flag>'one'[<![CDATA[|raw|]]>]'two'<c2></></>", Dump(e));
}

TEST_F(ModelTest, CloneTreeCopiesDeeplyAndIndependently) {
    CXMLNode e = Sample();
    e.GetChild(1).AddChild("deep").AddText("t");
    CXMLNode copy = e.GetChild(1).CloneTree();
    EXPECT_TRUE(copy.GetParent().IsEmpty());
    EXPECT_EQ("<c2><deep>'t'</></>", Dump(copy));
    copy.GetChild(0).ReplaceText(0, "changed");
    EXPECT_STREQ("t", e.GetChild(1).GetChild(0).GetText());
    EXPECT_EQ(Dump(e), Dump(e.CloneTree()));
}

TEST_F(ModelTest, DeepTreesAreReleasedWithoutRecursion) {
    CXMLNode top = BuildChain(200000, "bottom");
    top = CXMLNode();
    CXMLNode kept = BuildChain(100000);
    CXMLNode inner = kept.FindChild("d").FindChild("d");
    kept = CXMLNode();
    EXPECT_STREQ("d", inner.GetName());
    EXPECT_TRUE(inner.GetParent().IsEmpty());
}

TEST_F(ModelTest, ModuleServicesAnswerByTheirTables) {
    EXPECT_STREQ("v2.38", CXMLNode::GetLibraryVersion());
    EXPECT_STREQ("No error", CXMLNode::DescribeError(xeNone));
    EXPECT_STREQ("Warning: Unmatched end tag", CXMLNode::DescribeError(xeUnmatchedEndTagWarning));
    EXPECT_STREQ("Error: Character code above 255 is forbidden in MultiByte char mode.",
                 CXMLNode::DescribeError(xeCharacterCodeAbove255));
    EXPECT_STREQ("Error: Base64 decode output buffer is too small",
                 CXMLNode::DescribeError(xeBase64BufferTooSmall));
    EXPECT_STREQ("Unknown", CXMLNode::DescribeError(static_cast<EXMLError>(21)));
    EXPECT_STREQ("Unknown", CXMLNode::DescribeError(static_cast<EXMLError>(-1)));

    // A refused encoding leaves the encoding, but the flags are stored.
    EXPECT_FALSE(CXMLNode::SetParserOptions(xenLegacy));
    for (int bad : {0, 4, -1}) {
        EXPECT_TRUE(CXMLNode::SetParserOptions(static_cast<EXMLEncoding>(bad), true, false));
    }
    SXMLResults results;
    CXMLNode::ParseString("<a> \xC3\xA9 <b =", nullptr, &results);
    EXPECT_EQ(12, results.column); // two one-byte characters in the legacy encoding
    EXPECT_STREQ(" x ", CXMLNode::ParseString("<a> x </a>").GetText());

    EXPECT_EQ(12.5, TextToDouble("12.5"));
    EXPECT_EQ(-7L, TextToLong("-7x"));
    EXPECT_EQ(42, TextToInt(nullptr, 42));
    EXPECT_EQ(9, TextToInt("", 9));
    EXPECT_EQ(2147483647, TextToInt("99999999999"));
    EXPECT_EQ('A', TextToChar("65"));
}

} // namespace
