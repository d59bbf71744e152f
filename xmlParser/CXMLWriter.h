#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CXMLCharTable;
struct SXMLAttr;
struct SXMLElement;

// Renders XML text. One routine serves both passes of CXMLNode::CreateText: without an
// output buffer it only measures, with one it writes the same bytes. The tree is walked
// with an explicit stack, so its depth costs no program stack. The tag-level operations
// below also serve CXMLStreamWriter, which appends to a string as it goes, so that a
// document written element by element has the bytes its tree would render to.
//
// Layout values: -1 no layout; 0 or more the depth in tab characters; -2 an element
// whose only content is one text, kept on the line of its start tag.
class CXMLWriter {
public:
    // Returns the length of the text; writes it to `out` (no terminating zero) unless
    // `out` is null. Throws std::bad_alloc.
    static size_t Render(const SXMLElement* element, int layout, const CXMLCharTable& table,
                         char* out);

    // A writer that appends to `sink`, which must outlive it.
    CXMLWriter(const CXMLCharTable& table, std::string& sink)
        : m_table(table), m_out(nullptr), m_sink(&sink) {}

    // The layout of an element's tags: -2 for one that holds only one text.
    static int TagLayout(int layout, bool isDeclaration, bool onlyOneText);
    // The layout of an element's contents.
    static int ContentLayout(int layout, const char* name, bool isDeclaration);
    // The start tag up to its attributes, without the close ("<name a="v""); null names
    // write nothing.
    void OpenStartTag(const char* name, bool isDeclaration, const SXMLAttr* attributes,
                      size_t count, int layout);
    // Closes the start tag: "?>" for a declaration, ">" for an element with contents.
    void CloseStartTag(bool isDeclaration, bool hasContents, int layout);
    // The end tag, or "/>" for an element without contents.
    void EndTag(const char* name, bool isDeclaration, bool hasContents, int layout);
    void WriteText(const char* text, int layout);

private:
    struct SFrame {
        const SXMLElement* element;
        int layout;
        int contentLayout;
        size_t next;
    };

    CXMLWriter(const CXMLCharTable& table, char* out)
        : m_table(table), m_out(out), m_sink(nullptr) {}

    void StartElement(const SXMLElement* element, int layout);
    void EndElement(const SFrame& frame);
    void WriteClear(const SXMLElement* element, int index, int layout);

    void Put(char c);
    void Put(const char* text);
    void PutEscaped(const char* text);
    void PutTabs(int count);

    const CXMLCharTable& m_table;
    char* m_out;
    std::string* m_sink;
    size_t m_length = 0;
    std::vector<SFrame> m_frames;
};
