#pragma once
#include "library/files/CFilePath.h"

#include <string>

// How a project is remembered in the open and recent project lists: its name and its file.
struct SProjectEntry {
    std::string name;
    CFilePath filePath;

    // The entry that lists give for an index out of range: empty name, unset path.
    static const SProjectEntry& GetEmpty() {
        static const SProjectEntry empty;
        return empty;
    }
};
