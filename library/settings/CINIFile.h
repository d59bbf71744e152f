#pragma once

// CINIFile: an INI settings file held whole in memory.
//
// Load reads the file in one piece; Save writes it back in one piece. The rules are
// this program's own, not those of the Windows profile functions:
//  - a line ends only at CR LF (runs of further CR and LF bytes are skipped); a lone CR
//    or LF belongs to the line; lines are trimmed of blanks and tabs;
//  - "[name]" starts a section; "key=value" (with "=" not first) is a setting; every
//    other line is ignored, and there are no comment lines (";k=v" is the key ";k");
//  - names are compared without regard to ASCII letter case; a name keeps its first
//    spelling, and of two values for one key the later wins;
//  - sections, and the settings in each, are written in the byte order of their
//    lower-cased names; lines end in CR LF, a blank line separates sections, and the
//    text ends behind the last value with no line end.
//
//   CINIFile ini;
//   ini.Load(path);                                  // a missing file leaves it empty
//   CINISection* main = ini.GetSection("Main", true);
//   int32_t width = main->GetSetting("Width", true)->GetInt(640);
//   ini.Save(nullptr);                               // to the path given to Load
//
// Save goes through the safe save of data files (CDataFile): the old file is kept in a
// flushed backup until the new text is on the disk, so a crash or a full disk during
// the save never loses the settings. A UTF-8 byte-order mark at the start of a file
// (as some editors write it) is skipped on reading.

#include "library/settings/CINISection.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

class IFileSystem;

class CINIFile {
public:
    // Files above this size are refused by Load: no settings file comes near it.
    static constexpr uint64_t MaxFileSize = 64u * 1024u * 1024u;

    // Saves on the real file system.
    CINIFile();
    // Saves through the given file system, which must outlive this object.
    explicit CINIFile(IFileSystem& fileSystem);
    virtual ~CINIFile() = default;
    CINIFile(const CINIFile&) = delete;
    CINIFile& operator=(const CINIFile&) = delete;

    // Stores the path and reads the file into the sections already held (values read
    // replace those of equal keys). False when the file could not be opened, sized or
    // read whole; nothing is parsed then.
    bool Load(const char* path);
    // Writes every section to path, or to the stored path when path is null; true only
    // when every byte was written (and flushed). A given path becomes the stored path on
    // success. On failure the old file is unchanged, or, should that fail too, left in
    // its backup beside it; GetLastError() tells why.
    bool Save(const char* path);
    const std::string& GetPath() const { return m_path; }

    // The section of that name; when missing and create is set, a new empty section
    // with this spelling of the name, else null.
    CINISection* GetSection(const char* name, bool create);
    CINISection* GetSection(const std::string& name, bool create);
    bool HasSection(const std::string& name) const;

    // The in-memory halves of Load and Save: parse file bytes into the sections held,
    // and build the file's bytes.
    void ParseText(const char* data, size_t size);
    std::string BuildText() const;

private:
    void ParseLine(const std::string& line, CINISection*& current);

    IFileSystem* m_fileSystem;
    std::string m_path;
    std::map<std::string, std::unique_ptr<CINISection>> m_sections;
};
