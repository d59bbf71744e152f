#pragma once

// CFileFinder: lists the files of a folder whose names match a wildcard pattern.
//
//   CFileFinder finder;
//   if (finder.Find(programFolder, "Tallymarks_*.dll")) {
//       for (const std::string& path : finder.GetPaths()) { ... }   // folder\name
//   }
//
// Only files are listed, and only those whose long name matches the pattern: the
// system also matches the short 8.3 names (x.dllx for *.dll) and folders.

#include <string>
#include <vector>

class CFileFinder {
public:
    CFileFinder() = default;
    virtual ~CFileFinder() = default;

    // Appends folder + "\" + name for every match (the list is not cleared first); an
    // empty folder gives bare names, relative to the current folder. True when the
    // search worked, also when nothing matched; false when it failed (e.g. the folder
    // is missing).
    bool Find(const std::string& folder, const std::string& pattern);
    const std::vector<std::string>& GetPaths() const { return m_paths; }

    // Whether name matches pattern: "*" any run of characters, "?" any one character,
    // ASCII letters in any case; a pattern ending in ".*" also matches a name without
    // extension, as the system's does.
    static bool MatchesPattern(const std::string& name, const std::string& pattern);

private:
    std::vector<std::string> m_paths;
};
