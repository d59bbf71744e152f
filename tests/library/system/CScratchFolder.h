#pragma once

// CScratchFolder: a fresh folder under the temporary folder for one test, deleted with
// everything in it when the object goes. Names hold the process id, so that test
// programs running side by side never meet.

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

    // The file's bytes; "<missing>" when it cannot be read.
    std::string Read(const std::string& name) const {
        HANDLE file = CreateFileA(File(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return "<missing>";
        }
        std::string bytes;
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
            bytes.append(buffer, read);
        }
        CloseHandle(file);
        return bytes;
    }

    bool MakeFolder(const std::string& name) const {
        return CreateDirectoryA(File(name).c_str(), nullptr) != FALSE;
    }

private:
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
