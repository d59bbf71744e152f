#pragma once

// IFileSystem: the file operations through which CDataFile reads and safely saves
// files, and the clock that dates its backup copies. CFileSystem is the real one;
// tests put a double in its place to make single steps fail. Every operation
// reports failure by its result and leaves the reason in the thread's last error.

#include <windows.h>

#include <cstdint>
#include <string>

enum EFileOpenMode {
    fomReadWrite,  // an existing file, read and write access, others may only read
    fomReadShared, // an existing file, read access, others may read and write
    fomWrite,      // read and write access, others may only read; created when missing
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    virtual bool Exists(const std::string& path) = 0;
    // INVALID_HANDLE_VALUE on failure.
    virtual HANDLE Open(const std::string& path, EFileOpenMode mode) = 0;
    virtual bool GetSize(HANDLE file, uint64_t& size) = 0;
    virtual bool SeekToStart(HANDLE file) = 0;
    // Ends the file at its file pointer.
    virtual bool Truncate(HANDLE file) = 0;
    virtual bool Read(HANDLE file, void* buffer, uint32_t count, uint32_t& done) = 0;
    virtual bool Write(HANDLE file, const void* data, uint32_t count, uint32_t& done) = 0;
    virtual bool Flush(HANDLE file) = 0;
    // Fails when `to` exists.
    virtual bool Copy(const std::string& from, const std::string& to) = 0;
    // Clears the read-only, hidden and system attributes.
    virtual bool SetNormalAttributes(const std::string& path) = 0;
    virtual bool Delete(const std::string& path) = 0;
    // Fails when `to` exists.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    virtual SYSTEMTIME GetLocalNow() = 0;
};
