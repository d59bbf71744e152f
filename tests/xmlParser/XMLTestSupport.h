#pragma once

#include "xmlParser/CXMLNode.h"
#include "xmlParser/SXMLContent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Every test starts and ends with the module's default options.
class XMLTest : public ::testing::Test {
protected:
    void SetUp() override { CXMLNode::SetParserOptions(); }
    void TearDown() override { CXMLNode::SetParserOptions(); }
};

// A compact picture of a tree for comparisons: <name? attr=value flag>'text'[open|value|close]
// ...</>, "#" for a nameless element, "(empty)" for the empty node. Walked without
// recursion, so deep trees can be compared too.
inline std::string Dump(const CXMLNode& top) {
    if (top.IsEmpty()) {
        return "(empty)";
    }
    std::string out;
    struct SFrame {
        CXMLNode node;
        int next;
    };
    std::vector<SFrame> stack;
    auto open = [&](const CXMLNode& node) {
        out += "<";
        out += node.GetName() ? node.GetName() : "#";
        out += node.IsDeclarationNode() ? "?" : "";
        for (int i = 0; i < node.GetAttributeCount(); ++i) {
            SXMLAttr attribute = node.GetAttributeAt(i);
            out += std::string(" ") + attribute.name;
            if (attribute.value) {
                out += std::string("=") + attribute.value;
            }
        }
        out += ">";
        stack.push_back(SFrame{node, 0});
    };
    open(top);
    while (!stack.empty()) {
        SFrame& frame = stack.back();
        SXMLContent content =
            frame.node.GetContentAt(frame.node.GetAttributeCount() + frame.next++);
        switch (content.kind) {
        case xcText:
            out += std::string("'") + content.text + "'";
            break;
        case xcClear:
            out += std::string("[") + content.clear.openTag + "|" + content.clear.value + "|" +
                   content.clear.closeTag + "]";
            break;
        case xcChild:
            open(content.child);
            break;
        default:
            out += "</>";
            stack.pop_back();
            break;
        }
    }
    return out;
}

// The rendered text of a tree as a std::string (released with FreeXMLText).
inline std::string Render(const CXMLNode& node, bool layout) {
    char* text = node.CreateText(layout);
    std::string result = text ? text : "(null)";
    FreeXMLText(text);
    return result;
}

// A chain of `depth` nested elements named "d", the innermost holding `innermostText`.
inline CXMLNode BuildChain(int depth, const char* innermostText = nullptr) {
    CXMLNode top = CXMLNode::CreateTopNode("d");
    CXMLNode current = top;
    for (int i = 1; i < depth; ++i) {
        current = current.AddChild("d");
    }
    if (innermostText) {
        current.AddText(innermostText);
    }
    return top;
}
