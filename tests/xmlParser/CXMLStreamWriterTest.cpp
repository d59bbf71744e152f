#include "xmlParser/CXMLStreamWriter.h"

#include "XMLTestSupport.h"

#include <string>
#include <vector>

namespace {

using StreamWriterTest = XMLTest;

// One step of a document: 'D' declaration, 'S' start, 'E' end, 'M' empty element, 'T' an
// element holding one text.
struct SStep {
    char kind;
    const char* name;
    std::vector<SXMLAttr> attributes;
    const char* text;
};

std::string Stream(const std::vector<SStep>& steps, bool layout) {
    std::string out = "old";
    CXMLStreamWriter writer(out, layout);
    for (const SStep& step : steps) {
        switch (step.kind) {
        case 'D':
            writer.WriteDeclaration(step.name);
            break;
        case 'S':
            writer.StartElement(step.name, step.attributes.data(), step.attributes.size());
            break;
        case 'E':
            writer.EndElement();
            break;
        case 'M':
            writer.WriteEmptyElement(step.name, step.attributes.data(), step.attributes.size());
            break;
        default:
            writer.WriteTextElement(step.name, step.text);
            break;
        }
    }
    return out;
}

// The same document as a tree, rendered by CreateText.
std::string Render(const std::vector<SStep>& steps, bool layout) {
    CXMLNode top;
    std::vector<CXMLNode> open;
    for (const SStep& step : steps) {
        if (step.kind == 'E') {
            open.pop_back();
            continue;
        }
        CXMLNode node = top.IsEmpty() ? CXMLNode::CreateTopNode(step.name, step.kind == 'D')
                                      : open.back().AddChild(step.name, step.kind == 'D');
        if (top.IsEmpty()) {
            top = node;
        }
        for (const SXMLAttr& attribute : step.attributes) {
            node.AddAttribute(attribute.name, attribute.value);
        }
        if (step.kind == 'T') {
            node.AddText(step.text);
        }
        if (step.kind == 'D' || step.kind == 'S') {
            open.push_back(node);
        }
    }
    char* text = top.CreateText(layout);
    const std::string rendered = text ? text : "";
    FreeXMLText(text);
    return "old" + rendered;
}

TEST_F(StreamWriterTest, WritesTheBytesOfTheSameTree) {
    const std::vector<std::vector<SStep>> documents = {
        {{'S', "e", {}, nullptr}, {'E', nullptr, {}, nullptr}},
        {{'D', "xml version='1.0' encoding='utf-8'", {}, nullptr},
         {'S', "Project", {{"version", "0.0.0.1"}}, nullptr},
         {'T', "Name", {}, "Caf\xC3\xA9 & <co>"},
         {'M', "Mark", {{"start", "2010"}, {"open", "true"}}, nullptr},
         {'S', "A", {{"enabled", "true"}, {"name", "a\"b'c&d<e>"}}, nullptr},
         {'M', "Mark", {{"start", "x"}, {"end", "y"}}, nullptr},
         {'S', "A", {{"name", ""}}, nullptr},
         {'E', nullptr, {}, nullptr},
         {'S', "A", {{"flag", nullptr}, {"", "skipped"}}, nullptr},
         {'T', "Name", {}, ""},
         {'S', "Deep", {}, nullptr},
         {'T', "Leaf", {}, "x"},
         {'E', nullptr, {}, nullptr},
         {'E', nullptr, {}, nullptr},
         {'E', nullptr, {}, nullptr},
         {'M', "After", {}, nullptr},
         {'E', nullptr, {}, nullptr}},
        {{'S', nullptr, {}, nullptr},
         {'T', "a", {}, "x"},
         {'M', "b", {{"k", "v"}}, nullptr},
         {'E', nullptr, {}, nullptr}},
        {{'D', "xml", {}, nullptr},
         {'D', "inner", {}, nullptr},
         {'S', "r", {}, nullptr},
         {'T', "t", {}, "\xE2\x82"},
         {'E', nullptr, {}, nullptr}},
    };
    for (bool dropWhiteSpace : {true, false}) {
        CXMLNode::SetParserOptions(xenUTF8, true, dropWhiteSpace);
        for (bool layout : {true, false}) {
            for (size_t i = 0; i < documents.size(); ++i) {
                EXPECT_EQ(Render(documents[i], layout), Stream(documents[i], layout))
                    << "document " << i << ", layout " << layout << ", drop white space "
                    << dropWhiteSpace;
            }
        }
    }
}

} // namespace
