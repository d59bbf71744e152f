// libFuzzer target for the XML parser and writer (built natively by tests/native; the
// ".cc" ending keeps it out of the Windows test programs, which take every ".cpp").
//
// Every input is parsed under several option sets. An error must give the empty node. A
// tree that the parser accepts is written, and unless it holds one of the shapes that
// only malformed input makes and the writer cannot express (see Rereadable), the written
// text must parse again without error and write the very same text. A deep copy writes
// that text too, and a child handle outlives its released tree as a readable top node.
// The sanitizers watch every step; a broken promise aborts, which libFuzzer reports.

#include "xmlParser/CXMLNode.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct SFuzzOptions {
    EXMLEncoding encoding;
    bool dropWhiteSpace;
    bool removeComments;
    bool layout;
};

const SFuzzOptions kOptionSets[] = {
    {xenUTF8, true, true, true},
    {xenUTF8, false, false, false},
    {xenLegacy, true, false, true},
    {xenShiftJIS, true, true, false},
};

[[noreturn]] void Broken(const char* promise, const char* first, const char* second) {
    std::fprintf(stderr, "XML round trip broken: %s\n--- first\n%s\n--- second\n%s\n", promise,
                 first ? first : "(null)", second ? second : "(null)");
    std::abort();
}

// The written text of a tree; the length reported must match the string.
std::string Render(const CXMLNode& node, bool layout) {
    size_t length = 0;
    char* text = node.CreateText(layout, &length);
    if (!text || std::strlen(text) != length) {
        Broken("CreateText gives a string of the reported length", text, nullptr);
    }
    std::string result(text, length);
    FreeXMLText(text);
    return result;
}

// Names are written as they were read. A name the tokenizer took as text only because of
// what followed it in malformed input reads back differently: one that starts with a
// quote (then paired with a later quote), one that ends with "/" (then "/>"), and an
// element name that makes "<" + name an end tag, a declaration or a raw block (an element
// "PRE" read from "<PRE >" is written "<PRE>").
bool NameRereadable(const char* name, bool elementName) {
    const std::string text = name ? name : "";
    if (text.empty()) {
        return !elementName; // a nameless attribute is never written
    }
    if (text[0] == '"' || text[0] == '\'' || text.back() == '/') {
        return false;
    }
    if (!elementName) {
        return true;
    }
    if (text == "PRE" || text == "Script") {
        return false;
    }
    for (const char* start : {"/", "?", "!--", "![CDATA[", "!DOCTYPE"}) {
        if (text.compare(0, std::strlen(start), start) == 0) {
            return false;
        }
    }
    return true;
}

// Texts are trimmed before their references are decoded, so a text that a reference (or
// "&#;", which ends it early) leaves empty or with white space at an end reads back
// different while white space is dropped; an empty text is not written at all.
bool TextRereadable(const char* text, bool dropWhiteSpace) {
    const size_t length = std::strlen(text);
    if (length == 0) {
        return false;
    }
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return !dropWhiteSpace || (!blank(text[0]) && !blank(text[length - 1]));
}

// Whether the written text of a tree must read back as the same tree. Besides names and
// texts, the writer cannot express every declaration that malformed input makes: it writes
// "<?name attributes?>" followed by the contents, which reads back as a declaration that
// encloses what follows at the top level and closes at "?>" deeper down. So these do
// not round trip: a deeper declaration with contents (opened by "<?x a>" without "?")
// and a top-level one that another top-level content follows (closed by an end tag).
bool Rereadable(const CXMLNode& top, bool dropWhiteSpace) {
    struct SEntry {
        CXMLNode node;
        int depth; // the nameless root is 0
        bool last; // the last content of its parent
    };
    std::vector<SEntry> pending{{top, top.GetName() ? 1 : 0, true}};
    while (!pending.empty()) {
        const SEntry entry = pending.back();
        pending.pop_back();
        const CXMLNode& node = entry.node;
        if (entry.depth > 0 && !NameRereadable(node.GetName(), true)) {
            return false;
        }
        for (int i = 0; i < node.GetAttributeCount(); ++i) {
            if (!NameRereadable(node.GetAttributeNameAt(i), false)) {
                return false;
            }
        }
        for (int i = 0; i < node.GetTextCount(); ++i) {
            if (!TextRereadable(node.GetText(i), dropWhiteSpace)) {
                return false;
            }
        }
        if (node.IsDeclarationNode()) {
            const bool hasContents = node.GetContentCount() > node.GetAttributeCount();
            if ((entry.depth >= 2 && hasContents) || (entry.depth == 1 && !entry.last)) {
                return false;
            }
        }
        const int count = node.GetChildCount();
        const int lastOrder = node.GetContentCount() - node.GetAttributeCount() - 1;
        for (int i = 0; i < count; ++i) {
            pending.push_back(SEntry{node.GetChild(i), entry.depth + 1,
                                     node.GetOrderIndexOfChild(i) == lastOrder});
        }
    }
    return true;
}

// Parses the written text again; when the tree must read back, it must parse without
// error and write the same text.
void Reparse(const std::string& first, bool layout, bool mustReadBack) {
    SXMLResults again;
    CXMLNode reparsed = CXMLNode::ParseString(first.c_str(), nullptr, &again);
    if (!mustReadBack) {
        return;
    }
    if (again.error > xeNoXMLTagWarning || reparsed.IsEmpty()) {
        Broken("written text parses again", first.c_str(), CXMLNode::DescribeError(again.error));
    }
    const std::string second = Render(reparsed, layout);
    if (second != first) {
        Broken("written text parses to the same tree", first.c_str(), second.c_str());
    }
}

void RoundTrip(const std::string& input, const SFuzzOptions& options) {
    CXMLNode::SetParserOptions(options.encoding, true, options.dropWhiteSpace,
                               options.removeComments);
    SXMLResults results;
    CXMLNode document = CXMLNode::ParseString(input.c_str(), nullptr, &results);
    if (results.error > xeNoXMLTagWarning) {
        if (!document.IsEmpty()) {
            Broken("an error gives the empty node", input.c_str(), nullptr);
        }
        return;
    }
    // The tag search walks through declarations; its answer is some element or none.
    CXMLNode::ParseString(input.c_str(), "a", nullptr);

    const std::string first = Render(document, options.layout);
    Reparse(first, options.layout, Rereadable(document, options.dropWhiteSpace));
    CXMLNode copy = document.CloneTree();
    if (Render(copy, options.layout) != first) {
        Broken("a deep copy writes the same text", first.c_str(), nullptr);
    }
    // A child held beyond its tree stays readable as a top node.
    CXMLNode child = document.GetChild(document.GetChildCount() - 1);
    document = CXMLNode();
    copy = CXMLNode();
    if (!child.IsEmpty()) {
        if (!child.GetParent().IsEmpty()) {
            Broken("a child outliving its tree has no parent", first.c_str(), child.GetName());
        }
        Render(child, options.layout);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The parser reads zero-terminated text: an embedded zero simply ends it.
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (const SFuzzOptions& options : kOptionSets) {
        RoundTrip(input, options);
    }
    return 0;
}
