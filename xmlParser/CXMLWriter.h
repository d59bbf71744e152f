#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CXMLCharTable;
struct SXMLElement;

// Renders an element tree as XML text. One routine serves both passes of
// CXMLNode::CreateText: without an output buffer it only measures, with one it writes
// the same bytes. The tree is walked with an explicit stack, so its depth costs no
// program stack.
//
// Layout values: -1 no layout; 0 or more the depth in tab characters; -2 an element
// whose only content is one text, kept on the line of its start tag.
class CXMLWriter {
public:
    // Returns the length of the text; writes it to `out` (no terminating zero) unless
    // `out` is null. Throws std::bad_alloc.
    static size_t Render(const SXMLElement* element, int layout, const CXMLCharTable& table,
                         char* out);

private:
    struct SFrame {
        const SXMLElement* element;
        int layout;
        int contentLayout;
        size_t next;
    };

    CXMLWriter(const CXMLCharTable& table, char* out) : m_table(table), m_out(out) {}

    void StartElement(const SXMLElement* element, int layout);
    void EndElement(const SFrame& frame);
    void WriteText(const char* text, int layout);
    void WriteClear(const SXMLElement* element, int index, int layout);

    void Put(char c);
    void Put(const char* text);
    void PutEscaped(const char* text);
    void PutTabs(int count);

    const CXMLCharTable& m_table;
    char* m_out;
    size_t m_length = 0;
    std::vector<SFrame> m_frames;
};
