#include "library/files/CFilePath.h"

#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>
#include <windows.h>

namespace {

// The placeholder of an unset path: a number never handed out twice in a process,
// written in hexadecimal. Unlike an object address it is never reused by a later
// object and keeps all its bits on 64-bit Windows.
std::string MakeUnsetText() {
    static std::atomic<unsigned long long> counter{0};
    char text[32];
    snprintf(text, sizeof(text), "%llx", ++counter);
    return text;
}

std::string LowerCase(const std::string& text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

CFilePath::CFilePath() : m_valid(false) {
    m_path = MakeUnsetText();
    m_fileName = m_path;
    m_key = m_path;
}

CFilePath::CFilePath(const char* text) : m_valid(false) {
    Set(text);
}

CFilePath::CFilePath(const std::string& text) : m_valid(false) {
    SetFromString(text);
}

CFilePath::CFilePath(const CFilePath& other) = default;

CFilePath::~CFilePath() = default;

CFilePath& CFilePath::operator=(const CFilePath& other) = default;

bool CFilePath::Set(const char* text) {
    return SetFromString(text ? text : "");
}

bool CFilePath::SetFromString(const std::string& text) {
    m_fileName.clear();
    m_path = text;
    m_valid = Normalise(m_path);
    m_key = LowerCase(m_path);
    return m_valid;
}

const std::string& CFilePath::GetFileName() const {
    if (m_fileName.empty()) {
        size_t slash = m_path.rfind('\\');
        m_fileName = slash == std::string::npos ? m_path : m_path.substr(slash + 1);
    }
    return m_fileName;
}

bool CFilePath::Exists() const {
    return PathExists(m_path);
}

bool CFilePath::Equals(const char* text) const {
    return Equals(std::string(text ? text : ""));
}

bool CFilePath::Equals(const std::string& text) const {
    std::string normalised(text);
    Normalise(normalised);
    return _stricmp(normalised.c_str(), m_key.c_str()) == 0;
}

bool CFilePath::Normalise(std::string& path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return false;
    }
    std::vector<char> full(needed + 1);
    DWORD length = GetFullPathNameA(path.c_str(), needed + 1, full.data(), nullptr);
    if (length == 0 || length > needed) {
        return false;
    }
    path.assign(full.data(), length);
    if (!PathExists(path)) {
        return false;
    }
    return MakeLongPath(path);
}

bool CFilePath::MakeLongPath(std::string& path) {
    char probe[1];
    DWORD needed = GetLongPathNameA(path.c_str(), probe, 1);
    if (needed == 0) {
        return false;
    }
    std::vector<char> longPath(needed + 1);
    DWORD length = GetLongPathNameA(path.c_str(), longPath.data(), needed + 1);
    if (length == 0 || length > needed) {
        return false;
    }
    path.assign(longPath.data(), length);
    return true;
}
