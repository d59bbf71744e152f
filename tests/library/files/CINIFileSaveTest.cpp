// The settings file is saved through the safe save of data files: a failure at any
// step keeps the old settings, in the file itself.

#include "library/settings/CINIFile.h"

#include "FaultyFileSystem.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

const char* const kOldText = "[Main]\r\nk=old and long";

struct SINISaveCase {
    const char* name;
    EFileOperation operation; // opCount: no fault
    const char* pathEnd;
    bool saved;
    DWORD error;
};

// clang-format off
const SINISaveCase kCases[] = {
    {"Saved", opCount, "", true, ERROR_SUCCESS},
    {"DiskFullWhileWriting", opShortWrite, "\\Tallymarks.ini", false, ERROR_DISK_FULL},
    {"NotFlushed", opFlush, "\\Tallymarks.ini", false, FaultError(opFlush)},
    {"DiskFullWhileCopying", opShortWrite, ".ini.tmp", false, ERROR_DISK_FULL},
    {"BackupNotNamed", opMove, ".ini.tmp", false, FaultError(opMove)},
};
// clang-format on

TEST(CINIFileSaveTest, AFailedSaveKeepsTheOldSettings) {
    for (const SINISaveCase& c : kCases) {
        SCOPED_TRACE(c.name);
        CScratchFolder folder;
        folder.WriteFile("Tallymarks.ini", kOldText);
        CFaultyFileSystem faulty;
        if (c.operation != opCount) {
            faulty.Fail(c.operation, c.pathEnd);
        }
        CINIFile ini(faulty);
        ASSERT_TRUE(ini.Load(folder.Path("Tallymarks.ini").c_str()));
        ini.GetSection("main", false)->GetSetting("K", false)->SetString("new");
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(ini.Save(nullptr), c.saved);
        if (!c.saved) {
            EXPECT_EQ(GetLastError(), c.error);
        }
        EXPECT_EQ(folder.ReadFile("Tallymarks.ini"), c.saved ? "[Main]\r\nk=new" : kOldText);
        EXPECT_EQ(folder.List(), std::vector<std::string>{"Tallymarks.ini"})
            << "no backup or working copy is left";
        if (c.saved) {
            EXPECT_EQ(faulty.Calls(opFlush), 2) << "the backup and the file are flushed";
        }
    }
}

} // namespace
