#pragma once

#include "xmlParser/CXMLWriter.h"
#include "xmlParser/SXMLAttr.h"

#include <cstddef>
#include <string>
#include <vector>

// Writes an XML document element by element into a string, with the bytes that
// CXMLNode::CreateText gives for the tree of the same elements (same layout rule, same
// escaping in the current encoding). A large document thus needs no tree: memory holds
// only the text and the names of the open elements.
//
//     std::string text;
//     CXMLStreamWriter writer(text, true);
//     writer.WriteDeclaration("xml version='1.0' encoding='utf-8'");
//     const SXMLAttr version[] = {{"version", "1"}};
//     writer.StartElement("Project", version, 1);
//     writer.WriteTextElement("Name", "Plan");
//     writer.StartElement("Empty");   // "<Empty/>": no contents before its end
//     writer.EndElement();
//     writer.EndElement();
//
// Names are not copied: each must stay valid until its element has ended. Every
// operation throws std::bad_alloc when the string cannot grow (the string then holds a
// partial text).
class CXMLStreamWriter {
public:
    // `layout` as CreateText takes it: tabs and line breaks, only while the dropWhiteSpace
    // option is on.
    CXMLStreamWriter(std::string& out, bool layout);

    // "<?name?>": a declaration encloses the rest of the document, at its own depth.
    void WriteDeclaration(const char* name);
    // Starts an element; its contents follow until EndElement. An element that gets none
    // ends as "<name .../>".
    void StartElement(const char* name, const SXMLAttr* attributes = nullptr, size_t count = 0);
    void EndElement();
    // An element without contents.
    void WriteEmptyElement(const char* name, const SXMLAttr* attributes, size_t count);
    // An element whose only content is `text` (null or empty: an element that holds an
    // empty text, "<name></name>").
    void WriteTextElement(const char* name, const char* text);

private:
    struct SOpen {
        const char* name;
        int layout;
        bool hasContents;
    };

    // The layout of the next content, its parent's start tag closed first.
    int BeginContent();

    CXMLWriter m_writer;
    int m_topLayout;
    std::vector<SOpen> m_open;
};
