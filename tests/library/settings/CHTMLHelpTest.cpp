#include "library/settings/CHTMLHelp.h"

#include "../system/CScratchFolder.h"

#include <gtest/gtest.h>

#include <htmlhelp.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace {

// The layout of HH_LAST_ERROR, as the help system fills it.
struct SLastError {
    int cbStruct;
    HRESULT hr;
    BSTR description;
};

struct SCall {
    HWND caller;
    std::string file; // "<null>" for a null pointer
    UINT command;
    int lastErrorSize;
};

// A stand-in for the HTML Help entry point that records each call and answers as set.
struct SFakeHelp {
    static std::vector<SCall>& Calls() {
        static std::vector<SCall> calls;
        return calls;
    }
    static HWND& Answer() {
        static HWND answer = nullptr;
        return answer;
    }
    static SLastError& LastError() {
        static SLastError lastError = {0, S_OK, nullptr};
        return lastError;
    }
    static void Reset(HWND answer) {
        Calls().clear();
        Answer() = answer;
        LastError() = {0, S_OK, nullptr};
    }

    static HWND WINAPI Call(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
        SCall call{caller, file != nullptr ? file : "<null>", command, 0};
        if (command == HH_GET_LAST_ERROR) {
            auto* lastError = reinterpret_cast<SLastError*>(data);
            call.lastErrorSize = lastError->cbStruct;
            lastError->hr = LastError().hr;
            lastError->description = LastError().description;
        }
        Calls().push_back(call);
        return Answer();
    }
};

HWND SomeWindow() {
    return GetDesktopWindow();
}

TEST(CHTMLHelpTest, SetFileKeepsOnlyAnExistingFile) {
    CScratchFolder scratch;
    ASSERT_TRUE(scratch.Write("help.chm", "not really a help file"));
    CHTMLHelp help(&SFakeHelp::Call);
    EXPECT_FALSE(help.IsAvailable());
    EXPECT_EQ(help.SetFile(scratch.File("help.chm")), 0);
    EXPECT_TRUE(help.IsAvailable());
    EXPECT_EQ(help.GetFile(), scratch.File("help.chm"));

    for (const std::string& missing : {scratch.File("absent.chm"), scratch.Path(), std::string()}) {
        EXPECT_EQ(help.SetFile(missing), 1) << missing;
        EXPECT_FALSE(help.IsAvailable()) << missing;
        EXPECT_EQ(help.GetFile(), "") << missing;
    }
}

TEST(CHTMLHelpTest, ShowTopicAsksForFileAndTopic) {
    CScratchFolder scratch;
    ASSERT_TRUE(scratch.Write("help.chm", "x"));
    const std::string file = scratch.File("help.chm");
    CHTMLHelp help(&SFakeHelp::Call);
    ASSERT_EQ(help.SetFile(file), 0);

    struct SCase {
        const char* topic;
        const char* window;
        HWND answer;
        int32_t result;
        std::string asked;
    };
    const SCase cases[] = {
        {"intro.html", nullptr, SomeWindow(), 0, file + "::/intro.html"},
        {"html/tips.htm", "main", SomeWindow(), 0, file + "::/html/tips.htm>main"},
        {"intro.html", "", SomeWindow(), 0, file + "::/intro.html"},
        {"missing.html", nullptr, nullptr, 2, file + "::/missing.html"},
    };
    for (const SCase& c : cases) {
        SFakeHelp::Reset(c.answer);
        EXPECT_EQ(help.ShowTopic(c.topic, c.window), c.result) << c.asked;
        ASSERT_EQ(SFakeHelp::Calls().size(), 1u);
        const SCall& call = SFakeHelp::Calls()[0];
        EXPECT_EQ(call.file, c.asked);
        EXPECT_EQ(call.command, static_cast<UINT>(HH_DISPLAY_TOPIC));
        EXPECT_EQ(call.caller, GetDesktopWindow());
    }
}

TEST(CHTMLHelpTest, NoHelpFileMeansNoRequest) {
    CHTMLHelp help(&SFakeHelp::Call);
    SFakeHelp::Reset(SomeWindow());
    EXPECT_EQ(help.ShowTopic("intro.html", nullptr), 1);
    help.SetFile("C:\\no such folder\\help.chm");
    EXPECT_EQ(help.ShowTopic("intro.html", "main"), 1);
    EXPECT_TRUE(SFakeHelp::Calls().empty());
}

TEST(CHTMLHelpTest, LastErrorTextOnlyForAFailureWithADescription) {
    struct SCase {
        HWND answer;
        HRESULT hr;
        const wchar_t* description;
        std::string expected;
    };
    const SCase cases[] = {
        {SomeWindow(), E_FAIL, L"The help file is damaged", "The help file is damaged"},
        {SomeWindow(), S_OK, L"All is well", ""},
        {nullptr, E_FAIL, L"Not answered", ""},
        {SomeWindow(), E_FAIL, nullptr, ""},
    };
    CHTMLHelp help(&SFakeHelp::Call);
    for (const SCase& c : cases) {
        SFakeHelp::Reset(c.answer);
        SFakeHelp::LastError().hr = c.hr;
        SFakeHelp::LastError().description =
            c.description != nullptr ? SysAllocString(c.description) : nullptr;
        EXPECT_EQ(help.GetLastErrorText(), c.expected);
        ASSERT_EQ(SFakeHelp::Calls().size(), 1u);
        EXPECT_EQ(SFakeHelp::Calls()[0].command, static_cast<UINT>(HH_GET_LAST_ERROR));
        EXPECT_EQ(SFakeHelp::Calls()[0].lastErrorSize, static_cast<int>(sizeof(SLastError)));
        EXPECT_EQ(SFakeHelp::Calls()[0].caller, GetDesktopWindow());
    }
}

// The system's help viewer with a file that is no compiled help file.
TEST(CHTMLHelpTest, SystemHelpRefusesADamagedFile) {
    CScratchFolder scratch;
    ASSERT_TRUE(scratch.Write("damaged.chm", "this is no compiled help file"));
    CHTMLHelp help;
    ASSERT_EQ(help.SetFile(scratch.File("damaged.chm")), 0);
    EXPECT_EQ(help.ShowTopic("intro.html", nullptr), 2);
    help.GetLastErrorText(); // may be empty; must not fail
}

} // namespace
