#include "library/system/TextConversion.h"

#include <cstdlib>

// Both directions stop at the first terminating zero, as the runtime conversions do.

std::wstring ToWideText(const char* text) {
    if (text == nullptr || *text == '\0') {
        return std::wstring();
    }
    const size_t needed = std::mbstowcs(nullptr, text, 0);
    if (needed == static_cast<size_t>(-1)) {
        return std::wstring();
    }
    std::wstring wide(needed + 1, L'\0');
    const size_t converted = std::mbstowcs(&wide[0], text, wide.size());
    if (converted == static_cast<size_t>(-1)) {
        return std::wstring();
    }
    wide.resize(converted);
    return wide;
}

std::wstring ToWideText(const std::string& text) {
    return ToWideText(text.c_str());
}

std::string ToCodePageText(const wchar_t* text) {
    if (text == nullptr || *text == L'\0') {
        return std::string();
    }
    const size_t needed = std::wcstombs(nullptr, text, 0);
    if (needed == static_cast<size_t>(-1)) {
        return std::string();
    }
    std::string bytes(needed + 1, '\0');
    const size_t converted = std::wcstombs(&bytes[0], text, bytes.size());
    if (converted == static_cast<size_t>(-1)) {
        return std::string();
    }
    bytes.resize(converted);
    return bytes;
}

std::string ToCodePageText(const std::wstring& text) {
    return ToCodePageText(text.c_str());
}
