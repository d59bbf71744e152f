#pragma once

#include "library/files/IFileSystem.h"

// CFileSystem: IFileSystem on the Windows file functions and the local clock.
class CFileSystem : public IFileSystem {
public:
    bool Exists(const std::string& path) override;
    HANDLE Open(const std::string& path, EFileOpenMode mode) override;
    bool GetSize(HANDLE file, uint64_t& size) override;
    bool SeekToStart(HANDLE file) override;
    bool Truncate(HANDLE file) override;
    bool Read(HANDLE file, void* buffer, uint32_t count, uint32_t& done) override;
    bool Write(HANDLE file, const void* data, uint32_t count, uint32_t& done) override;
    bool Flush(HANDLE file) override;
    bool SetNormalAttributes(const std::string& path) override;
    bool Delete(const std::string& path) override;
    bool Move(const std::string& from, const std::string& to) override;
    SYSTEMTIME GetLocalNow() override;

    // The one instance that data files use unless they are given another.
    static CFileSystem& GetDefault();
};
