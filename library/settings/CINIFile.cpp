#include "library/settings/CINIFile.h"

#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"
#include "library/settings/INIText.h"

#include <windows.h>

#include <utility>
#include <vector>

bool CINIFile::Load(const char* path) {
    m_path = path != nullptr ? path : "";
    CHandle<CIHVHandleTraits> file(CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                               nullptr));
    if (!file.IsSet()) {
        return false;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
        static_cast<uint64_t>(size.QuadPart) > MaxFileSize) {
        return false;
    }
    std::vector<char> data(static_cast<size_t>(size.QuadPart));
    if (!data.empty()) {
        DWORD read = 0;
        if (!ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) ||
            read != data.size()) {
            return false;
        }
    }
    ParseText(data.data(), data.size());
    return true;
}

bool CINIFile::Save(const char* path) {
    const std::string target = path != nullptr ? std::string(path) : m_path;
    if (target.empty()) {
        return false;
    }
    const std::string text = BuildText();
    CHandle<CIHVHandleTraits> file(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsSet()) {
        return false;
    }
    DWORD written = 0;
    if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size()) {
        return false;
    }
    m_path = target;
    return true;
}

CINISection* CINIFile::GetSection(const char* name, bool create) {
    return GetSection(name != nullptr ? std::string(name) : std::string(), create);
}

CINISection* CINIFile::GetSection(const std::string& name, bool create) {
    return FindOrCreateByName(m_sections, name, create);
}

bool CINIFile::HasSection(const std::string& name) const {
    return m_sections.count(ToLowerASCII(name)) != 0;
}

void CINIFile::ParseText(const char* data, size_t size) {
    CINISection* current = nullptr;
    size_t position = 0;
    while (position < size) {
        size_t end = position;
        while (end < size && !(data[end] == '\r' && end + 1 < size && data[end + 1] == '\n')) {
            ++end;
        }
        ParseLine(TrimBlanksAndTabs(std::string(data + position, end - position)), current);
        position = end;
        while (position < size && (data[position] == '\r' || data[position] == '\n')) {
            ++position;
        }
    }
}

void CINIFile::ParseLine(const std::string& line, CINISection*& current) {
    if (line.empty()) {
        return;
    }
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
        current = GetSection(TrimBlanksAndTabs(line.substr(1, line.size() - 2)), true);
        return;
    }
    const size_t equals = line.find('=');
    if (current == nullptr || equals == std::string::npos || equals == 0) {
        return;
    }
    CINISetting* setting = current->GetSettingStd(TrimBlanksAndTabs(line.substr(0, equals)), true);
    setting->SetString(TrimBlanksAndTabs(line.substr(equals + 1)));
}

std::string CINIFile::BuildText() const {
    std::string text;
    for (const auto& entry : m_sections) {
        if (!text.empty()) {
            text += "\r\n\r\n";
        }
        entry.second->AppendText(text);
    }
    return text;
}
