#include "library/system/CScratchFolder.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// Open for writing by "the program" with the given sharing while the folder reads it.
HANDLE Hold(const CScratchFolder& folder, const std::string& name, DWORD share) {
    return CreateFileA(folder.File(name).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A file that the program holds open as a project file is read; one that nobody may read
// fails the test and never equals another read, so byte comparisons cannot pass blind.
TEST(ScratchFolderTest, ReadsHeldFilesAndFailsLoudlyOnUnreadableOnes) {
    CScratchFolder folder;
    ASSERT_TRUE(folder.Write("held", "bytes"));
    HANDLE shared = Hold(folder, "held", FILE_SHARE_READ);
    ASSERT_NE(shared, INVALID_HANDLE_VALUE);
    EXPECT_EQ(folder.Read("held"), "bytes");
    CloseHandle(shared);

    EXPECT_EQ(folder.Read("absent"), "<missing>");

    HANDLE exclusive = Hold(folder, "held", 0);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    std::string first;
    std::string second;
    EXPECT_NONFATAL_FAILURE(first = folder.Read("held"), "system error 32");
    EXPECT_NONFATAL_FAILURE(second = folder.Read("held"), "cannot read");
    CloseHandle(exclusive);
    EXPECT_NE(first, second);
    EXPECT_NE(first, "bytes");
}

} // namespace
