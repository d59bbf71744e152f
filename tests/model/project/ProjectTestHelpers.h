#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace projecttest {

// A fresh folder under the temporary folder, removed with its files afterwards.
class CTempFolder {
public:
    CTempFolder() {
        char base[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, base);
        static int counter = 0;
        m_path = std::string(base) + "projtest_" + std::to_string(GetCurrentProcessId()) + "_" +
                 std::to_string(++counter);
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    ~CTempFolder() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string file = Path(found.cFileName);
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(file.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(m_path.c_str());
    }
    const std::string& GetPath() const { return m_path; }
    std::string Path(const std::string& name) const { return m_path + "\\" + name; }
    void WriteFile(const std::string& name, const std::string& bytes) const {
        HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    bool Exists(const std::string& name) const {
        return GetFileAttributesA(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // The number of entries in the folder.
    int Count() const {
        int count = 0;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                count += found.cFileName[0] != '.';
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        return count;
    }

private:
    std::string m_path;
};

} // namespace projecttest
