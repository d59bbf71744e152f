#pragma once

#include <cstddef>

// The string services of the XML module: its strings are allocated with malloc and
// released with free, so that strings handed in by callers (the "Owned" operations)
// and strings handed out (CXMLNode::CreateText) share one allocator. Names are compared
// without regard to ASCII letter case, independent of the C library's locale.
class CXMLString {
public:
    // A malloc'ed copy, or null for a null text or when memory runs out.
    static char* Copy(const char* text);
    static char* Copy(const char* text, size_t length);
    static void Free(const char* text);
    // Copies of an attribute's name and value (the value may be null). False, with
    // nothing allocated, for a null name or when memory runs out.
    static bool CopyAttribute(const char* name, const char* value, char** nameCopy,
                              char** valueCopy);

    static char ToLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
    // Whole texts equal without case; a null text equals nothing.
    static bool EqualNoCase(const char* a, const char* b);
    // The first `length` bytes equal without case (both sides must hold that many).
    static bool EqualNoCase(const char* a, const char* b, size_t length);
    static bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
};
