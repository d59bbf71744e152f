#include "ScratchFolder.h"

#include <algorithm>
#include <windows.h>

CScratchFolder::CScratchFolder() {
    char temp[MAX_PATH];
    char longTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    if (GetLongPathNameA(temp, longTemp, MAX_PATH) == 0) {
        lstrcpyA(longTemp, temp);
    }
    std::string base(longTemp);
    if (!base.empty() && base.back() == '\\') {
        base.pop_back();
    }
    static unsigned int counter = 0;
    do {
        m_path = base + "\\tm_files_" + std::to_string(GetCurrentProcessId()) + "_" +
                 std::to_string(++counter);
    } while (!CreateDirectoryA(m_path.c_str(), nullptr));
}

CScratchFolder::~CScratchFolder() {
    Remove(m_path);
}

void CScratchFolder::Remove(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                Remove(child);
            } else {
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

void CScratchFolder::WriteFile(const std::string& name, const std::string& bytes) const {
    HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string CScratchFolder::ReadFile(const std::string& name) const {
    HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<absent>";
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

bool CScratchFolder::Exists(const std::string& name) const {
    return GetFileAttributesA(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> CScratchFolder::List() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                names.push_back(found.cFileName);
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    return names;
}
