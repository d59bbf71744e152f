#pragma once

#include "xmlParser/EXMLError.h"

#include <cstddef>

class CXMLCharTable;

// The five character entities shared by the parser (decoding) and the writer
// (escaping), and character references (&#65; &#x41;) of codes below 256.
class CXMLEntities {
public:
    // Decodes `length` bytes of `text` into a new malloc'ed string (stored in *decoded;
    // an empty text gives ""). Entity names are matched without case; "&#;" gives a
    // zero byte. Returns xeUnknownCharacterEntity for an unknown entity, a reference
    // with a non-digit or without ";" within the length, xeCharacterCodeAbove255 for a
    // code of 256 or more, xeNoXMLData when memory runs out; *decoded is then null.
    static EXMLError Decode(const char* text, size_t length, const CXMLCharTable& table,
                            char** decoded);

    // The same into `out` (no terminating zero), which must have room for the decoded
    // length; with a null `out` it only checks and measures. Stores the decoded length
    // through `outLength` when the result is xeNone.
    static EXMLError DecodeInto(const char* text, size_t length, const CXMLCharTable& table,
                                char* out, size_t* outLength);

    // Writes `text` with & < > " ' replaced by their entities to `out` (no terminating
    // zero) and returns the number of bytes; with a null `out` it only measures.
    static size_t Escape(const char* text, const CXMLCharTable& table, char* out);
};
