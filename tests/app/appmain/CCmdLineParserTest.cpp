#include "app/main/CCmdLineParser.h"

#include "library/system/CCmdLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CmdLineParserTest, TakesTheFirstPlainArgumentUntilAnOption) {
    const struct {
        const char* commandLine;
        bool accepted;
        bool hasFile;
        std::string file;
    } cases[] = {
        {"", true, false, ""},
        {"plan.tmk", true, true, "plan.tmk"},
        {"first.tmk second.tmk", true, true, "first.tmk"},
        {"/lang=nl plan.tmk", false, false, ""},
        {"plan.tmk /lang=nl other.tmk", false, true, "plan.tmk"},
        {"\"C:\\My Projects\\plan 2010.tmk\"", true, true, "C:\\My Projects\\plan 2010.tmk"},
        {"..\\plans\\plan.tmk", true, true, "..\\plans\\plan.tmk"},
    };
    for (const auto& c : cases) {
        CCmdLineParser parser;
        CCmdLine cmdLine(c.commandLine);
        EXPECT_EQ(cmdLine.Process(parser), c.accepted) << c.commandLine;
        EXPECT_EQ(parser.HasFile(), c.hasFile) << c.commandLine;
        EXPECT_EQ(parser.GetFile(), c.file) << c.commandLine;
    }
}

TEST(CmdLineParserTest, RefusesAnOptionWithoutAnErrorTextAndConsumesNothing) {
    CCmdLineParser parser;
    const ICmdLineProcessor::CArguments arguments = {{true, "/x"}, {false, "plan.tmk"}};
    const CCmdLineResult option = parser.ProcessArgument(arguments.begin(), arguments.end());
    EXPECT_FALSE(option.success);
    EXPECT_TRUE(option.errorText.empty());
    const CCmdLineResult file = parser.ProcessArgument(arguments.begin() + 1, arguments.end());
    EXPECT_TRUE(file.success);
    EXPECT_EQ(file.consumed, 0u);
    EXPECT_TRUE(file.errorText.empty());
}

} // namespace
