#include "library/settings/CINIFile.h"

#include "library/files/CDataFile.h"
#include "library/files/CDataStream.h"
#include "library/files/CFileSystem.h"
#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"
#include "library/settings/INIText.h"

#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

const char kUTF8Mark[] = "\xEF\xBB\xBF";

} // namespace

CINIFile::CINIFile() : m_fileSystem(&CFileSystem::GetDefault()) {}

CINIFile::CINIFile(IFileSystem& fileSystem) : m_fileSystem(&fileSystem) {}

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
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    CDataStream stream;
    stream.SetData(BuildText());
    CDataFile file(*m_fileSystem);
    const SDataFileSaveResult saved = file.Write(stream, target.c_str());
    const DWORD error = GetLastError();
    file.Close();
    if (!saved.ok) {
        SetLastError(error);
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
    const size_t markSize = sizeof(kUTF8Mark) - 1;
    size_t position = size >= markSize && memcmp(data, kUTF8Mark, markSize) == 0 ? markSize : 0;
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
