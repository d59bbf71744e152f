#include "model/CUtf8TextConverter.h"

#include <windows.h>

#include <climits>
#include <cstring>

namespace {

// The wide text as bytes of codePage; empty when it is empty or cannot be converted.
std::string FromWide(const std::wstring& wide, UINT codePage) {
    if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::string();
    }
    const int wideLength = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return std::string();
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), wideLength, &text[0], length, nullptr, nullptr);
    return text;
}

void AppendUtf16(std::wstring& wide, uint32_t codePoint) {
    if (codePoint < 0x10000) {
        wide.push_back(static_cast<wchar_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    wide.push_back(static_cast<wchar_t>(0xD800 + (codePoint >> 10)));
    wide.push_back(static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF)));
}

} // namespace

std::string CUtf8TextConverter::ToUtf8(const std::string& text) const {
    if (IsAscii(text.data(), text.size()) || text.size() > static_cast<std::size_t>(INT_MAX)) {
        return text;
    }
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(m_codePage, 0, text.data(), length, nullptr, 0);
    if (wideLength <= 0) {
        return std::string();
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(m_codePage, 0, text.data(), length, &wide[0], wideLength);
    return FromWide(wide, CP_UTF8);
}

std::string CUtf8TextConverter::FromUtf8(const char* text) const {
    if (text == nullptr) {
        return std::string();
    }
    const std::size_t length = std::strlen(text);
    if (IsAscii(text, length)) {
        return std::string(text, length);
    }
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    std::wstring wide;
    wide.reserve(length);
    for (std::size_t at = 0; at < length;) {
        uint32_t codePoint = 0;
        const std::size_t used = ReadSequence(bytes + at, length - at, codePoint);
        if (used == 0) {
            codePoint = bytes[at];
            ++at;
        } else {
            at += used;
        }
        AppendUtf16(wide, codePoint);
    }
    return FromWide(wide, m_codePage);
}

bool CUtf8TextConverter::IsValidUtf8(const char* bytes, std::size_t length) {
    const unsigned char* at = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char* end = at + length;
    while (at < end) {
        if (*at < 0x80) {
            ++at;
            continue;
        }
        uint32_t codePoint = 0;
        const std::size_t used = ReadSequence(at, static_cast<std::size_t>(end - at), codePoint);
        if (used == 0) {
            return false;
        }
        at += used;
    }
    return true;
}

std::size_t CUtf8TextConverter::ReadSequence(const unsigned char* bytes, std::size_t remaining,
                                             uint32_t& codePoint) {
    const unsigned char lead = bytes[0];
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length;
    // The range of the second byte excludes overlong forms, surrogates and values above
    // U+10FFFF; every later byte is a plain continuation byte.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (remaining < length || bytes[1] < low || bytes[1] > high) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (bytes[i] & 0x3F);
    }
    return length;
}

bool CUtf8TextConverter::IsAscii(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            return false;
        }
    }
    return true;
}
