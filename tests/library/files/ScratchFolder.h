#pragma once

// A fresh folder under the temporary folder for one test, removed with everything
// in it (read-only files too) when the object goes.

#include <string>
#include <vector>

class CScratchFolder {
public:
    CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;
    ~CScratchFolder();

    // The folder's absolute long path, without a final backslash.
    const std::string& GetPath() const { return m_path; }
    std::string Path(const std::string& name) const { return m_path + "\\" + name; }

    // Creates or replaces a file with exactly these bytes.
    void WriteFile(const std::string& name, const std::string& bytes) const;
    // The file's bytes; "<absent>" when it cannot be read.
    std::string ReadFile(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Names of the files in the folder, sorted.
    std::vector<std::string> List() const;

private:
    static void Remove(const std::string& path);

    std::string m_path;
};
