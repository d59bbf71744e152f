// Prints the canonical dump of an XML file as this program's parser reads it, for the
// comparison with expat (compare_with_expat.py, which builds the same dump from expat's
// events). Native only: the ".cc" ending keeps it out of the Windows test programs.
//
//     xml_canonical_dump FILE
//
// The parser runs with drop-white-space on (texts trimmed, blank texts dropped) and the
// comment merge off (so every comment is reported). The first line is
// "result <code> <line> <column>"; then one line per event in document order:
//
//     (name        start of an element         )name       its end
//     Aname=value  an attribute, in order      Aname       one written without a value
//     ?name        a processing instruction or the XML declaration (its attributes follow;
//                  it has no end line: what it encloses simply follows)
//     -text        a text                      Ctext       a CDATA section's content
//     !text        a comment's content         Dtext       a DOCTYPE's raw content
//     Xopen|value|close                        any other raw block
//
// Backslash, line feed, carriage return and tab inside a line are written as \\, \n, \r
// and \t. Exit code: 0 when parsed without any code, 1 for a warning or error, 2 when the
// file cannot be read.

#include "xmlParser/CXMLNode.h"
#include "xmlParser/SXMLContent.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void PutEscaped(const char* text) {
    static const char kEscaped[] = "\\\n\r\t";
    static const char kLetters[] = "\\nrt";
    for (const char* p = text; *p; ++p) {
        const char* special = std::strchr(kEscaped, *p);
        if (special) {
            std::fputc('\\', stdout);
            std::fputc(kLetters[special - kEscaped], stdout);
        } else {
            std::fputc(*p, stdout);
        }
    }
}

void PutLine(char kind, const char* text) {
    std::fputc(kind, stdout);
    PutEscaped(text ? text : "");
    std::fputc('\n', stdout);
}

void PutAttributes(const CXMLNode& node) {
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
        SXMLAttr attribute = node.GetAttributeAt(i);
        std::fputc('A', stdout);
        PutEscaped(attribute.name);
        if (attribute.value) {
            std::fputc('=', stdout);
            PutEscaped(attribute.value);
        }
        std::fputc('\n', stdout);
    }
}

void PutClear(const SXMLClear& clear) {
    const std::string open = clear.openTag ? clear.openTag : "";
    if (open == "<![CDATA[") {
        PutLine('C', clear.value);
    } else if (open == "<!--") {
        PutLine('!', clear.value);
    } else if (open == "<!DOCTYPE") {
        PutLine('D', clear.value);
    } else {
        std::fputc('X', stdout);
        PutEscaped(open.c_str());
        std::fputc('|', stdout);
        PutEscaped(clear.value);
        std::fputc('|', stdout);
        PutEscaped(clear.closeTag ? clear.closeTag : "");
        std::fputc('\n', stdout);
    }
}

// Walks the tree without recursion, so that the deepest accepted nesting dumps too.
void PutTree(const CXMLNode& top) {
    struct SFrame {
        CXMLNode node;
        int next;
    };
    std::vector<SFrame> stack;
    auto open = [&stack](const CXMLNode& node) {
        if (node.IsDeclarationNode()) {
            PutLine('?', node.GetName());
        } else if (node.GetName()) {
            PutLine('(', node.GetName());
        }
        PutAttributes(node);
        stack.push_back(SFrame{node, 0});
    };
    open(top);
    while (!stack.empty()) {
        SFrame& frame = stack.back();
        SXMLContent content =
            frame.node.GetContentAt(frame.node.GetAttributeCount() + frame.next++);
        switch (content.kind) {
        case xcText:
            PutLine('-', content.text);
            break;
        case xcClear:
            PutClear(content.clear);
            break;
        case xcChild:
            open(content.child);
            break;
        default:
            if (!frame.node.IsDeclarationNode() && frame.node.GetName()) {
                PutLine(')', frame.node.GetName());
            }
            stack.pop_back();
            break;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // As the file loader does: a UTF-8 byte-order mark is not part of the text.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    CXMLNode::SetParserOptions(xenUTF8, true, true, false);
    SXMLResults results;
    CXMLNode top = CXMLNode::ParseString(text.c_str(), nullptr, &results);
    std::printf("result %d %d %d\n", static_cast<int>(results.error), results.line, results.column);
    if (!top.IsEmpty()) {
        PutTree(top);
    }
    return results.error == xeNone ? 0 : 1;
}
