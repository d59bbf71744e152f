#pragma once

// The names a module file exports, read from its export directory as data.

#include <string>
#include <vector>

class CModuleExports {
public:
    // Reads the file's exported names in the order of its name table; symbols exported
    // by number only read as "#<ordinal>". False (with error set) when the file is no
    // readable module.
    static bool Read(const std::string& path, std::vector<std::string>& names, std::string& error);
};
