#include "library/files/CFileSystem.h"

bool CFileSystem::Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

HANDLE CFileSystem::Open(const std::string& path, EFileOpenMode mode) {
    DWORD access = GENERIC_READ | GENERIC_WRITE;
    DWORD share = FILE_SHARE_READ;
    DWORD disposition = OPEN_EXISTING;
    if (mode == fomReadShared) {
        access = GENERIC_READ;
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    } else if (mode == fomWrite) {
        disposition = OPEN_ALWAYS;
    } else if (mode == fomCreate) {
        disposition = CREATE_NEW;
    }
    return CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

bool CFileSystem::GetSize(HANDLE file, uint64_t& size) {
    LARGE_INTEGER value;
    if (!GetFileSizeEx(file, &value)) {
        return false;
    }
    size = static_cast<uint64_t>(value.QuadPart);
    return true;
}

bool CFileSystem::SeekToStart(HANDLE file) {
    LARGE_INTEGER zero = {};
    return SetFilePointerEx(file, zero, nullptr, FILE_BEGIN) != FALSE;
}

bool CFileSystem::Truncate(HANDLE file) {
    return SetEndOfFile(file) != FALSE;
}

bool CFileSystem::Read(HANDLE file, void* buffer, uint32_t count, uint32_t& done) {
    DWORD read = 0;
    BOOL ok = ReadFile(file, buffer, count, &read, nullptr);
    done = read;
    return ok != FALSE;
}

bool CFileSystem::Write(HANDLE file, const void* data, uint32_t count, uint32_t& done) {
    DWORD written = 0;
    BOOL ok = WriteFile(file, data, count, &written, nullptr);
    done = written;
    return ok != FALSE;
}

bool CFileSystem::Flush(HANDLE file) {
    return FlushFileBuffers(file) != FALSE;
}

bool CFileSystem::SetNormalAttributes(const std::string& path) {
    return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE;
}

bool CFileSystem::Delete(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

bool CFileSystem::Move(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

SYSTEMTIME CFileSystem::GetLocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

CFileSystem& CFileSystem::GetDefault() {
    static CFileSystem fileSystem;
    return fileSystem;
}
