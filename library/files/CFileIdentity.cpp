#include "library/files/CFileIdentity.h"

#include <windows.h>

CFileIdentity CFileIdentity::Of(const std::string& path) {
    CFileIdentity identity;
    // Attribute access only: it takes part in no sharing check. Folders need the backup
    // flag to be opened at all.
    HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return identity;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileInformationByHandle(file, &information)) {
        identity.m_known = true;
        identity.m_volumeSerial = information.dwVolumeSerialNumber;
        identity.m_fileIndex = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) |
                               information.nFileIndexLow;
    }
    CloseHandle(file);
    return identity;
}

bool CFileIdentity::operator==(const CFileIdentity& other) const {
    return m_known && other.m_known && m_volumeSerial == other.m_volumeSerial &&
           m_fileIndex == other.m_fileIndex;
}
