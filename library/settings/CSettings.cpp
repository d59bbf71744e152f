#include "library/settings/CSettings.h"

#include "library/settings/IPersistentObject.h"

#include <windows.h>
#include <shlobj.h>

namespace {

// 0 when the path names an existing folder (created first when missing and create is
// set), else the system's reason.
DWORD PrepareFolder(const std::string& folder, bool create) {
    if (create) {
        CreateDirectoryA(folder.c_str(), nullptr); // fails harmlessly when it exists
    }
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error != ERROR_SUCCESS ? error : ERROR_PATH_NOT_FOUND;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? ERROR_SUCCESS : ERROR_DIRECTORY;
}

bool IsMissing(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

CSettings::CSettings() : m_ini(std::make_unique<CINIFile>()) {}

CSettings::~CSettings() = default;

void CSettings::Register(IPersistentObject* object) {
    if (object != nullptr) {
        m_objects.push_back(object);
    }
}

bool CSettings::Open(const std::string& folder, const std::string& fileName) {
    SetPaths(folder, fileName);
    m_loaded = false;
    m_ini = std::make_unique<CINIFile>();
    SetLastError(ERROR_SUCCESS);
    if (!m_ini->Load(m_filePath.c_str())) {
        const DWORD error = GetLastError();
        if (!IsMissing(m_filePath)) {
            // Loading defaults and later saving them would replace the user's settings.
            return FailOpen(error != ERROR_SUCCESS ? error : ERROR_READ_FAULT);
        }
    }
    m_loaded = true;
    LoadObjects();
    return true;
}

bool CSettings::OpenInSpecialFolder(bool perUser, const std::string& fileName) {
    std::string folder;
    if (!GetSpecialFolder(perUser, folder)) {
        return FailOpen(ERROR_PATH_NOT_FOUND);
    }
    const DWORD error = PrepareFolder(folder, false);
    if (error != ERROR_SUCCESS) {
        SetPaths(folder, fileName);
        return FailOpen(error);
    }
    return Open(folder, fileName);
}

bool CSettings::OpenInSpecialFolder(bool perUser, const std::string& subFolder,
                                    const std::string& fileName) {
    std::string special;
    if (!GetSpecialFolder(perUser, special)) {
        return FailOpen(ERROR_PATH_NOT_FOUND);
    }
    const std::string folder = special + "\\" + subFolder;
    const DWORD error = PrepareFolder(folder, true);
    if (error != ERROR_SUCCESS) {
        SetPaths(folder, fileName);
        return FailOpen(error);
    }
    return Open(folder, fileName);
}

bool CSettings::Save() {
    if (!m_loaded) {
        return true;
    }
    for (IPersistentObject* object : m_objects) {
        object->Save(*m_ini);
    }
    return m_ini->Save(m_filePath.c_str());
}

bool CSettings::GetSpecialFolder(bool perUser, std::string& folder) const {
    char path[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, perUser ? CSIDL_APPDATA : CSIDL_COMMON_APPDATA,
                                 FALSE) ||
        path[0] == '\0') {
        return false;
    }
    folder = path;
    if (folder.back() == '\\') {
        folder.pop_back();
    }
    return true;
}

void CSettings::SetPaths(const std::string& folder, const std::string& fileName) {
    m_folder = folder;
    m_filePath = folder + "\\" + fileName;
}

bool CSettings::FailOpen(unsigned long error) {
    m_loaded = false;
    m_ini = std::make_unique<CINIFile>();
    LoadObjects();
    SetLastError(error);
    return false;
}

void CSettings::LoadObjects() {
    for (IPersistentObject* object : m_objects) {
        object->Load(*m_ini);
    }
}
