#pragma once

// The real file system with single operations made to fail on request, and a
// fixed clock. A failed operation sets the last error to FaultError(op), so a test
// can tell which step's reason a caller reports.

#include "library/files/CFileSystem.h"

#include <map>
#include <string>
#include <vector>

enum EFileOperation {
    opExists,
    opOpenRead, // both reading modes
    opOpenWrite,
    opGetSize,
    opSeek,
    opTruncate,
    opRead,
    opWrite,
    opShortWrite, // Write reports success after writing half
    opFlush,
    opCopy,
    opDelete,
    opMove,
    opCount
};

DWORD FaultError(EFileOperation operation);

class CFaultyFileSystem : public CFileSystem {
public:
    CFaultyFileSystem();

    // Makes the operation fail from now on; for operations on a path only when the
    // path (the source of a copy or move) contains pathPart.
    void Fail(EFileOperation operation, const std::string& pathPart = std::string());
    // Calls of the operation so far, failed ones included.
    int Calls(EFileOperation operation) const { return m_calls[operation]; }
    void SetNow(const SYSTEMTIME& now) { m_now = now; }

    bool Exists(const std::string& path) override;
    HANDLE Open(const std::string& path, EFileOpenMode mode) override;
    bool GetSize(HANDLE file, uint64_t& size) override;
    bool SeekToStart(HANDLE file) override;
    bool Truncate(HANDLE file) override;
    bool Read(HANDLE file, void* buffer, uint32_t count, uint32_t& done) override;
    bool Write(HANDLE file, const void* data, uint32_t count, uint32_t& done) override;
    bool Flush(HANDLE file) override;
    bool Copy(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    bool Move(const std::string& from, const std::string& to) override;
    SYSTEMTIME GetLocalNow() override { return m_now; }

private:
    // Counts the call; true (with the last error set) when it is to fail.
    bool Fails(EFileOperation operation, const std::string& path = std::string());

    std::map<EFileOperation, std::vector<std::string>> m_faults;
    int m_calls[opCount] = {};
    SYSTEMTIME m_now;
};
