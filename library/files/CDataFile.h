#pragma once

// CDataFile: one file on disk, held open while its project is open, read whole and
// saved safely.
//
//   CDataFile file;
//   CDataStream stream;
//   if (file.Read(stream, "C:\\Work\\Plan.wkp")) { ... }   // now held open
//   SDataFileSaveResult saved = file.Write(stream);          // over the held file
//
// The held file is open for reading and writing with read sharing only: other
// programs can read it but not write it. When that open is refused but reading is
// allowed, the file is held read-only (IsReadOnly).
//
// A save first copies the old content to a dated backup beside the target
// ("Plan backup 2010-05-03 14-02-09.wkp", with " (2)", " (3)"... when taken),
// rewrites and flushes the target, and deletes the backup only after that
// succeeded. When writing fails the damaged target is deleted and the backup moved
// back. Whatever fails, the old content survives in the target or in the backup; the
// result tells which (see EDataFileSaveStatus) and the thread's last error holds the
// reason of the failure it reports (a short write: ERROR_DISK_FULL).
//
// The save also holds when the process is killed or the power fails at any moment:
// the backup is written under a working name (the backup name + ".tmp"), flushed, and
// only then renamed to the backup name, before the target is touched. So a file under
// a backup name always holds the whole old content, and at every moment the target or
// such a backup does. A backup copy that fails is removed.

#include "library/files/SDataFileSaveResult.h"
#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

#include <string>

class CDataStream;
class IFileSystem;

class CDataFile {
public:
    // Works on the real file system.
    CDataFile();
    // Works through the given file system, which must outlive this object.
    explicit CDataFile(IFileSystem& fileSystem);
    virtual ~CDataFile();

    // Reads the whole file into the stream (rewound). A null path, or one that names
    // the held file, reads the held file; another path is opened and, when the read
    // succeeded, becomes the held file. Nothing changes on failure.
    bool Read(CDataStream& stream, const char* path = nullptr);
    // The safe save of the stream's bytes to the held file (null path, or one that
    // names it) or to another file, which becomes the held file when written.
    SDataFileSaveResult Write(const CDataStream& stream, const char* path = nullptr);

    bool IsReadOnly() const { return m_record.readOnly; }
    // The held file's path as the caller gave it.
    const std::string& GetPath() const { return m_record.path; }
    bool IsOpen() const { return m_record.handle.IsSet(); }
    // Lets go of the held file and forgets its path. False when closing the handle
    // (as its last holder) would fail.
    bool Close();

    bool PathExists(const std::string& path) const;
    // Deletes a file, read-only ones too.
    bool RemoveFile(const std::string& path) const;
    // The first free backup name for the target at the current local time.
    std::string MakeBackupName(const std::string& target) const;

private:
    struct SRecord {
        std::string path;
        // Absolute, short (8.3) form where it exists, lower-cased: the comparison key.
        std::string normalisedPath;
        CHandle<CIHVHandleTraits> handle;
        bool readOnly = false;
    };

    static std::string NormalisePath(const std::string& path);
    bool NamesHeldFile(const char* path) const;
    bool OpenForReading(const std::string& path, SRecord& record) const;
    bool OpenForWriting(const std::string& path, SRecord& record) const;
    // False only when the file system says the path is not there ("not found"): a
    // failing query must never skip the backup of an existing file.
    bool MayExist(const std::string& path) const;
    // Copies the target's old content to the backup path (see above); on failure
    // nothing is left under either name and the last error tells why.
    bool MakeBackup(bool heldFile, const std::string& target, const std::string& backup);
    bool ReadWhole(HANDLE file, CDataStream& stream) const;
    bool WriteWhole(HANDLE file, const std::string& bytes) const;
    // After a failed write: deletes the damaged target and moves the backup back.
    // Sets the result's status; returns the error of the step that failed, or
    // ERROR_SUCCESS when the old state was restored.
    DWORD UndoFailedWrite(bool heldFile, bool backupMade, SDataFileSaveResult& result);

    IFileSystem* m_fileSystem;
    SRecord m_record;
};
