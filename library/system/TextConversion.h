#pragma once

// Conversions between the program's code-page text and wide text, by the multibyte
// conversion of the runtime library's current locale (LC_CTYPE).
//
// A text that cannot be converted (a byte sequence the code page does not define, a
// wide character the code page cannot express) gives an empty result, never a part.

#include <string>

std::wstring ToWideText(const char* text);
std::wstring ToWideText(const std::string& text);
std::string ToCodePageText(const wchar_t* text);
std::string ToCodePageText(const std::wstring& text);
