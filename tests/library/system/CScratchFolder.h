#pragma once

// CScratchFolder: a fresh folder under the temporary folder for one test, deleted with
// everything in it when the object goes. Names hold the process id, so that test
// programs running side by side never meet.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

class CScratchFolder {
public:
    CScratchFolder() {
        static int counter = 0;
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + "tm-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++counter);
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~CScratchFolder() { Remove(m_path); }
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

    // Creates the file name (relative to the folder) holding exactly bytes.
    bool Write(const std::string& name, const std::string& bytes) const {
        HANDLE file = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        DWORD written = 0;
        const BOOL ok =
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        return ok && written == bytes.size();
    }

    // The file's bytes, read beside a program that holds the file open (every sharing is
    // allowed to it). "<missing>" when no such file exists; any other failure fails the
    // test with the path and the system error and yields a text that equals no other
    // read, so that a comparison of two reads never passes without the bytes.
    std::string Read(const std::string& name) const {
        const std::string path = File(name);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
                return "<missing>";
            }
            return Unreadable(path, error);
        }
        std::string bytes;
        char buffer[4096];
        DWORD read = 0;
        BOOL ok = FALSE;
        while ((ok = ReadFile(file, buffer, sizeof(buffer), &read, nullptr)) && read > 0) {
            bytes.append(buffer, read);
        }
        const DWORD error = GetLastError();
        CloseHandle(file);
        return ok ? bytes : Unreadable(path, error);
    }

    bool MakeFolder(const std::string& name) const {
        return CreateDirectoryA(File(name).c_str(), nullptr) != FALSE;
    }

private:
    static std::string Unreadable(const std::string& path, DWORD error) {
        static unsigned int failures = 0;
        ADD_FAILURE() << "cannot read " << path << ": system error " << error;
        return "<unreadable " + std::to_string(++failures) + " " + path + ">";
    }

    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA data;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
        if (search != INVALID_HANDLE_VALUE) {
            std::vector<std::string> names;
            do {
                const std::string name = data.cFileName;
                if (name == "." || name == "..") {
                    continue;
                }
                const std::string path = folder + "\\" + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    names.push_back(path);
                } else {
                    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(search, &data));
            FindClose(search);
            for (const std::string& sub : names) {
                Remove(sub);
            }
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string m_path;
};
