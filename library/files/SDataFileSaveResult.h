#pragma once

#include <cstdint>
#include <string>

// The statuses of a safe save. After every failure the user's data is in the target
// or in the backup copy, whose path the result carries.
enum EDataFileSaveStatus : uint32_t {
    dfsWritten = 0,              // written; the backup (if any) deleted
    dfsBackupNotDeleted = 1,     // written, but the backup could not be deleted
    dfsNoBackup = 2,             // the backup copy could not be made; nothing was written
    dfsDamagedNoBackup = 3,      // writing failed, the damaged target could not be deleted
                                 // (there was no old file)
    dfsDamagedWithBackup = 4,    // writing failed, the damaged target could not be deleted;
                                 // the old content is in the backup
    dfsNotWritten = 5,           // nothing was written: the target could not be opened, or
                                 // it was restored (reopened), or the new file removed again
    dfsNotWrittenBackupLeft = 6, // as 5, and the backup could not be deleted
    dfsRestoreFailed = 7,        // writing failed, the target was deleted, but the backup
                                 // could not be moved back: the data is in the backup only
    dfsReopenFailed = 8,         // writing failed, the backup was moved back, but the file
                                 // could not be reopened
};

// The result of CDataFile::Write.
struct SDataFileSaveResult {
    bool ok = true;
    uint32_t status = dfsWritten;
    // The backup copy's path; empty when the target did not exist.
    std::string backupPath;
    // The target's path.
    std::string path;
};
