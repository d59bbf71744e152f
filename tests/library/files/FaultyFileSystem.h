#pragma once

// The real file system with single operations made to fail on request, a fixed
// clock, a log of the calls, and a model of a power cut. A failed operation sets the
// last error to FaultError(op), so a test can tell which step's reason a caller
// reports.

#include "library/files/CFileSystem.h"

#include <map>
#include <set>
#include <string>
#include <vector>

enum EFileOperation {
    opExists,
    opOpenRead, // both reading modes
    opOpenWrite,
    opOpenCreate,
    opGetSize,
    opSeek,
    opTruncate,
    opRead,
    opWrite,
    opShortWrite, // Write reports success after writing half
    opFlush,
    opDelete,
    opMove,
    opCount
};

DWORD FaultError(EFileOperation operation);

// One call: the operation and the name (without folder) of the file it worked on,
// the source of a move.
struct SFileCall {
    EFileOperation operation;
    std::string name;
    bool operator==(const SFileCall& other) const {
        return operation == other.operation && name == other.name;
    }
};

// Thrown by the call at which the process is to stop, as if it were killed there.
struct SProcessStopped {};

class CFaultyFileSystem : public CFileSystem {
public:
    CFaultyFileSystem();

    // Makes the operation fail from now on; only for a file whose path (the source
    // of a move) ends with pathEnd.
    void Fail(EFileOperation operation, const std::string& pathEnd = std::string());
    // Makes the call with this index (0 is the next call) fail, or stop the process.
    void FailCall(size_t index) { m_failCall = m_log.size() + index; }
    void StopAtCall(size_t index) { m_stopCall = m_log.size() + index; }
    // Calls of the operation so far, failed ones included.
    int Calls(EFileOperation operation) const { return m_calls[operation]; }
    const std::vector<SFileCall>& Log() const { return m_log; }
    void SetNow(const SYSTEMTIME& now) { m_now = now; }
    // What a power cut may leave: every file created, truncated or written since its
    // last flush is emptied. Its handles must be closed.
    void CutPower();

    bool Exists(const std::string& path) override;
    HANDLE Open(const std::string& path, EFileOpenMode mode) override;
    bool GetSize(HANDLE file, uint64_t& size) override;
    bool SeekToStart(HANDLE file) override;
    bool Truncate(HANDLE file) override;
    bool Read(HANDLE file, void* buffer, uint32_t count, uint32_t& done) override;
    bool Write(HANDLE file, const void* data, uint32_t count, uint32_t& done) override;
    bool Flush(HANDLE file) override;
    bool Delete(const std::string& path) override;
    bool Move(const std::string& from, const std::string& to) override;
    SYSTEMTIME GetLocalNow() override { return m_now; }

private:
    // Logs and counts the call; true (with the last error set) when it is to fail.
    bool Fails(EFileOperation operation, const std::string& path);
    bool Fails(EFileOperation operation, HANDLE file) { return Fails(operation, m_paths[file]); }

    std::map<EFileOperation, std::vector<std::string>> m_faults;
    int m_calls[opCount] = {};
    std::vector<SFileCall> m_log;
    size_t m_failCall = SIZE_MAX;
    size_t m_stopCall = SIZE_MAX;
    std::map<HANDLE, std::string> m_paths;
    std::set<std::string> m_unflushed;
    SYSTEMTIME m_now;
};
