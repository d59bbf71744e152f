#include "library/files/CFileFinder.h"

#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

#include <windows.h>

namespace {

char LowerASCII(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Iterative wildcard match with one back-track point: linear in practice, and never
// recursive whatever the pattern.
bool Matches(const std::string& name, const std::string& pattern) {
    size_t n = 0;
    size_t p = 0;
    size_t starPattern = std::string::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || LowerASCII(pattern[p]) == LowerASCII(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::string::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

bool CFileFinder::MatchesPattern(const std::string& name, const std::string& pattern) {
    if (Matches(name, pattern)) {
        return true;
    }
    const size_t size = pattern.size();
    return size >= 2 && pattern.compare(size - 2, 2, ".*") == 0 &&
           name.find('.') == std::string::npos && Matches(name, pattern.substr(0, size - 2));
}

bool CFileFinder::Find(const std::string& folder, const std::string& pattern) {
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '\\') {
        prefix += '\\';
    }
    WIN32_FIND_DATAA data;
    CHandle<CFFHandleTraits> search(FindFirstFileA((prefix + pattern).c_str(), &data));
    if (!search.IsSet()) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    // A pattern may name a sub-folder; the names found are matched against its last part.
    const size_t slash = pattern.find_last_of("\\/");
    const std::string namePattern =
        slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            MatchesPattern(data.cFileName, namePattern)) {
            m_paths.push_back(prefix + data.cFileName);
        }
    } while (FindNextFileA(search, &data));
    return true;
}
