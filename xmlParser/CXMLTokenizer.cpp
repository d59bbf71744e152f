#include "xmlParser/CXMLTokenizer.h"

#include "xmlParser/CXMLCharTable.h"
#include "xmlParser/CXMLString.h"

#include <cstring>

namespace {

const SXMLClearTag kClearTags[] = {
    {"<![CDATA[", 9, "]]>"}, {"<!DOCTYPE", 9, ">"},        {"<!--", 4, "-->"},
    {"<PRE>", 5, "</PRE>"},  {"<Script>", 8, "</Script>"},
};
const SXMLClearTag& kDoctype = kClearTags[1];
const char* const kDoctypeSubsetClose = "]>";

bool EndsPlainText(const char* p, const char* end) {
    switch (*p) {
    case ' ':
    case '\t':
    case '\n':
    case '\r':
    case '<':
    case '=':
    case '>':
        return true;
    case '/':
        return end - p >= 2 && p[1] == '>';
    default:
        return false;
    }
}

} // namespace

CXMLTokenizer::CXMLTokenizer(const char* text, const char* end, const CXMLCharTable& table)
    : m_position(text), m_end(end), m_table(table) {}

const char* CXMLTokenizer::ScanPlainText(const char* p) const {
    while (p < m_end && !EndsPlainText(p, m_end)) {
        p += m_table.Length(p, m_end);
    }
    return p;
}

SXMLToken CXMLTokenizer::Next() {
    const char* p = m_position;
    while (p < m_end && CXMLString::IsWhiteSpace(*p)) {
        ++p;
    }
    SXMLToken token;
    token.start = p;
    const size_t left = static_cast<size_t>(m_end - p);
    if (left == 0 || *p == '\0') {
        m_position = p;
        token.kind = xtEndOfData;
        return token;
    }
    if (*p == '<') {
        for (const SXMLClearTag& tag : kClearTags) {
            if (left >= tag.openLength && std::memcmp(p, tag.open, tag.openLength) == 0) {
                token.kind = xtClearTag;
                token.clearTag = &tag;
                token.length = tag.openLength;
                m_position = p + tag.openLength;
                return token;
            }
        }
    }
    const char* next = nullptr;
    switch (*p) {
    case '"':
    case '\'':
        for (const char* q = p + 1; q < m_end && *q != '<'; q += m_table.Length(q, m_end)) {
            if (*q == *p) {
                token.kind = xtQuotedText;
                next = q + 1;
                break;
            }
        }
        break;
    case '<':
        token.kind = left >= 2 && p[1] == '/'   ? xtEndTagStart
                     : left >= 2 && p[1] == '?' ? xtDeclarationStart
                                                : xtTagStart;
        next = p + (token.kind == xtTagStart ? 1 : 2);
        break;
    case '>':
        token.kind = xtTagClose;
        next = p + 1;
        break;
    case '=':
        token.kind = xtEquals;
        next = p + 1;
        break;
    case '/':
        if (left >= 2 && p[1] == '>') {
            token.kind = xtShortClose;
            next = p + 2;
        }
        break;
    default:
        break;
    }
    if (!next) {
        token.kind = xtText;
        next = ScanPlainText(p + m_table.Length(p, m_end));
    }
    token.length = static_cast<size_t>(next - p);
    m_position = next;
    return token;
}

const char* CXMLTokenizer::Find(const char* p, const char* marker) const {
    const size_t length = std::strlen(marker);
    while (p < m_end) {
        if (static_cast<size_t>(m_end - p) < length) {
            return nullptr;
        }
        if (std::memcmp(p, marker, length) == 0) {
            return p;
        }
        p += m_table.Length(p, m_end);
    }
    return nullptr;
}

bool CXMLTokenizer::ReadClear(const SXMLClearTag& tag, const char** value, size_t* valueLength,
                              const char** closeTag) {
    const char* close = tag.close;
    const char* found = nullptr;
    if (&tag == &kDoctype) {
        const char* p = m_position;
        while (p < m_end && *p != '>' && *p != '<') {
            p += m_table.Length(p, m_end);
        }
        if (p < m_end && *p == '<') {
            close = kDoctypeSubsetClose;
            found = Find(m_position, close);
        } else if (p < m_end) {
            found = p;
        }
    } else {
        found = Find(m_position, close);
    }
    if (!found) {
        return false;
    }
    *value = m_position;
    *valueLength = static_cast<size_t>(found - m_position);
    *closeTag = close;
    m_position = found + std::strlen(close);
    return true;
}
