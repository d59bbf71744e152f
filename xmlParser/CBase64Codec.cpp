#include "xmlParser/CBase64Codec.h"

#include "xmlParser/CXMLString.h"

#include <new>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const int kGroupsPerLine = 18;

// 0-63 for an alphabet character, 64 for "=", -1 for anything else.
int ValueOf(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    switch (c) {
    case '+':
        return 62;
    case '/':
        return 63;
    case '=':
        return 64;
    default:
        return -1;
    }
}

void Report(EXMLError* error, EXMLError value) {
    if (error) {
        *error = value;
    }
}

// Calls `symbol` with the value of each character of `text` that is not white space,
// until it returns false. False, with xeBase64BadCharacter, at a character outside the
// alphabet.
template <class F> bool ForEachSymbol(const char* text, EXMLError* error, F symbol) {
    for (const char* p = text ? text : ""; *p; ++p) {
        if (CXMLString::IsWhiteSpace(*p)) {
            continue;
        }
        int value = ValueOf(*p);
        if (value < 0) {
            Report(error, xeBase64BadCharacter);
            return false;
        }
        if (!symbol(value)) {
            break;
        }
    }
    return true;
}

} // namespace

int CBase64Codec::EncodeLength(int n, bool formatted) {
    if (n < 0) {
        return 0;
    }
    return 4 * ((n - 1) / 3) + 5 + (formatted ? n / 54 : 0);
}

const char* CBase64Codec::Encode(const unsigned char* bytes, int n, bool formatted) {
    try {
        m_text.assign(static_cast<size_t>(EncodeLength(n, formatted)), '\0');
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    size_t out = 0;
    int groups = 0;
    for (int i = 0; i < n; i += 3) {
        unsigned value = static_cast<unsigned>(bytes[i]) << 16;
        if (i + 1 < n) {
            value |= static_cast<unsigned>(bytes[i + 1]) << 8;
        }
        if (i + 2 < n) {
            value |= bytes[i + 2];
        }
        m_text[out++] = kAlphabet[(value >> 18) & 63];
        m_text[out++] = kAlphabet[(value >> 12) & 63];
        m_text[out++] = i + 1 < n ? kAlphabet[(value >> 6) & 63] : '=';
        m_text[out++] = i + 2 < n ? kAlphabet[value & 63] : '=';
        if (formatted && ++groups % kGroupsPerLine == 0) {
            m_text[out++] = '\n';
        }
    }
    m_text[out] = '\0';
    return m_text.data();
}

int CBase64Codec::DecodeSize(const char* text, EXMLError* error) {
    Report(error, xeNone);
    long long count = 0;
    int padding = 0;
    bool valid = ForEachSymbol(text, error, [&](int value) {
        padding = value == 64 ? padding + 1 : 0;
        ++count;
        return true;
    });
    if (!valid) {
        return 0;
    }
    if (count % 4 != 0) {
        Report(error, xeBase64DataSizeWarning);
    }
    long long size = count * 3 / 4 - padding;
    return size < 0 ? 0 : size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(size);
}

bool CBase64Codec::Decode(const char* text, unsigned char* buffer, int size, EXMLError* error) {
    Report(error, xeNone);
    int written = 0;
    int inGroup = 0;
    unsigned group = 0;
    bool fits = true;
    bool valid = ForEachSymbol(text, error, [&](int value) {
        if (value == 64) {
            return false;
        }
        group = (group << 6) | static_cast<unsigned>(value);
        if (++inGroup < 4) {
            return true;
        }
        if (written + 3 > size) {
            fits = false;
            return false;
        }
        buffer[written++] = static_cast<unsigned char>(group >> 16);
        buffer[written++] = static_cast<unsigned char>(group >> 8);
        buffer[written++] = static_cast<unsigned char>(group);
        inGroup = 0;
        group = 0;
        return true;
    });
    if (!valid) {
        return false;
    }
    if (inGroup == 1) {
        Report(error, xeBase64TruncatedWarning);
        return false;
    }
    const int bytes = inGroup > 1 ? inGroup - 1 : 0;
    if (!fits || written + bytes > size) {
        Report(error, xeBase64BufferTooSmall);
        return false;
    }
    group <<= 6 * (4 - inGroup);
    for (int i = 0; i < bytes; ++i) {
        buffer[written++] = static_cast<unsigned char>(group >> (16 - 8 * i));
    }
    return true;
}

const unsigned char* CBase64Codec::DecodeToBuffer(const char* text, int* length, EXMLError* error) {
    if (length) {
        *length = 0;
    }
    EXMLError sizeError = xeNone;
    int size = DecodeSize(text, &sizeError);
    Report(error, sizeError);
    if (sizeError == xeBase64BadCharacter) {
        return nullptr;
    }
    try {
        m_bytes.assign(static_cast<size_t>(size) + 1, 0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (!Decode(text, m_bytes.data(), size, error)) {
        return nullptr;
    }
    if (length) {
        *length = size;
    }
    return m_bytes.data();
}
