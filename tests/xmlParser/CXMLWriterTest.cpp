#include "XMLTestSupport.h"

#include <functional>
#include <string>

namespace {

using WriterTest = XMLTest;

struct SRenderCase {
    const char* name;
    std::function<CXMLNode()> build;
    const char* laidOut;
    const char* plain;
};

TEST_F(WriterTest, RendersWithAndWithoutLayout) {
    const SRenderCase cases[] = {
        {"child with one text stays on its tag's line",
         [] {
             CXMLNode r = CXMLNode::CreateTopNode("r");
             r.AddChild("c").AddText("x");
             return r;
         },
         "<r>\n\t<c>x</c>\n</r>\n", "<r><c>x</c></r>"},
        {"element without contents", [] { return CXMLNode::CreateTopNode("e"); }, "<e/>\n", "<e/>"},
        {"declaration top node: its children are not indented",
         [] {
             CXMLNode top = CXMLNode::CreateTopNode("xml version='1.0' encoding='utf-8'", true);
             top.AddChild("p");
             return top;
         },
         "<?xml version='1.0' encoding='utf-8'?>\n<p/>\n",
         "<?xml version='1.0' encoding='utf-8'?><p/>"},
        {"attributes: escaped values, bare names, nameless ones skipped",
         [] {
             CXMLNode e = CXMLNode::CreateTopNode("e");
             e.AddAttribute("v", "a<\"b'&>");
             e.AddAttribute("open", nullptr);
             e.AddAttribute("", "lost");
             e.AddAttribute("empty", "");
             return e;
         },
         "<e v=\"a&lt;&quot;b&apos;&amp;&gt;\" open empty=\"\"/>\n",
         "<e v=\"a&lt;&quot;b&apos;&amp;&gt;\" open empty=\"\"/>"},
        {"mixed contents: texts and clears indented one deeper than the tag",
         [] {
             CXMLNode r = CXMLNode::CreateTopNode("r");
             r.AddText("a & b");
             r.AddChild("c").AddAttribute("k", "1");
             r.AddClearContent(" note ", "<!--", "-->");
             r.AddText("");
             r.AddClearContent("x<y");
             return r;
         },
         "<r>\n\ta &amp; b\n\t<c k=\"1\"/>\n\t<!-- note -->\n\t<![CDATA[x<y]]>\n</r>\n",
         "<r>a &amp; b<c k=\"1\"/><!-- note --><![CDATA[x<y]]></r>"},
        {"declaration with attributes and a nested declaration",
         [] {
             CXMLNode top = CXMLNode::CreateTopNode("xml", true);
             top.AddAttribute("version", "1.0");
             CXMLNode p = top.AddChild("p");
             p.AddChild("pi", true);
             p.AddChild("q").AddChild("r");
             return top;
         },
         "<?xml version=\"1.0\"?>\n<p>\n\t<?pi?>\n\t<q>\n\t\t<r/>\n\t</q>\n</p>\n",
         "<?xml version=\"1.0\"?><p><?pi?><q><r/></q></p>"},
        {"nameless root: only its contents", [] { return CXMLNode::ParseString("<a/><b>t</b>"); },
         "<a/>\n<b>t</b>\n", "<a/><b>t</b>"},
    };
    for (const SRenderCase& test : cases) {
        CXMLNode node = test.build();
        EXPECT_EQ(test.laidOut, Render(node, true)) << test.name;
        EXPECT_EQ(test.plain, Render(node, false)) << test.name;
    }
}

TEST_F(WriterTest, LayoutNeedsDroppedWhiteSpaceAndLengthIsReported) {
    CXMLNode r = CXMLNode::CreateTopNode("r");
    r.AddChild("c").AddText("x");
    CXMLNode::SetParserOptions(xenUTF8, true, false);
    EXPECT_EQ("<r><c>x</c></r>", Render(r, true));
    size_t length = 99;
    char* text = r.CreateText(true, &length);
    EXPECT_EQ(15u, length);
    FreeXMLText(text);
    EXPECT_EQ(nullptr, CXMLNode().CreateText(true, &length));
    EXPECT_EQ(0u, length);
    FreeXMLText(nullptr);
}

TEST_F(WriterTest, EscapingCopiesMultiByteCharactersWhole) {
    CXMLNode e = CXMLNode::CreateTopNode("e");
    e.AddText("\xE2\x82\xAC<\xE9<\xC3");
    EXPECT_EQ("<e>\xE2\x82\xAC&lt;\xE9&lt;\xC3</e>", Render(e, false));
    CXMLNode::SetParserOptions(xenShiftJIS);
    CXMLNode s = CXMLNode::CreateTopNode("s");
    // 0x3E is no Shift-JIS trail byte, so ">" stays markup; 0x5C is one.
    s.AddText("\x83>\x83\x5C");
    EXPECT_EQ("<s>\x83&gt;\x83\x5C</s>", Render(s, false));
}

// A tree written and parsed again is the same tree.
TEST_F(WriterTest, RoundTripsKeepTheTree) {
    CXMLNode top = CXMLNode::CreateTopNode("xml version='1.0' encoding='utf-8'", true);
    CXMLNode project = top.AddChild("TallymarksProject");
    project.AddAttribute("version", "0.0.0.1");
    project.AddChild("Name").AddText("Caf\xC3\xA9 <&> \"quoted\" 'single' \xE2\x82\xAC");
    CXMLNode activity = project.AddChild("Activity");
    activity.AddAttribute("enabled", "true");
    activity.AddAttribute("name", "a=\"1\" & b='2' <tag/> \n second line");
    activity.AddAttribute("flag", nullptr);
    for (int i = 0; i < 3; ++i) {
        CXMLNode mark = activity.AddChild("Tallymark");
        mark.AddAttribute("start", "2010-03-15 09:05:00");
        mark.AddAttribute(i == 2 ? "open" : "end", i == 2 ? "true" : "2010-03-15 10:00:00");
    }
    activity.AddChild("Activity").AddChild("Empty");
    activity.AddClearContent(" a comment ", "<!--", "-->");
    activity.AddClearContent("<raw> & ]] >");
    activity.AddText("text with ]]> and <!-- markup -->");
    activity.AddChild("Last").AddText("&amp; stays &amp;");

    for (bool layout : {true, false}) {
        std::string text = Render(top, layout);
        SXMLResults results;
        CXMLNode back = CXMLNode::ParseString(text.c_str(), nullptr, &results);
        EXPECT_EQ(xeNone, results.error) << text;
        // The declaration's name carries its attributes; read back, they are attributes.
        EXPECT_STREQ("xml", back.GetName());
        EXPECT_TRUE(back.IsDeclarationNode());
        EXPECT_STREQ("utf-8", back.GetAttribute("encoding"));
        CXMLNode backProject = back.FindChild("TallymarksProject");
        EXPECT_EQ(Dump(project), Dump(backProject)) << text;
        EXPECT_EQ(Render(project, layout), Render(backProject, layout));
    }
}

TEST_F(WriterTest, DeepTreesNearTheLimitRoundTrip) {
    for (bool layout : {true, false}) {
        CXMLNode deep = BuildChain(4096, "bottom <&>");
        std::string text = Render(deep, layout);
        SXMLResults results;
        CXMLNode back = CXMLNode::ParseString(text.c_str(), nullptr, &results);
        EXPECT_EQ(xeNone, results.error);
        EXPECT_EQ(Dump(deep), Dump(back));
    }
    // Deeper trees built in memory are written without recursion; they cannot be read.
    CXMLNode deeper = BuildChain(200000);
    std::string text = Render(deeper, false);
    EXPECT_EQ(199999u * 7 + 4, text.size()); // 199,999 start and end tags and "<d/>"
    SXMLResults results;
    EXPECT_TRUE(CXMLNode::ParseString(text.c_str(), nullptr, &results).IsEmpty());
    EXPECT_EQ(xeUnexpectedToken, results.error);
}

} // namespace
