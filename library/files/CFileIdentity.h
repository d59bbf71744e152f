#pragma once

#include <cstdint>
#include <string>

// Which file on disk a path names, whatever its spelling: the volume serial number and the
// file index that the file system reports (GetFileInformationByHandle). Two paths of one
// file (a hard or symbolic link, a "\\?\" or "\\.\" prefix, another form of the folder)
// have the same identity; a path whose file cannot be asked has none.
class CFileIdentity {
public:
    // No identity: equal to nothing.
    CFileIdentity() = default;
    // The identity of the file at path (symbolic links followed), asked without read or
    // write access, so that a file another program holds open can still be asked.
    static CFileIdentity Of(const std::string& path);

    bool IsKnown() const { return m_known; }
    // True only when both are known and name the same file.
    bool operator==(const CFileIdentity& other) const;
    bool operator!=(const CFileIdentity& other) const { return !(*this == other); }

private:
    bool m_known = false;
    std::uint32_t m_volumeSerial = 0;
    std::uint64_t m_fileIndex = 0;
};
