#pragma once

// IFileSystem: the file operations through which CDataFile reads and safely saves
// files, and the clock that dates its backup copies. CFileSystem is the real one;
// tests put a double in its place to make single steps fail or to stop a save part
// way. Every operation reports failure by its result and leaves the reason in the
// thread's last error (Exists too: false with "not found" means missing).

#include <windows.h>

#include <cstdint>
#include <string>

enum EFileOpenMode {
    fomReadWrite,  // an existing file, read and write access, others may only read
    fomReadShared, // an existing file, read access, others may read and write
    fomWrite,      // read and write access, others may only read; created when missing
    fomCreate,     // as fomWrite, but only a new file: fails when the path exists
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
    // Returns once the file's content is on the disk.
    virtual bool Flush(HANDLE file) = 0;
    // Clears the read-only, hidden and system attributes.
    virtual bool SetNormalAttributes(const std::string& path) = 0;
    virtual bool Delete(const std::string& path) = 0;
    // Renames a file; fails when `to` exists. Returns once the new name is on the disk.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    virtual SYSTEMTIME GetLocalNow() = 0;
};
