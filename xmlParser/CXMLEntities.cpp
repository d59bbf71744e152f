#include "xmlParser/CXMLEntities.h"

#include "xmlParser/CXMLCharTable.h"
#include "xmlParser/CXMLString.h"

#include <cstdlib>
#include <cstring>

namespace {

struct SEntity {
    const char* text;
    size_t length;
    char character;
};

const SEntity kEntities[] = {
    {"&amp;", 5, '&'}, {"&lt;", 4, '<'}, {"&gt;", 4, '>'}, {"&quot;", 6, '"'}, {"&apos;", 6, '\''},
};

const SEntity* EntityFor(char c) {
    switch (c) {
    case '&':
        return &kEntities[0];
    case '<':
        return &kEntities[1];
    case '>':
        return &kEntities[2];
    case '"':
        return &kEntities[3];
    case '\'':
        return &kEntities[4];
    default:
        return nullptr;
    }
}

int DigitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (hex && c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (hex && c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

EXMLError CXMLEntities::DecodeInto(const char* text, size_t length, const CXMLCharTable& table,
                                   char* out, size_t* outLength) {
    const char* end = text + length;
    size_t written = 0;
    const char* p = text;
    while (p < end) {
        if (*p != '&') {
            size_t n = table.Length(p, end);
            if (out) {
                std::memcpy(out + written, p, n);
            }
            written += n;
            p += n;
            continue;
        }
        char character = 0;
        if (end - p >= 2 && p[1] == '#') {
            const char* q = p + 2;
            bool hex = q < end && (*q == 'x' || *q == 'X');
            if (hex) {
                ++q;
            }
            unsigned code = 0;
            for (; q < end && *q != ';'; ++q) {
                int digit = DigitValue(*q, hex);
                if (digit < 0) {
                    return xeUnknownCharacterEntity;
                }
                code = code * (hex ? 16 : 10) + static_cast<unsigned>(digit);
                if (code > 255) {
                    code = 256; // kept small: only "too big" matters from here on
                }
            }
            if (q == end) {
                return xeUnknownCharacterEntity;
            }
            if (code > 255) {
                return xeCharacterCodeAbove255;
            }
            character = static_cast<char>(code);
            p = q + 1;
        } else {
            const SEntity* found = nullptr;
            for (const SEntity& entity : kEntities) {
                if (static_cast<size_t>(end - p) >= entity.length &&
                    CXMLString::EqualNoCase(p, entity.text, entity.length)) {
                    found = &entity;
                    break;
                }
            }
            if (!found) {
                return xeUnknownCharacterEntity;
            }
            character = found->character;
            p += found->length;
        }
        if (out) {
            out[written] = character;
        }
        ++written;
    }
    *outLength = written;
    return xeNone;
}

EXMLError CXMLEntities::Decode(const char* text, size_t length, const CXMLCharTable& table,
                               char** decoded) {
    *decoded = nullptr;
    size_t size = 0;
    EXMLError error = DecodeInto(text, length, table, nullptr, &size);
    if (error != xeNone) {
        return error;
    }
    char* result = static_cast<char*>(std::malloc(size + 1));
    if (!result) {
        return xeNoXMLData;
    }
    DecodeInto(text, length, table, result, &size);
    result[size] = '\0';
    *decoded = result;
    return xeNone;
}

size_t CXMLEntities::Escape(const char* text, const CXMLCharTable& table, char* out) {
    size_t written = 0;
    const char* end = text + std::strlen(text);
    for (const char* p = text; p < end;) {
        const SEntity* entity = EntityFor(*p);
        const char* from = entity ? entity->text : p;
        size_t n = entity ? entity->length : table.Length(p, end);
        if (out) {
            std::memcpy(out + written, from, n);
        }
        written += n;
        p += entity ? 1 : n;
    }
    return written;
}
