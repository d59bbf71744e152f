// The settings file is saved through the safe save of data files.

#include "library/settings/CINIFile.h"

#include "FaultyFileSystem.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(CINIFileSaveTest, SavedFlushedOrKeptWhenTheDiskIsFull) {
    for (bool diskFull : {false, true}) {
        CScratchFolder folder;
        folder.WriteFile("Tallymarks.ini", "[Main]\r\nk=old and long");
        CFaultyFileSystem faulty;
        if (diskFull) {
            faulty.Fail(opShortWrite, "\\Tallymarks.ini");
        }
        CINIFile ini(faulty);
        ASSERT_TRUE(ini.Load(folder.Path("Tallymarks.ini").c_str()));
        ini.GetSection("main", false)->GetSetting("K", false)->SetString("new");
        EXPECT_EQ(ini.Save(nullptr), !diskFull);
        if (diskFull) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
        }
        EXPECT_EQ(folder.ReadFile("Tallymarks.ini"),
                  diskFull ? "[Main]\r\nk=old and long" : "[Main]\r\nk=new");
        EXPECT_EQ(folder.List(), std::vector<std::string>{"Tallymarks.ini"}) << "no backup left";
        EXPECT_EQ(faulty.Calls(opFlush), diskFull ? 1 : 2) << "the backup, then the file";
    }
}

} // namespace
