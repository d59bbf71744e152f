#pragma once

#include "xmlParser/EXMLEncoding.h"

#include <cstddef>

// Byte lengths of the characters of one encoding. Every scan of the parser, the entity
// codec and the writer steps by Length(), so that the trailing bytes of a multi-byte
// character are never taken for markup.
//
// Length() never steps past `end`: a lead byte whose sequence is cut by the end of the
// text (or its terminating zero), or whose trailing bytes do not belong to the
// encoding, counts as a character of one byte.
class CXMLCharTable {
public:
    static const CXMLCharTable& For(EXMLEncoding encoding);
    // The table of the encoding chosen with CXMLNode::SetParserOptions.
    static const CXMLCharTable& Current();

    // The length that the encoding gives a lead byte, before any check of what follows.
    size_t LeadLength(unsigned char lead) const { return m_lengths[lead]; }

    size_t Length(const char* p, const char* end) const {
        const unsigned char lead = static_cast<unsigned char>(*p);
        const size_t length = m_lengths[lead];
        if (length <= 1 || static_cast<size_t>(end - p) < length) {
            return 1;
        }
        for (size_t i = 1; i < length; ++i) {
            if (!m_trail[static_cast<unsigned char>(p[i])]) {
                return 1;
            }
        }
        return length;
    }

private:
    CXMLCharTable(EXMLEncoding encoding);

    unsigned char m_lengths[256];
    bool m_trail[256];
};
