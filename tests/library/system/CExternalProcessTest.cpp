#include "library/system/CExternalProcess.h"

#include "CScratchFolder.h"
#include "ChildRoles.h"

#include <gtest/gtest.h>

namespace {

TEST(CExternalProcessTest, KeepsTheExitCodeOfAFinishedProgram) {
    CExternalProcess process;
    EXPECT_EQ(process.GetExitCode(), 0u);
    EXPECT_EQ(process.Run(OwnProgramPath().c_str(), "--tm-child exit 42"),
              CExternalProcess::Finished);
    EXPECT_EQ(process.GetExitCode(), 42u);
    EXPECT_EQ(process.Run(OwnProgramPath().c_str(), "--tm-child exit 0"),
              CExternalProcess::Finished);
    EXPECT_EQ(process.GetExitCode(), 0u);
}

TEST(CExternalProcessTest, MissingProgramIsNotStarted) {
    CScratchFolder scratch;
    CExternalProcess process;
    ASSERT_EQ(process.Run(OwnProgramPath().c_str(), "--tm-child exit 5"),
              CExternalProcess::Finished);
    EXPECT_EQ(process.Run(scratch.File("absent.exe").c_str(), nullptr),
              CExternalProcess::NotStarted);
    EXPECT_EQ(process.GetExitCode(), 5u) << "a failed run keeps the last exit code";
}

// The program's path is quoted; arguments follow after one blank, and empty or missing
// arguments leave no trailing blank.
TEST(CExternalProcessTest, CommandLineQuotesThePathWithBlanks) {
    CScratchFolder scratch;
    ASSERT_TRUE(scratch.MakeFolder("folder with blanks"));
    const std::string probe = scratch.File("folder with blanks\\cmdline-probe.exe");
    ASSERT_TRUE(CopyFileA(OwnProgramPath().c_str(), probe.c_str(), FALSE));
    const std::string written = "folder with blanks\\cmdline-probe.exe.txt";

    struct SCase {
        const char* arguments;
        std::string expected;
    };
    const SCase cases[] = {
        {"", "\"" + probe + "\""},
        {nullptr, "\"" + probe + "\""},
        {"/LANG=NL two", "\"" + probe + "\" /LANG=NL two"},
    };
    for (const SCase& c : cases) {
        CExternalProcess process;
        ASSERT_EQ(process.Run(probe.c_str(), c.arguments), CExternalProcess::Finished);
        EXPECT_EQ(process.GetExitCode(), CommandLineProbeExit);
        EXPECT_EQ(scratch.Read(written), c.expected);
    }
}

} // namespace
