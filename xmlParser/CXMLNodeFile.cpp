#include "xmlParser/CXMLNode.h"

#include "xmlParser/CXMLCharTable.h"
#include "xmlParser/CXMLString.h"
#include "xmlParser/SXMLElement.h"
#include "xmlParser/SXMLOptions.h"

#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

const size_t kProbeSize = 200;
const size_t kSmallestProbe = 25;
const unsigned char kUTF8Mark[] = {0xEF, 0xBB, 0xBF};

bool IsUTF16Text(const void* bytes, size_t length) {
    return IsTextUnicode(bytes, length > INT_MAX ? INT_MAX : static_cast<int>(length), nullptr) !=
           FALSE;
}

bool StartsWithUTF8Mark(const unsigned char* bytes, size_t length) {
    return length >= 3 && std::memcmp(bytes, kUTF8Mark, 3) == 0;
}

// False when a byte that the UTF-8 table places inside a multi-byte character is not a
// continuation byte. A sequence cut by the end of the bytes is not held against them.
bool LooksLikeUTF8(const unsigned char* bytes, size_t length) {
    const CXMLCharTable& table = CXMLCharTable::For(xenUTF8);
    for (size_t i = 0; i < length;) {
        size_t n = table.LeadLength(bytes[i]);
        for (size_t k = 1; k < n && i + k < length; ++k) {
            if (bytes[i + k] < 0x80 || bytes[i + k] >= 0xC0) {
                return false;
            }
        }
        i += n;
    }
    return true;
}

// The encoding named by an "encoding=" declaration in the bytes, or `guess` when there
// is none.
EXMLEncoding EncodingFromDeclaration(const unsigned char* bytes, size_t length,
                                     EXMLEncoding guess) {
    const char* text = reinterpret_cast<const char*>(bytes);
    const char* end = text + length;
    const char* key = "encoding";
    const size_t keyLength = std::strlen(key);
    const char* p = text;
    while (p + keyLength <= end && std::memcmp(p, key, keyLength) != 0) {
        ++p;
    }
    if (p + keyLength > end) {
        return guess;
    }
    p += keyLength;
    auto skipWhiteSpace = [&]() {
        while (p < end && CXMLString::IsWhiteSpace(*p)) {
            ++p;
        }
    };
    skipWhiteSpace();
    if (p >= end || *p++ != '=') {
        return guess;
    }
    skipWhiteSpace();
    if (p >= end || (*p != '"' && *p != '\'')) {
        return guess;
    }
    ++p;
    skipWhiteSpace();
    auto is = [&](const char* name) {
        size_t n = std::strlen(name);
        return static_cast<size_t>(end - p) >= n && CXMLString::EqualNoCase(p, name, n);
    };
    if (is("utf-8") || is("utf8")) {
        return guess == xenLegacy ? xenError : xenUTF8;
    }
    if (is("shiftjis") || is("shift-jis") || is("sjis")) {
        return xenShiftJIS;
    }
    return xenLegacy;
}

bool ReadAll(std::FILE* file, std::vector<char>& data) {
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof(chunk), file)) > 0) {
        data.insert(data.end(), chunk, chunk + n);
    }
    return std::ferror(file) == 0;
}

CXMLNode Failed(EXMLError error, SXMLResults* results) {
    if (results) {
        *results = SXMLResults{error, 0, 0};
    }
    return CXMLNode();
}

// UTF-16 text (after an optional byte-order mark) as narrow text of the global encoding.
bool NarrowFromUTF16(const std::vector<char>& data, size_t size, std::string& text) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data.data());
    size_t skip = 0;
    if (size >= 2 &&
        ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xEF && bytes[1] == 0xFF))) {
        skip = 2;
    }
    size_t count = (size - skip) / 2;
    if (count == 0) {
        return true;
    }
    if (count > INT_MAX / 4) {
        return false;
    }
    const UINT codePage = SXMLOptions::Current().encoding == xenUTF8 ? CP_UTF8 : CP_ACP;
    const WCHAR* wide = reinterpret_cast<const WCHAR*>(data.data() + skip);
    int length = WideCharToMultiByte(codePage, 0, wide, static_cast<int>(count), nullptr, 0,
                                     nullptr, nullptr);
    if (length <= 0) {
        return false;
    }
    text.resize(static_cast<size_t>(length));
    return WideCharToMultiByte(codePage, 0, wide, static_cast<int>(count), &text[0], length,
                               nullptr, nullptr) == length;
}

std::string FormatLoadError(const char* path, const char* tag, const SXMLResults& results) {
    const bool tagMissing = results.error == xeFirstTagNotFound;
    const char* format = "XML Parsing error inside file '%s'.\n%s\nAt line %i, column %i.\n%s%s%s";
    const char* args[] = {path ? path : "", CXMLNode::DescribeError(results.error),
                          tagMissing ? "First Tag should be '" : "", tagMissing && tag ? tag : "",
                          tagMissing ? "'.\n" : ""};
    int length = std::snprintf(nullptr, 0, format, args[0], args[1], results.line, results.column,
                               args[2], args[3], args[4]);
    std::string message(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    std::snprintf(&message[0], message.size() + 1, format, args[0], args[1], results.line,
                  results.column, args[2], args[3], args[4]);
    return message;
}

} // namespace

EXMLEncoding CXMLNode::DetectEncoding(const void* bytes, size_t length, bool useDeclaration) {
    const unsigned char* data = static_cast<const unsigned char*>(bytes);
    if (!data || length < kSmallestProbe) {
        return xenError;
    }
    if (SXMLOptions::Current().guessWideCharacters && IsUTF16Text(data, length)) {
        return xenError;
    }
    if (StartsWithUTF8Mark(data, length)) {
        return xenUTF8;
    }
    EXMLEncoding guess = LooksLikeUTF8(data, length) ? xenUTF8 : xenLegacy;
    if (!useDeclaration) {
        return guess;
    }
    return EncodingFromDeclaration(data, length < kProbeSize ? length : kProbeSize, guess);
}

CXMLNode CXMLNode::LoadFile(const char* path, const char* tag, SXMLResults* results) {
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file) {
        return Failed(xeFileNotFound, results);
    }
    std::vector<char> data;
    bool read = false;
    try {
        read = ReadAll(file, data);
    } catch (const std::bad_alloc&) {
    }
    std::fclose(file);
    if (!read) {
        return Failed(xeFileNotFound, results);
    }
    const size_t size = data.size();
    if (size == 0) {
        return Failed(xeNoXMLData, results);
    }
    try {
        data.resize(size + 4, '\0');
        const char* text = data.data();
        std::string converted;
        const bool guessWide = SXMLOptions::Current().guessWideCharacters;
        if (guessWide && IsUTF16Text(data.data(), size)) {
            if (!NarrowFromUTF16(data, size, converted)) {
                return Failed(xeCharConversion, results);
            }
            text = converted.c_str();
        } else if (guessWide &&
                   StartsWithUTF8Mark(reinterpret_cast<const unsigned char*>(text), size)) {
            text += 3;
        }
        return ParseString(text, tag, results);
    } catch (const std::bad_alloc&) {
        return Failed(xeNoXMLData, results);
    }
}

CXMLNode CXMLNode::LoadFileOrExit(const char* path, const char* tag) {
    if (std::FILE* file = path ? std::fopen(path, "rb") : nullptr) {
        unsigned char probe[kProbeSize];
        size_t read = std::fread(probe, 1, sizeof(probe), file);
        std::fclose(file);
        SXMLOptions& options = SXMLOptions::Current();
        if (read >= kSmallestProbe && !(options.guessWideCharacters && IsUTF16Text(probe, read))) {
            EXMLEncoding guess = DetectEncoding(probe, read, true);
            if (guess != xenError) {
                options.encoding = guess;
            }
        }
    }
    SXMLResults results;
    CXMLNode node = LoadFile(path, tag, &results);
    if (results.error == xeNone) {
        return node;
    }
    std::string message = FormatLoadError(path, tag, results);
    MessageBoxA(nullptr, message.c_str(), "XML Parsing error", MB_ICONERROR | MB_TOPMOST);
    std::exit(255);
}

EXMLError CXMLNode::SaveToFile(const char* path, const char* encodingName, bool layout) const {
    if (!m_element) {
        return xeNone;
    }
    std::FILE* file = path ? std::fopen(path, "wb") : nullptr;
    if (!file) {
        return xeCannotOpenWriteFile;
    }
    const EXMLEncoding encoding = SXMLOptions::Current().encoding;
    const SXMLElement* top = m_element;
    const bool hasDeclaration = top->isDeclaration || (!top->name && !top->children.empty() &&
                                                       top->children.front()->isDeclaration);
    bool written = true;
    if (encoding == xenUTF8) {
        written = std::fwrite(kUTF8Mark, 1, sizeof(kUTF8Mark), file) == sizeof(kUTF8Mark);
    }
    if (!hasDeclaration) {
        const char* name = encoding == xenUTF8       ? "utf-8"
                           : encoding == xenShiftJIS ? "SHIFT-JIS"
                           : encodingName            ? encodingName
                                                     : "ISO-8859-1";
        written =
            written && std::fprintf(file, "<?xml version=\"1.0\" encoding=\"%s\"?>\n", name) > 0;
    }
    size_t length = 0;
    char* text = CreateText(layout, &length);
    written = written && text && std::fwrite(text, 1, length, file) == length;
    FreeXMLText(text);
    if (std::fclose(file) != 0) {
        written = false;
    }
    return written ? xeNone : xeCannotWriteFile;
}
