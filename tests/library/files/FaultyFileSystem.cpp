#include "FaultyFileSystem.h"

DWORD FaultError(EFileOperation operation) {
    return 0x20000100u + operation;
}

CFaultyFileSystem::CFaultyFileSystem() : m_now{2010, 5, 1, 3, 14, 2, 9, 0} {}

void CFaultyFileSystem::Fail(EFileOperation operation, const std::string& pathPart) {
    m_faults[operation].push_back(pathPart);
}

bool CFaultyFileSystem::Fails(EFileOperation operation, const std::string& path) {
    ++m_calls[operation];
    auto faults = m_faults.find(operation);
    if (faults == m_faults.end()) {
        return false;
    }
    for (const std::string& part : faults->second) {
        if (path.find(part) != std::string::npos) {
            SetLastError(FaultError(operation));
            return true;
        }
    }
    return false;
}

bool CFaultyFileSystem::Exists(const std::string& path) {
    return !Fails(opExists, path) && CFileSystem::Exists(path);
}

HANDLE CFaultyFileSystem::Open(const std::string& path, EFileOpenMode mode) {
    if (Fails(mode == fomWrite ? opOpenWrite : opOpenRead, path)) {
        return INVALID_HANDLE_VALUE;
    }
    return CFileSystem::Open(path, mode);
}

bool CFaultyFileSystem::GetSize(HANDLE file, uint64_t& size) {
    return !Fails(opGetSize) && CFileSystem::GetSize(file, size);
}

bool CFaultyFileSystem::SeekToStart(HANDLE file) {
    return !Fails(opSeek) && CFileSystem::SeekToStart(file);
}

bool CFaultyFileSystem::Truncate(HANDLE file) {
    return !Fails(opTruncate) && CFileSystem::Truncate(file);
}

bool CFaultyFileSystem::Read(HANDLE file, void* buffer, uint32_t count, uint32_t& done) {
    return !Fails(opRead) && CFileSystem::Read(file, buffer, count, done);
}

bool CFaultyFileSystem::Write(HANDLE file, const void* data, uint32_t count, uint32_t& done) {
    if (Fails(opWrite)) {
        return false;
    }
    if (m_faults.count(opShortWrite) > 0) {
        ++m_calls[opShortWrite];
        return CFileSystem::Write(file, data, count / 2, done);
    }
    return CFileSystem::Write(file, data, count, done);
}

bool CFaultyFileSystem::Flush(HANDLE file) {
    return !Fails(opFlush) && CFileSystem::Flush(file);
}

bool CFaultyFileSystem::Copy(const std::string& from, const std::string& to) {
    return !Fails(opCopy, from) && CFileSystem::Copy(from, to);
}

bool CFaultyFileSystem::Delete(const std::string& path) {
    return !Fails(opDelete, path) && CFileSystem::Delete(path);
}

bool CFaultyFileSystem::Move(const std::string& from, const std::string& to) {
    return !Fails(opMove, from) && CFileSystem::Move(from, to);
}
