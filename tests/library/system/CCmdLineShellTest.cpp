// The splitter against the system's own CommandLineToArgvW: equal wherever the two
// rules agree, and different exactly where the program's rules differ on purpose.

#include "library/system/CCmdLine.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> SplitByShell(const std::string& text) {
    const std::string full = "prog.exe " + text;
    std::wstring wide(full.begin(), full.end());
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(wide.c_str(), &count);
    std::vector<std::string> result;
    for (int i = 1; args != nullptr && i < count; ++i) {
        std::wstring arg(args[i]);
        result.emplace_back(arg.begin(), arg.end());
    }
    LocalFree(args);
    return result;
}

std::vector<std::string> SplitOurs(const std::string& text) {
    CCmdLine cmdLine(text.c_str());
    std::vector<std::string> result;
    for (size_t i = 0; i < cmdLine.GetNumArguments(); ++i) {
        result.push_back(cmdLine.GetArgument(i).text);
    }
    return result;
}

TEST(CCmdLineShellTest, AgreesWithTheSystemOnOrdinaryQuoting) {
    const char* inputs[] = {
        "file.wkp",
        "\"C:\\Program Files\\My project.wkp\"",
        "a b\tc",
        "a\\\\\"b c\"",
        "a\\\\\\\"b",
        "C:\\dir\\\\file",
        "/lang=NL \"x y\" z",
        "x\"y z\"w",
        "\\\\server\\share\\p.wkp",
    };
    for (const char* input : inputs) {
        EXPECT_EQ(SplitOurs(input), SplitByShell(input)) << input;
    }
}

// Intended differences: an empty quoted argument is dropped, and two double quotes
// inside a quoted argument toggle quoting twice instead of giving a literal quote.
TEST(CCmdLineShellTest, DiffersOnPurposeForEmptyAndDoubledQuotes) {
    EXPECT_EQ(SplitOurs("a \"\" b"), std::vector<std::string>({"a", "b"}));
    EXPECT_EQ(SplitByShell("a \"\" b"), std::vector<std::string>({"a", "", "b"}));

    EXPECT_EQ(SplitOurs("\"a\"\"b\""), std::vector<std::string>({"ab"}));
    EXPECT_NE(SplitByShell("\"a\"\"b\""), SplitOurs("\"a\"\"b\""));
}

} // namespace
