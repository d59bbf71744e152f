#pragma once

#include <cstddef>

class CXMLCharTable;

// An open marker of a clear content and the close marker that ends it.
struct SXMLClearTag {
    const char* open;
    size_t openLength;
    const char* close;
};

enum EXMLTokenKind {
    xtText = 0,
    xtQuotedText = 1,       // includes both quotes
    xtTagStart = 2,         // <
    xtEndTagStart = 3,      // </
    xtTagClose = 4,         // >
    xtEquals = 5,           // =
    xtDeclarationStart = 6, // <?
    xtShortClose = 7,       // />
    xtClearTag = 8,         // an open marker of the clear-tag table
    xtEndOfData = 9,
};

struct SXMLToken {
    EXMLTokenKind kind = xtEndOfData;
    const char* start = nullptr; // into the text
    size_t length = 0;
    const SXMLClearTag* clearTag = nullptr; // for xtClearTag
};

// Splits XML text into tokens without changing it. Every scan stops at `end`, which is
// the terminating zero or the end of the given length.
class CXMLTokenizer {
public:
    CXMLTokenizer(const char* text, const char* end, const CXMLCharTable& table);

    SXMLToken Next();
    // Reads the clear content that starts at the current position (just after the
    // open marker of `tag`) and moves past its close marker. A DOCTYPE with an internal
    // subset (a "<" before any ">") runs to "]>" instead of ">". False when the close
    // marker is missing; the position then stays.
    bool ReadClear(const SXMLClearTag& tag, const char** value, size_t* valueLength,
                   const char** closeTag);

    const char* Position() const { return m_position; }
    const char* End() const { return m_end; }

private:
    const char* ScanPlainText(const char* p) const;
    // First occurrence of `marker` at or after `p`, stepping by characters, or null.
    const char* Find(const char* p, const char* marker) const;

    const char* m_position;
    const char* m_end;
    const CXMLCharTable& m_table;
};
