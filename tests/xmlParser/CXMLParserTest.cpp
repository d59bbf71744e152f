#include "XMLTestSupport.h"

#include <string>

namespace {

using ParserTest = XMLTest;

struct SParseCase {
    const char* text;
    const char* tag;
    EXMLError error;
    const char* tree;
    int line;
    int column;
};

void ExpectParse(const SParseCase& test) {
    SCOPED_TRACE(test.text ? test.text : "(null)");
    SXMLResults results;
    results.line = results.column = -5;
    CXMLNode node = CXMLNode::ParseString(test.text, test.tag, &results);
    EXPECT_EQ(test.error, results.error);
    EXPECT_EQ(test.tree, Dump(node));
    if (test.line >= 0) {
        EXPECT_EQ(test.line, results.line);
        EXPECT_EQ(test.column, results.column);
    }
}

TEST_F(ParserTest, ForgivingStructureRules) {
    const SParseCase cases[] = {
        // An end tag naming an ancestor closes everything in between (warning 1, located
        // just after the end tag).
        {"<a><b></a>", nullptr, xeUnmatchedEndTagWarning, "<a><b></></>", 1, 11},
        {"<a><b><c></A >tail", nullptr, xeUnmatchedEndTagWarning, "<#><a><b><c></></></>'tail'</>",
         1, 15},
        // An end tag that names nothing open travels up to the root: error.
        {"<a></b>", nullptr, xeUnmatchedEndTag, "(empty)", 1, 8},
        {"</a>", nullptr, xeNoXMLTagWarning, "<#></>", 1, 5},
        {"</a>", "a", xeFirstTagNotFound, "(empty)", 0, 0},
        {"<", nullptr, xeNoXMLTagWarning, "<#></>", 1, 2},
        {"", nullptr, xeNoXMLTagWarning, "<#></>", 1, 1},
        {"just text", nullptr, xeNoXMLTagWarning, "<#>'just text'</>", -1, 0},
        {nullptr, nullptr, xeNoElements, "(empty)", 0, 0},
        // Left open at the end: a warning, the tree is kept.
        {"<a>", nullptr, xeUnmatchedEndTagWarning, "<a></>", 1, 4},
        {"<a>\n<b>text", nullptr, xeUnmatchedEndTagWarning, "<a><b>'text'</></>", 2, 8},
        {"<a/><b/>", nullptr, xeNone, "<#><a></><b></></>", -5, -5},
        {"<a></a>  trailing", nullptr, xeNone, "<#><a></>'trailing'</>", -5, -5},
        // A declaration at the top level encloses the rest; the tag is found through it.
        {"<?xml version='1.0'?><r/>", nullptr, xeNone, "<xml? version=1.0><r></></>", -5, -5},
        {"<?xml version='1.0'?><r/>", "R", xeNone, "<r></>", -5, -5},
        {"<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<p><q/></p>", "p", xeNone, "<p><q></></>",
         -5, -5},
        // The search enters declarations only.
        {"<?xml version=\"1.0\"?><p><q/></p>", "q", xeFirstTagNotFound, "(empty)", 0, 0},
        {"<?xml v=1.0?><r/>", nullptr, xeNone, "<xml? v=1.0><r></></>", -5, -5},
        {"<a/><?pi?>", "b", xeFirstTagNotFound, "(empty)", 0, 0},
        // Inside an element a declaration closes at its "?>".
        {"<a><?pi x='1'?>t</a>", nullptr, xeNone, "<a><pi? x=1></>'t'</>", -5, -5},
        {"<a><?pi?><b/></a>", nullptr, xeNone, "<a><pi?></><b></></>", -5, -5},
        {"<?pi?><r/>", nullptr, xeNone, "<pi?><r></></>", -5, -5},
        {"<a><?pi?? x?></a>", nullptr, xeNone, "<a><pi??? x></></>", -5, -5},
        {"<a x='1' y z=2/>", nullptr, xeNone, "<a x=1 y z=2></>", -5, -5},
        {"<a x=\"it's\" y='say \"hi\"'></a>", nullptr, xeNone, "<a x=it's y=say \"hi\"></>", -5,
         -5},
        {"<a\tx = '1'\n/>", nullptr, xeNone, "<a x=1></>", -5, -5},
        {"<a x='1>", nullptr, xeUnmatchedEndTagWarning, "<a x='1></>", 1, 9},
        {"<a =1/>", nullptr, xeUnexpectedToken, "(empty)", 1, 5},
        {"<a x=/>", nullptr, xeUnexpectedToken, "(empty)", 1, 8},
        {"<a <!--c-->/>", nullptr, xeUnexpectedToken, "(empty)", 1, 8},
        {"<a></>", nullptr, xeMissingEndTagName, "(empty)", 1, 7},
        {"<a></a", nullptr, xeMissingEndTagName, "(empty)", 1, 7},
        {"<a>< >", nullptr, xeMissingStartTagName, "(empty)", 1, 7},
        {"<a>x/y = 'z' > w</a>", nullptr, xeNone, "<a>'x/y = 'z' > w'</>", -5, -5},
        {"<a>\xC3\xA9\n\xE2\x82\xAC<b =", nullptr, xeUnexpectedToken, "(empty)", 2, 6},
    };
    for (const SParseCase& test : cases) {
        ExpectParse(test);
    }
}

TEST_F(ParserTest, ClearContentsAndComments) {
    const SParseCase cases[] = {
        {"<a>x<!--c-->y</a>", nullptr, xeNone, "<a>'xy'</>", -5, -5},
        {"<a>x<!--1-->y<!--2-->z</a>", nullptr, xeNone, "<a>'xyz'</>", -5, -5},
        {"<a><!--c--></a>", nullptr, xeNone, "<a>[<!--|c|-->]</>", -5, -5},
        {"<a>x<!--c--></a>", nullptr, xeNone, "<a>'x'[<!--|c|-->]</>", -5, -5},
        {"<a>x<![CDATA[c]]>y</a>", nullptr, xeNone, "<a>'x'[<![CDATA[|c|]]>]'y'</>", -5, -5},
        {"<a><![CDATA[<b>&amp;</b>]]></a>", nullptr, xeNone, "<a>[<![CDATA[|<b>&amp;</b>|]]>]</>",
         -5, -5},
        {"<a><![CDATA[x</a>", nullptr, xeUnmatchedClearTag, "(empty)", -1, 0},
        {"<a><!-- x</a>", nullptr, xeUnmatchedClearTag, "(empty)", -1, 0},
        {"<!DOCTYPE r [ <!ENTITY e 'v'> ]>", nullptr, xeNoXMLTagWarning,
         "<#>[<!DOCTYPE| r [ <!ENTITY e 'v'> |]>]</>", -1, 0},
        {"<!DOCTYPE html><r/>", nullptr, xeNone, "<#>[<!DOCTYPE| html|>]<r></></>", -5, -5},
        // Without any element the code is 2, whatever went wrong before.
        {"<!DOCTYPE r [ <!ELEMENT r ANY>", nullptr, xeNoXMLTagWarning, "<#></>", -1, 0},
        {"<!DOCTYPE r [ <!ELEMENT r ANY><r/>", nullptr, xeNoXMLTagWarning, "<#></>", -1, 0},
        {"<r/><!DOCTYPE r [ <!ELEMENT r ANY>", nullptr, xeUnmatchedClearTag, "(empty)", -1, 0},
        {"<a><PRE> <b> </PRE><Script>if (a<b) x();</Script></a>", nullptr, xeNone,
         "<a>[<PRE>| <b> |</PRE>][<Script>|if (a<b) x();|</Script>]</>", -5, -5},
        {"<a><pre>x</pre></a>", nullptr, xeNone, "<a><pre>'x'</></>", -5, -5},
    };
    for (const SParseCase& test : cases) {
        ExpectParse(test);
    }
    CXMLNode::SetParserOptions(xenUTF8, true, true, false);
    ExpectParse({"<a>x<!--c-->y</a>", nullptr, xeNone, "<a>'x'[<!--|c|-->]'y'</>", -5, -5});
}

TEST_F(ParserTest, EntitiesAndCharacterReferences) {
    struct SEntityCase {
        const char* value;
        EXMLError error;
        const char* decoded;
    };
    const SEntityCase cases[] = {
        {"&amp;&lt;&gt;&quot;&apos;", xeNone, "&<>\"'"},
        {"&AMP;&Lt;", xeNone, "&<"},
        {"&#65;&#x42;&#X43;&#x6a;", xeNone, "ABCj"},
        {"&#255;", xeNone, "\xFF"},
        {"a&#;b", xeNone, "a"},
        {"&#x;", xeNone, ""},
        {"&#256;", xeCharacterCodeAbove255, nullptr},
        {"&#x100;", xeCharacterCodeAbove255, nullptr},
        {"&#99999999999999999999999;", xeCharacterCodeAbove255, nullptr},
        {"&#6a;", xeUnknownCharacterEntity, nullptr},
        {"&#65", xeUnknownCharacterEntity, nullptr},
        {"&#", xeUnknownCharacterEntity, nullptr},
        {"&", xeUnknownCharacterEntity, nullptr},
        {"&am", xeUnknownCharacterEntity, nullptr},
        {"&foo;", xeUnknownCharacterEntity, nullptr},
        {"", xeNone, ""},
    };
    for (const SEntityCase& test : cases) {
        SCOPED_TRACE(test.value);
        for (bool inText : {false, true}) {
            std::string text = inText ? std::string("<a>") + test.value + "</a>"
                                      : std::string("<a v=\"") + test.value + "\"/>";
            SXMLResults results;
            CXMLNode a = CXMLNode::ParseString(text.c_str(), nullptr, &results);
            EXPECT_EQ(test.error, results.error);
            if (test.decoded) {
                const char* got = inText ? a.GetText() : a.GetAttribute("v");
                if (inText && !*test.decoded) {
                    EXPECT_TRUE(got == nullptr || *got == '\0');
                } else {
                    EXPECT_STREQ(test.decoded, got);
                }
            } else {
                EXPECT_TRUE(a.IsEmpty());
            }
        }
    }
}

TEST_F(ParserTest, WhiteSpaceIsDroppedOnlyWhileTheOptionIsOn) {
    ExpectParse({"<a> hello\n\t</a>", nullptr, xeNone, "<a>'hello'</>", -5, -5});
    ExpectParse({"<a> \r\n\t </a>", nullptr, xeNone, "<a></>", -5, -5});
    CXMLNode::SetParserOptions(xenUTF8, true, false);
    ExpectParse({"<a> hello\n</a>", nullptr, xeNone, "<a>' hello\n'</>", -5, -5});
    ExpectParse({"<a><b/></a>", nullptr, xeNone, "<a><b></></>", -5, -5});
}

TEST_F(ParserTest, MultiByteCharactersAreNeverSplitNorReadPastTheEnd) {
    // A Shift-JIS character whose second byte is "]" hides that byte from the close
    // marker; the legacy encoding sees it.
    const char* cdata = "<a><![CDATA[\x82]]>x]]></a>";
    CXMLNode::SetParserOptions(xenShiftJIS);
    EXPECT_STREQ("\x82]]>x", CXMLNode::ParseString(cdata).GetClearContent().value);
    CXMLNode::SetParserOptions(xenLegacy);
    CXMLNode legacy = CXMLNode::ParseString(cdata);
    EXPECT_STREQ("\x82", legacy.GetClearContent().value);
    EXPECT_STREQ("x]]>", legacy.GetText());

    CXMLNode::SetParserOptions(xenUTF8);
    const struct {
        const char* text;
        const char* value;
    } cases[] = {
        // A cp1252 "é" is no UTF-8 lead of what follows: the quote still closes.
        {"<a n='Caf\xE9'/>", "Caf\xE9"},
        {"<a n=\"\xF0\x9D\x84\x9E\xE2\x82\xAC\"/>", "\xF0\x9D\x84\x9E\xE2\x82\xAC"},
        {"<a n='\xE2\x82'/>", "\xE2\x82"},
        {"<a n='\xF4'/>", "\xF4"},
    };
    for (const auto& test : cases) {
        EXPECT_STREQ(test.value, CXMLNode::ParseString(test.text).GetAttribute("n")) << test.text;
    }
    // Lead bytes in the last bytes before the terminator.
    for (const char* text : {"<a>\xF0", "<a>\xE2\x82", "<a x=\xC3", "<a>&#65;\xF4\x8F\xBF"}) {
        SXMLResults results;
        CXMLNode a = CXMLNode::ParseString(text, nullptr, &results);
        EXPECT_STREQ("a", a.GetName()) << text;
        EXPECT_EQ(xeUnmatchedEndTagWarning, results.error);
    }
}

TEST_F(ParserTest, NestingIsBoundedWithoutUsingTheProgramStack) {
    auto nested = [](int depth, bool closed) {
        std::string text;
        for (int i = 0; i < depth; ++i) {
            text += "<e>";
        }
        for (int i = 0; closed && i < depth; ++i) {
            text += "</e>";
        }
        return text;
    };
    SXMLResults results;
    CXMLNode deepest = CXMLNode::ParseString(nested(4096, true).c_str(), nullptr, &results);
    EXPECT_EQ(xeNone, results.error);
    int depth = 0;
    for (CXMLNode e = deepest; !e.IsEmpty(); e = e.GetChild(0)) {
        ++depth;
    }
    EXPECT_EQ(4096, depth);

    for (bool closed : {true, false}) {
        EXPECT_TRUE(
            CXMLNode::ParseString(nested(4097, closed).c_str(), nullptr, &results).IsEmpty());
        EXPECT_EQ(xeUnexpectedToken, results.error);
    }
    EXPECT_TRUE(CXMLNode::ParseString(nested(300000, false).c_str(), nullptr, &results).IsEmpty());
    // Declarations count as levels too.
    std::string declarations;
    for (int i = 0; i < 5000; ++i) {
        declarations += "<?d a>"; // no "?>": each stays open around the next
    }
    EXPECT_TRUE(CXMLNode::ParseString(declarations.c_str(), nullptr, &results).IsEmpty());
    EXPECT_EQ(xeUnexpectedToken, results.error);
}

// Every prefix of a document that uses every construct, multi-byte characters cut at
// every byte: each parse ends, and gives either a tree with a warning at most or the
// empty node with an error.
TEST_F(ParserTest, EveryTruncationGivesAnErrorOrAValidTree) {
    const std::string sample =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding='utf-8'?>\n"
        "<!DOCTYPE p [ <!ENTITY e 'v'> ]>\n"
        "<p version=\"0.0.0.1\" flag>\n"
        "\t<Name>Caf\xC3\xA9 &amp; \xE2\x82\xAC &#65;&#x42;</Name>\n"
        "\t<!-- comment -->\n"
        "\t<a enabled=\"true\" name='\xF0\x9D\x84\x9E &lt;x&gt;'>text<!--c-->more\n"
        "\t\t<t start=\"2010-03-15 09:05:00\" open=\"true\"/>\n"
        "\t\t<![CDATA[ <raw> ]]><PRE>x</PRE>\n"
        "\t</a>\n"
        "</p>\n";
    for (const char* tag : {static_cast<const char*>(nullptr), "p"}) {
        for (size_t length = 0; length <= sample.size(); ++length) {
            std::string prefix = sample.substr(0, length);
            SXMLResults results;
            CXMLNode node = CXMLNode::ParseString(prefix.c_str(), tag, &results);
            SCOPED_TRACE(prefix);
            if (node.IsEmpty()) {
                EXPECT_GT(results.error, xeNoXMLTagWarning);
            } else {
                EXPECT_LE(results.error, xeNoXMLTagWarning);
                EXPECT_FALSE(Dump(node).empty());
            }
            if (results.error != xeNone && results.error != xeFirstTagNotFound) {
                EXPECT_GE(results.line, 1);
                EXPECT_LE(results.line, 11);
            }
        }
    }
    SXMLResults results;
    CXMLNode whole = CXMLNode::ParseString(sample.c_str(), "p", &results);
    EXPECT_EQ(xeNone, results.error);
    EXPECT_EQ("<p version=0.0.0.1 flag><Name>'Caf\xC3\xA9 & \xE2\x82\xAC AB'</>"
              "[<!--| comment |-->]<a enabled=true name=\xF0\x9D\x84\x9E <x>>'textmore'"
              "<t start=2010-03-15 09:05:00 open=true></>[<![CDATA[| <raw> |]]>][<PRE>|x|</PRE>]"
              "</></>",
              Dump(whole));
}

} // namespace
