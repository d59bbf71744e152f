#pragma once

#include <string>

// The backup copies that a save leaves beside a project file when it cannot finish: named
// after the file with " backup YYYY-MM-DD hh-mm-ss" and, when that name was taken, " (n)"
// before the extension (CDataFile::MakeBackupName).
class CProjectBackups {
public:
    // The newest backup copy of the project file at path that loads completely as a
    // project, in either format; "" when there is none. Only the newest few copies are
    // tried.
    static std::string FindComplete(const std::string& path);
    // Whether name (a file name without folder) is a backup name of the file stem plus
    // extension; letter case does not count.
    static bool IsBackupName(const std::string& name, const std::string& stem,
                             const std::string& extension);

private:
    static bool LoadsCompletely(const std::string& path);
};
