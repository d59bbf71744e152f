#pragma once

#include "xmlParser/EXMLError.h"

#include <cstddef>
#include <vector>

// Base64 (standard alphabet, "=" padding) for binary data kept in XML texts. The codec
// owns the buffer of its last result, which lives until the next call or the codec's
// end. Error outputs may be null.
class CBase64Codec {
public:
    // Room for the encoding of n bytes, terminating zero included; `formatted` adds
    // room for a line feed after every 72 characters.
    static int EncodeLength(int n, bool formatted);
    // The encoding of `bytes`; formatted output breaks the line after every 18 groups.
    const char* Encode(const unsigned char* bytes, int n, bool formatted);
    // The number of bytes that `text` decodes to (white space skipped); 0 with
    // xeBase64BadCharacter for a character outside the alphabet; xeBase64DataSizeWarning
    // when the characters do not make whole groups of four.
    static int DecodeSize(const char* text, EXMLError* error);
    // Decodes into `buffer` of `size` bytes; "=" ends the data. False with
    // xeBase64BadCharacter, xeBase64TruncatedWarning (a lone character in the last
    // group) or xeBase64BufferTooSmall.
    static bool Decode(const char* text, unsigned char* buffer, int size, EXMLError* error);
    // Decodes into the codec's own buffer; null on failure.
    const unsigned char* DecodeToBuffer(const char* text, int* length, EXMLError* error);

private:
    std::vector<char> m_text;
    std::vector<unsigned char> m_bytes;
};
