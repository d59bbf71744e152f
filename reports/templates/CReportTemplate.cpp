#include "reports/templates/CReportTemplate.h"

#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"
#include "library/settings/CINIFile.h"
#include "library/settings/CINISection.h"
#include "library/settings/CINISetting.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace {

const char* const kSection = "Settings";

// The value of key in section, trimmed by the INI reader; empty when missing.
std::string ReadKey(CINISection* section, const char* key) {
    if (section == nullptr) {
        return std::string();
    }
    const CINISetting* setting = section->GetSetting(key, false);
    return setting != nullptr ? setting->GetStringStd(std::string()) : std::string();
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

// The absolute form of path, or empty when it cannot be made.
std::string FullPath(const std::string& path) {
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return std::string();
    }
    std::string full(needed, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), needed, &full[0], nullptr);
    if (length == 0 || length >= needed) {
        return std::string();
    }
    full.resize(length);
    return full;
}

// A part of a path that the system may take as the parent folder: two or more dots, with
// or without trailing spaces (which the system drops).
bool IsParentPart(const std::string& part) {
    size_t dots = 0;
    for (char c : part) {
        if (c == '.') {
            ++dots;
        } else if (c != ' ') {
            return false;
        }
    }
    return dots >= 2;
}

} // namespace

bool CReportTemplate::IsInsideFolder(const std::string& folder, const std::string& fileName) {
    // Drives and streams (":"), absolute paths, shares and "\\?\" names (a leading slash)
    // and parent parts are refused by their text, before the system interprets anything.
    if (fileName.empty() || fileName.find(':') != std::string::npos || fileName[0] == '\\' ||
        fileName[0] == '/') {
        return false;
    }
    size_t from = 0;
    while (from <= fileName.size()) {
        size_t to = fileName.find_first_of("\\/", from);
        if (to == std::string::npos) {
            to = fileName.size();
        }
        if (IsParentPart(fileName.substr(from, to - from))) {
            return false;
        }
        from = to + 1;
    }
    // What is left must still resolve below the folder (device names resolve elsewhere).
    std::string base = FullPath(folder);
    const std::string full = FullPath(folder + "\\" + fileName);
    if (base.empty() || full.empty()) {
        return false;
    }
    if (base.back() != '\\') {
        base += '\\';
    }
    return full.size() > base.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, full.c_str(),
                          static_cast<int>(base.size()), base.c_str(),
                          static_cast<int>(base.size())) == CSTR_EQUAL;
}

std::int32_t CReportTemplate::ParseFormat(const std::string& value) {
    static const char* const kWords[] = {"csv", "tab", "html", "xml", "rtf", "txt"};
    for (std::int32_t code = 0; code < 6; ++code) {
        if (EqualsIgnoringCase(value, kWords[code])) {
            return code;
        }
    }
    return -1;
}

bool CReportTemplate::Load(const std::string& folder, const std::string& indexFileName) {
    m_fileName = indexFileName;
    m_problem = EProblem::Invalid;
    CINIFile index;
    if (!index.Load((folder + "\\" + indexFileName).c_str())) {
        return false;
    }
    return LoadIndex(index, folder);
}

bool CReportTemplate::LoadIndex(CINIFile& index, const std::string& folder) {
    CINISection* section = index.GetSection(kSection, false);
    m_categorization = ReadKey(section, "Categorization");
    m_description = ReadKey(section, "Description");
    m_format = ParseFormat(ReadKey(section, "Format"));
    m_fileNameType = ReadKey(section, "FileNameType");
    m_defaultExtension = ReadKey(section, "DefaultExtension");
    const std::string contentFile = ReadKey(section, "ContentFile");
    bool valid = !m_categorization.empty() && !m_description.empty() && m_format >= 0 &&
                 !m_fileNameType.empty() && !m_defaultExtension.empty() && !contentFile.empty();
    m_problem = valid ? EProblem::None : EProblem::Invalid;
    if (!contentFile.empty()) {
        if (!IsInsideFolder(folder, contentFile)) {
            m_problem = EProblem::ContentOutsideFolder;
            return false;
        }
        if (!LoadContent(folder + "\\" + contentFile)) {
            m_problem = EProblem::Invalid;
            return false;
        }
    }
    if (valid &&
        std::count(m_categorization.begin(), m_categorization.end(), '\\') >= kMaxCategoryLevels) {
        m_problem = EProblem::CategoryTooDeep;
        return false;
    }
    return valid;
}

bool CReportTemplate::LoadContent(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    CHandle<CIHVHandleTraits> file(CreateFileA(path.c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsSet()) {
        return false;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > kMaxContentSize) {
        return false;
    }
    std::string content(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!content.empty() &&
        (!ReadFile(file.Get(), &content[0], static_cast<DWORD>(content.size()), &read, nullptr) ||
         read != content.size())) {
        return false;
    }
    m_content.swap(content);
    return true;
}
