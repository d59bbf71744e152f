#include "library/system/CResourceModule.h"
#include "library/text/CText.h"
#include "library/text/ShellExecuteErrorText.h"

#include "../../../resources/ResourceIds.h"

#include <gtest/gtest.h>

namespace {

const char* const kMissing = "<missing>";

std::string ProgramText(unsigned int id) {
    return CText(id, CResourceModule(), kMissing);
}

TEST(StringsTest, EveryNamedStringExists) {
    const unsigned int ids[] = {
        IDS_INTERNAL_REMOVE_CHILD_ACTIVITY,
        IDS_INTERNAL_PROJECTS_CLOSE,
        IDS_INTERNAL_PROJECTS_PATH_CHANGE,
        IDS_INTERNAL_STATS_NO_INTERVALS,
        IDS_INTERNAL_TALLYMARKS_ACTIVITY,
        IDS_UNKNOWN_ERROR,
        IDS_SHELL_ACCESS_DENIED,
        IDS_SHELL_ASSOCIATION_INCOMPLETE,
        IDS_SHELL_BAD_FORMAT,
        IDS_SHELL_DDE_BUSY,
        IDS_SHELL_DDE_FAILED,
        IDS_SHELL_DDE_TIMEOUT,
        IDS_SHELL_DLL_NOT_FOUND,
        IDS_SHELL_FILE_NOT_FOUND,
        IDS_SHELL_NO_ASSOCIATION,
        IDS_SHELL_NO_ERROR,
        IDS_SHELL_OUT_OF_RESOURCES,
        IDS_SHELL_OUT_OF_MEMORY,
        IDS_SHELL_PATH_NOT_FOUND,
        IDS_SHELL_SHARING_VIOLATION,
        IDS_SHELL_UNKNOWN_ERROR,
    };
    for (unsigned int id : ids) {
        EXPECT_NE(ProgramText(id), kMissing) << id;
    }
}

TEST(StringsTest, InternalErrorsStartWithTheirMarkerLine) {
    for (unsigned int id : {IDS_INTERNAL_REMOVE_CHILD_ACTIVITY, IDS_INTERNAL_PROJECTS_CLOSE,
                            IDS_INTERNAL_PROJECTS_PATH_CHANGE, IDS_INTERNAL_STATS_NO_INTERVALS,
                            IDS_INTERNAL_TALLYMARKS_ACTIVITY}) {
        const std::string text = ProgramText(id);
        EXPECT_EQ(text.compare(0, 24, "internal program error;\n"), 0) << id << ": " << text;
        EXPECT_GT(text.size(), 24u) << id;
    }
    EXPECT_EQ(ProgramText(IDS_UNKNOWN_ERROR), "an unknown error occurred");
}

// Each result of a shell "open" request leads to an id that the table holds, with
// the explanation that belongs to that result.
TEST(StringsTest, ShellExecuteResultsHaveTheirExplanation) {
    const struct {
        intptr_t result;
        const char* text;
    } cases[] = {
        {0, "the operating system is out of memory or resources"},
        {2, "the specified file was not found"},
        {3, "the specified path was not found"},
        {5, "the operating system denied access to the specified file"},
        {8, "there was not enough memory to complete the operation"},
        {11, "the .exe file is invalid (non-Win32 .exe or error in .exe image)"},
        {26, "a sharing violation occurred"},
        {27, "the file name association is incomplete or invalid"},
        {28, "the DDE transaction could not be completed because the request timed out"},
        {29, "the DDE transaction failed"},
        {30, "the DDE transaction could not be completed because other DDE transactions were "
             "being processed"},
        {31, "there is no application associated with the given file name extension"},
        {32, "the specified dynamic-link library was not found"},
        {33, "no error"},
        {1, "unknown error"},
        {25, "unknown error"},
        {-1, "unknown error"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgramText(GetShellExecuteErrorTextId(c.result)), c.text) << c.result;
    }
    for (intptr_t result = -2; result <= 40; ++result) {
        EXPECT_NE(ProgramText(GetShellExecuteErrorTextId(result)), kMissing) << result;
    }
}

} // namespace
