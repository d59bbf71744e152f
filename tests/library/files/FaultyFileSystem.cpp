#include "FaultyFileSystem.h"

DWORD FaultError(EFileOperation operation) {
    return 0x20000100u + operation;
}

CFaultyFileSystem::CFaultyFileSystem() : m_now{2010, 5, 1, 3, 14, 2, 9, 0} {}

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

void CFaultyFileSystem::Fail(EFileOperation operation, const std::string& pathEnd) {
    m_faults[operation].push_back(pathEnd);
}

bool CFaultyFileSystem::Fails(EFileOperation operation, const std::string& path) {
    const size_t index = m_log.size();
    m_log.push_back({operation, path.substr(path.find_last_of('\\') + 1)});
    ++m_calls[operation];
    if (index == m_stopCall) {
        throw SProcessStopped();
    }
    bool fails = index == m_failCall;
    auto faults = m_faults.find(operation);
    if (faults != m_faults.end()) {
        for (const std::string& end : faults->second) {
            fails = fails || EndsWith(path, end);
        }
    }
    if (fails) {
        SetLastError(FaultError(operation));
    }
    return fails;
}

void CFaultyFileSystem::CutPower() {
    for (const std::string& path : m_unflushed) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(file);
    }
    m_unflushed.clear();
}

bool CFaultyFileSystem::Exists(const std::string& path) {
    return !Fails(opExists, path) && CFileSystem::Exists(path);
}

HANDLE CFaultyFileSystem::Open(const std::string& path, EFileOpenMode mode) {
    const EFileOperation operation = mode == fomWrite    ? opOpenWrite
                                     : mode == fomCreate ? opOpenCreate
                                                         : opOpenRead;
    if (Fails(operation, path)) {
        return INVALID_HANDLE_VALUE;
    }
    const bool existed = CFileSystem::Exists(path);
    HANDLE file = CFileSystem::Open(path, mode);
    if (file != INVALID_HANDLE_VALUE) {
        m_paths[file] = path;
        if (!existed) {
            m_unflushed.insert(path);
        }
    }
    return file;
}

bool CFaultyFileSystem::GetSize(HANDLE file, uint64_t& size) {
    return !Fails(opGetSize, file) && CFileSystem::GetSize(file, size);
}

bool CFaultyFileSystem::SeekToStart(HANDLE file) {
    return !Fails(opSeek, file) && CFileSystem::SeekToStart(file);
}

bool CFaultyFileSystem::Truncate(HANDLE file) {
    if (Fails(opTruncate, file)) {
        return false;
    }
    m_unflushed.insert(m_paths[file]);
    return CFileSystem::Truncate(file);
}

bool CFaultyFileSystem::Read(HANDLE file, void* buffer, uint32_t count, uint32_t& done) {
    return !Fails(opRead, file) && CFileSystem::Read(file, buffer, count, done);
}

bool CFaultyFileSystem::Write(HANDLE file, const void* data, uint32_t count, uint32_t& done) {
    if (Fails(opWrite, file)) {
        return false;
    }
    m_unflushed.insert(m_paths[file]);
    for (const std::string& end : m_faults[opShortWrite]) {
        if (EndsWith(m_paths[file], end)) {
            ++m_calls[opShortWrite];
            return CFileSystem::Write(file, data, count / 2, done);
        }
    }
    return CFileSystem::Write(file, data, count, done);
}

bool CFaultyFileSystem::Flush(HANDLE file) {
    if (Fails(opFlush, file) || !CFileSystem::Flush(file)) {
        return false;
    }
    m_unflushed.erase(m_paths[file]);
    return true;
}

bool CFaultyFileSystem::Delete(const std::string& path) {
    if (Fails(opDelete, path) || !CFileSystem::Delete(path)) {
        return false;
    }
    m_unflushed.erase(path);
    return true;
}

bool CFaultyFileSystem::Move(const std::string& from, const std::string& to) {
    if (Fails(opMove, from) || !CFileSystem::Move(from, to)) {
        return false;
    }
    if (m_unflushed.erase(from) > 0) {
        m_unflushed.insert(to);
    }
    return true;
}
