#include "library/files/CDataFile.h"

#include "library/files/CDataStream.h"
#include "library/files/CFileSystem.h"

#include <cctype>
#include <cstdio>

namespace {

// Larger files are refused rather than read into memory with one call.
const uint64_t kLargestFile = 0x7FFFFFFF;
// Backup counters beyond this are not tried; the copy then fails on a taken name.
const int kLargestBackupCounter = 9999;

std::string LowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

CDataFile::CDataFile() : m_fileSystem(&CFileSystem::GetDefault()) {}

CDataFile::CDataFile(IFileSystem& fileSystem) : m_fileSystem(&fileSystem) {}

CDataFile::~CDataFile() = default;

bool CDataFile::Read(CDataStream& stream, const char* path) {
    if (NamesHeldFile(path) && m_record.handle.IsSet()) {
        return ReadWhole(m_record.handle, stream);
    }
    SRecord record;
    if (!OpenForReading(path ? path : m_record.path, record)) {
        return false;
    }
    if (!ReadWhole(record.handle, stream)) {
        const DWORD error = GetLastError();
        record.handle = INVALID_HANDLE_VALUE;
        SetLastError(error);
        return false;
    }
    m_record = record;
    return true;
}

SDataFileSaveResult CDataFile::Write(const CDataStream& stream, const char* path) {
    SDataFileSaveResult result;
    const bool heldFile = NamesHeldFile(path);
    result.path = heldFile ? m_record.path : path;
    const std::string& bytes = stream.GetData();
    if (bytes.size() > kLargestFile) {
        result.ok = false;
        result.status = dfsNotWritten;
        SetLastError(ERROR_FILE_TOO_LARGE);
        return result;
    }

    bool backupMade = false;
    if ((heldFile && m_record.handle.IsSet()) || MayExist(result.path)) {
        result.backupPath = MakeBackupName(result.path);
        if (!MakeBackup(heldFile, result.path, result.backupPath)) {
            result.ok = false;
            result.status = dfsNoBackup;
            return result;
        }
        backupMade = true;
    }

    // The held handle serves only when it may write; otherwise the target is opened.
    const bool useHeldHandle = heldFile && m_record.handle.IsSet() && !m_record.readOnly;
    SRecord opened;
    if (!useHeldHandle && !OpenForWriting(result.path, opened)) {
        DWORD error = GetLastError();
        result.ok = false;
        result.status = dfsNotWritten;
        if (backupMade && !RemoveFile(result.backupPath)) {
            error = GetLastError();
            result.status = dfsNotWrittenBackupLeft;
        }
        SetLastError(error);
        return result;
    }

    if (!WriteWhole(useHeldHandle ? m_record.handle.Get() : opened.handle.Get(), bytes)) {
        const DWORD writeError = GetLastError();
        opened.handle = INVALID_HANDLE_VALUE;
        const DWORD error = UndoFailedWrite(heldFile, backupMade, result);
        SetLastError(error == ERROR_SUCCESS ? writeError : error);
        return result;
    }
    if (!useHeldHandle) {
        m_record = opened;
    }
    if (backupMade && !RemoveFile(result.backupPath)) {
        result.status = dfsBackupNotDeleted;
    }
    return result;
}

DWORD CDataFile::UndoFailedWrite(bool heldFile, bool backupMade, SDataFileSaveResult& result) {
    result.ok = false;
    result.status = dfsNotWritten;
    if (heldFile) {
        m_record.handle = INVALID_HANDLE_VALUE; // the held file must be free to be deleted
    }
    if (!RemoveFile(result.path)) {
        result.status = backupMade ? dfsDamagedWithBackup : dfsDamagedNoBackup;
        return GetLastError();
    }
    if (!backupMade) {
        return ERROR_SUCCESS;
    }
    if (!m_fileSystem->Move(result.backupPath, result.path)) {
        result.status = dfsRestoreFailed;
        return GetLastError();
    }
    // The held file is held again; a save to another file never touched the held one.
    if (heldFile) {
        SRecord reopened;
        if (!OpenForReading(result.path, reopened)) {
            result.status = dfsReopenFailed;
            return GetLastError();
        }
        m_record = reopened;
    }
    return ERROR_SUCCESS;
}

bool CDataFile::MayExist(const std::string& path) const {
    SetLastError(ERROR_SUCCESS);
    if (m_fileSystem->Exists(path)) {
        return true;
    }
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

bool CDataFile::MakeBackup(bool heldFile, const std::string& target, const std::string& backup) {
    CDataStream old;
    if (heldFile && m_record.handle.IsSet()) {
        if (!ReadWhole(m_record.handle, old)) {
            return false;
        }
    } else {
        CHandle<CIHVHandleTraits> source(m_fileSystem->Open(target, fomReadShared));
        if (!source.IsSet() || !ReadWhole(source, old)) {
            return false;
        }
    }

    const std::string working = backup + ".tmp";
    CHandle<CIHVHandleTraits> copy(m_fileSystem->Open(working, fomCreate));
    if (!copy.IsSet()) {
        return false;
    }
    bool copied = WriteWhole(copy, old.GetData());
    copy = INVALID_HANDLE_VALUE;
    copied = copied && m_fileSystem->Move(working, backup);
    if (!copied) {
        const DWORD error = GetLastError();
        RemoveFile(working);
        SetLastError(error);
    }
    return copied;
}

bool CDataFile::Close() {
    bool closed = true;
    if (m_record.handle.IsSet() && m_record.handle.GetShareCount() == 1) {
        // CloseHandle fails only for an invalid handle or one protected from closing.
        DWORD flags = 0;
        closed = GetHandleInformation(m_record.handle.Get(), &flags) != FALSE &&
                 (flags & HANDLE_FLAG_PROTECT_FROM_CLOSE) == 0;
    }
    m_record = SRecord();
    return closed;
}

bool CDataFile::PathExists(const std::string& path) const {
    return m_fileSystem->Exists(path);
}

bool CDataFile::RemoveFile(const std::string& path) const {
    m_fileSystem->SetNormalAttributes(path);
    return m_fileSystem->Delete(path);
}

std::string CDataFile::MakeBackupName(const std::string& target) const {
    const size_t separator = target.find_last_of("\\/");
    const size_t dot = target.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (separator == std::string::npos || dot > separator);
    const std::string extension = hasExtension ? target.substr(dot) : std::string();

    const SYSTEMTIME now = m_fileSystem->GetLocalNow();
    char stamp[64];
    snprintf(stamp, sizeof(stamp), " backup %04d-%02d-%02d %02d-%02d-%02d", now.wYear, now.wMonth,
             now.wDay, now.wHour, now.wMinute, now.wSecond);
    const std::string stem = target.substr(0, target.size() - extension.size()) + stamp;

    std::string name = stem + extension;
    for (int counter = 2; counter <= kLargestBackupCounter && m_fileSystem->Exists(name);
         ++counter) {
        name = stem + " (" + std::to_string(counter) + ")" + extension;
    }
    return name;
}

std::string CDataFile::NormalisePath(const std::string& path) {
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        return LowerCase(path);
    }
    char shortPath[MAX_PATH];
    length = GetShortPathNameA(full, shortPath, MAX_PATH);
    return LowerCase(length > 0 && length < MAX_PATH ? shortPath : full);
}

bool CDataFile::NamesHeldFile(const char* path) const {
    return path == nullptr || NormalisePath(path) == m_record.normalisedPath;
}

bool CDataFile::OpenForReading(const std::string& path, SRecord& record) const {
    record.readOnly = false;
    record.handle = m_fileSystem->Open(path, fomReadWrite);
    if (!record.handle.IsSet()) {
        record.handle = m_fileSystem->Open(path, fomReadShared);
        if (!record.handle.IsSet()) {
            return false;
        }
        record.readOnly = true;
    }
    record.path = path;
    // Made once the file exists, so that it has the short form that later spellings get.
    record.normalisedPath = NormalisePath(path);
    return true;
}

bool CDataFile::OpenForWriting(const std::string& path, SRecord& record) const {
    record.readOnly = false;
    record.handle = m_fileSystem->Open(path, fomWrite);
    if (!record.handle.IsSet()) {
        return false;
    }
    record.path = path;
    record.normalisedPath = NormalisePath(path);
    return true;
}

bool CDataFile::ReadWhole(HANDLE file, CDataStream& stream) const {
    uint64_t size = 0;
    if (!m_fileSystem->GetSize(file, size)) {
        return false;
    }
    if (size > kLargestFile) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        return false;
    }
    if (!m_fileSystem->SeekToStart(file)) {
        return false;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    uint32_t done = 0;
    if (!m_fileSystem->Read(file, &bytes[0], static_cast<uint32_t>(size), done)) {
        return false;
    }
    if (done != size) {
        SetLastError(ERROR_HANDLE_EOF);
        return false;
    }
    stream.SetData(bytes);
    return true;
}

bool CDataFile::WriteWhole(HANDLE file, const std::string& bytes) const {
    if (!m_fileSystem->SeekToStart(file) || !m_fileSystem->Truncate(file)) {
        return false;
    }
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    uint32_t done = 0;
    if (!m_fileSystem->Write(file, bytes.data(), size, done)) {
        return false;
    }
    if (done != size) {
        // Writing stops short only when the disk has no room for the rest.
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    return m_fileSystem->Flush(file);
}
