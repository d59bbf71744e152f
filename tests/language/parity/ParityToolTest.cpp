// The resource parity check, run on small modules that each differ from their English
// original in one way a user would see: each difference is named and fails the check,
// and the faithful translation passes.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct SToolRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};

// Runs the check (built into ..\tools) with the arguments, from the test folder.
SToolRun RunTool(const std::string& arguments) {
    SToolRun run;
    char outputPath[MAX_PATH];
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "par", 0, outputPath);
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE output = CreateFileA(outputPath, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "..\\tools\\tm_resource_parity.exe " + arguments;
    std::string failure;
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
            failure = "the check did not end within 60 s\n";
        }
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        failure = "the check could not be started: error " + std::to_string(GetLastError()) + "\n";
    }
    CloseHandle(output);
    HANDLE input = CreateFileA(outputPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(input, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        run.output.append(buffer, read);
    }
    CloseHandle(input);
    DeleteFileA(outputPath);
    run.output = failure + run.output;
    return run;
}

SToolRun Compare(const std::string& module) {
    return RunTool("modules\\Parity_EN.dll modules\\Parity_" + module + ".dll");
}

TEST(ParityTool, AFaithfulTranslationPasses) {
    const SToolRun run = Compare("NL");
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("0 differences, 0 texts that do not fit"))
        << run.output;
}

struct SDifferenceCase {
    const char* module;
    const char* expected; // a part of the line that names the difference
};

class ParityDifference : public testing::TestWithParam<SDifferenceCase> {};

TEST_P(ParityDifference, IsNamedAndFails) {
    const SToolRun run = Compare(GetParam().module);
    EXPECT_EQ(1u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find(GetParam().expected)) << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    EachKind, ParityDifference,
    testing::Values(
        SDifferenceCase{"MissingString", "difference: string 40002: missing"},
        SDifferenceCase{"ExtraString", "difference: string 40004: extra"},
        SDifferenceCase{"Placeholder",
                        "string 40002: placeholders [FILEPATH] [PROJEKT] instead of [FILEPATH] "
                        "[PROJECT]"},
        SDifferenceCase{"LineBreaks", "string 40003: 1 leading line breaks instead of 2"},
        SDifferenceCase{"MissingDialog", "difference: dialog 100 (\"Tallymarks\"): missing"},
        SDifferenceCase{"WindowClass",
                        "dialog 100: window class \"OTHERMAIN\" instead of \"TALLYMARKSMAIN\""},
        SDifferenceCase{"Caption", "dialog 100 caption: the program name is missing"},
        SDifferenceCase{"ControlClass", "dialog 100 control 10: class EDIT instead of BUTTON"},
        SDifferenceCase{"ControlStyle",
                        "dialog 100 control 11: style 0x50000080/0x00000000 instead of 0x50020000"},
        SDifferenceCase{"MissingControl", "dialog 100 control 1 (BUTTON \"OK\"): missing"},
        SDifferenceCase{"ExtraControl", "dialog 100 control 12 (BUTTON \"Help\"): extra"},
        SDifferenceCase{"MissingMenuItem", "menu 200 item 4 (\"E&xit\"): missing"},
        SDifferenceCase{"ExtraMenuItem", "menu 200 item 5 (\"&Extra\"): extra"},
        SDifferenceCase{"MissingLayout", "layout number 30000: missing"},
        SDifferenceCase{"Icon", "icon resource in the module"},
        SDifferenceCase{"Accelerators", "accelerator resource in the module"},
        SDifferenceCase{"Version", "version resource in the module"},
        SDifferenceCase{"LongText", "does not fit: dialog 100 control 10 \"&Onthouden voor alle"},
        SDifferenceCase{
            "ButtonOnArrows",
            "does not fit: dialog 100 control 15 \"Nu\": lies on the up-down control 14"},
        SDifferenceCase{"NoExport", "difference: exports none instead of DllMain alone"},
        SDifferenceCase{"ExtraExport",
                        "difference: exports DllMain GetLanguageName instead of DllMain alone"},
        SDifferenceCase{"PlainTemplate",
                        "difference: dialog 100: plain template instead of extended"},
        SDifferenceCase{"NarrowLayout",
                        "difference: layout number 30001: 40 is narrower than the program's 70"},
        SDifferenceCase{"FixedLayout", "difference: layout number 30000: 120 where the program has "
                                       "-120 (the column that takes the rest of the list)"}),
    [](const testing::TestParamInfo<SDifferenceCase>& info) { return info.param.module; });

TEST(ParityTool, FitAloneMeasuresTheGivenFile) {
    const SToolRun fits = RunTool("--fit modules\\Parity_NL.dll");
    EXPECT_EQ(0u, fits.exitCode) << fits.output;
    const SToolRun tooLong = RunTool("--fit modules\\Parity_LongText.dll");
    EXPECT_EQ(1u, tooLong.exitCode) << tooLong.output;
    EXPECT_EQ(std::string::npos, tooLong.output.find("difference:")) << tooLong.output;
}

TEST(ParityTool, AFileThatCannotBeReadIsAnError) {
    EXPECT_EQ(2u, Compare("Absent").exitCode);
}

} // namespace
