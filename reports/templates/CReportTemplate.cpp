#include "reports/templates/CReportTemplate.h"

#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"
#include "library/settings/CINIFile.h"
#include "library/settings/CINISection.h"
#include "library/settings/CINISetting.h"

#include <windows.h>

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

} // namespace

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
    if (!contentFile.empty() && !LoadContent(folder + "\\" + contentFile)) {
        valid = false;
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
