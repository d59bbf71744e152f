#pragma once

// CUtf8TextConverter: moves names between the code page in which the program holds them
// and UTF-8, the encoding of the XML project file.
//
// Bytes that are not part of a valid UTF-8 sequence are read as the characters of the
// same number (U+0000-U+00FF): that is what a character reference such as "&#233;"
// leaves behind in parsed text. A character that the code page cannot hold becomes the
// code page's default character.

#include <cstddef>
#include <cstdint>
#include <string>

class CUtf8TextConverter {
public:
    // codePage: a Windows code page; 0 (CP_ACP) is the system's ANSI code page.
    explicit CUtf8TextConverter(unsigned int codePage = 0) : m_codePage(codePage) {}

    std::string ToUtf8(const std::string& text) const;
    // Null gives an empty text.
    std::string FromUtf8(const char* text) const;

    // Every byte belongs to a well-formed UTF-8 sequence (no overlong forms, no
    // surrogates, nothing above U+10FFFF). A zero byte counts as a character.
    static bool IsValidUtf8(const char* bytes, std::size_t length);

private:
    // The length of the well-formed sequence at bytes (its character in codePoint), or 0.
    static std::size_t ReadSequence(const unsigned char* bytes, std::size_t remaining,
                                    uint32_t& codePoint);
    static bool IsAscii(const char* text, std::size_t length);

    unsigned int m_codePage;
};
