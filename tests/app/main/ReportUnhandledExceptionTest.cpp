#include "app/main/ReportUnhandledException.h"

#include "harness/CUiScript.h"
#include "harness/UiControls.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const char kCrashArgument[] = "--crash-report-child";
const char kCaption[] = "Tallymarks - Unhandled error";
const std::string kBefore = "An unhandled error occurred.  Tallymarks will be closed "
                            "automatically.\n\nThe error was: ";
const std::string kAfter = ".\n\nPlease contact Brakfen about this error.";
// In the first 64 KB, which no module ever occupies.
const ULONG_PTR kNoModule = 0x1230;

// Started again as a child process by the crash test: crashes with the program's
// report installed, before any test runs.
struct SCrashChild {
    SCrashChild() {
        if (std::strstr(GetCommandLineA(), kCrashArgument) != nullptr) {
            SetErrorMode(SEM_NOGPFAULTERRORBOX);
            InstallSEHandler(&ReportUnhandledException);
            volatile int* volatile target = reinterpret_cast<int*>(0x10);
            *target = 1;
            ExitProcess(9);
        }
    }
} crashChild;

// A value below 2^32 as the report writes it: eight digits more on x64.
std::string Hex(const char* eightDigits) {
    return std::string("0x") + (sizeof(ULONG_PTR) == 8 ? "00000000" : "") + eightDigits;
}

std::string OwnFileName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path);
    return full.substr(full.find_last_of("\\/") + 1);
}

// The hexadecimal digits that follow marker + "0x" in text.
std::string HexDigitsAfter(const std::string& text, const std::string& marker) {
    const size_t at = text.find(marker + "0x");
    if (at == std::string::npos) {
        return std::string();
    }
    const size_t start = at + marker.size() + 2;
    const size_t end = text.find_first_not_of("0123456789ABCDEF", start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

CSEHandler Exception(DWORD code, ULONG_PTR address, std::vector<ULONG_PTR> parameters = {}) {
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = code;
    record.ExceptionAddress = reinterpret_cast<void*>(address);
    record.NumberParameters = static_cast<DWORD>(parameters.size());
    for (size_t i = 0; i < parameters.size(); ++i) {
        record.ExceptionInformation[i] = parameters[i];
    }
    return CSEHandler(record);
}

TEST(ReportUnhandledExceptionTest, DescribesTheExceptionAndTheAccess) {
    const ULONG_PTR high = static_cast<ULONG_PTR>(-16);
    const std::string highText = sizeof(ULONG_PTR) == 8 ? "0xFFFFFFFFFFFFFFF0" : "0xFFFFFFF0";
    const std::string where = " at address " + Hex("00001230") +
                              " in module \"unknown module\" at offset " + Hex("00001230");
    const struct {
        DWORD code;
        std::vector<ULONG_PTR> parameters;
        std::string error;
    } cases[] = {
        {0xC0000005,
         {1, 0x10},
         "Access violation" + where + ";\ninvalid write of address " + Hex("00000010") + "."},
        {0xC0000005,
         {0, 0xABCD0},
         "Access violation" + where + ";\ninvalid read of address " + Hex("000ABCD0") + "."},
        // An execution fault is no write.
        {0xC0000005,
         {8, 0x1230},
         "Access violation" + where + ";\ninvalid read of address " + Hex("00001230") + "."},
        // An address above 4 GB keeps its high half on x64.
        {0xC0000005,
         {1, high},
         "Access violation" + where + ";\ninvalid write of address " + highText + "."},
        // Only an access violation tells about the access.
        {0xC0000094, {1, 0x10}, "Integer division by zero" + where},
        {0xC00000FD, {}, "Stack overflow" + where},
        {0xE06D7363, {}, "Unknown exception (E06D7363)" + where},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatUnhandledExceptionReport(Exception(c.code, kNoModule, c.parameters)),
                  kBefore + c.error + kAfter);
    }
}

TEST(ReportUnhandledExceptionTest, NamesTheModuleAndOffsetOfAnAddressInThisProgram) {
    const ULONG_PTR inside = reinterpret_cast<ULONG_PTR>(&OwnFileName);
    const ULONG_PTR base = reinterpret_cast<ULONG_PTR>(GetModuleHandleA(nullptr));
    const std::string report = FormatUnhandledExceptionReport(Exception(0xC0000094, inside));

    EXPECT_NE(report.find("in module \"" + OwnFileName() + "\" at offset "), std::string::npos)
        << report;
    const std::string address = HexDigitsAfter(report, "at address ");
    const std::string offset = HexDigitsAfter(report, "at offset ");
    ASSERT_EQ(address.size(), 2 * sizeof(ULONG_PTR)) << report;
    ASSERT_EQ(offset.size(), 2 * sizeof(ULONG_PTR)) << report;
    EXPECT_EQ(std::stoull(address, nullptr, 16), inside);
    EXPECT_EQ(std::stoull(offset, nullptr, 16), inside - base);
    EXPECT_EQ(report.substr(report.size() - kAfter.size()), kAfter);
}

TEST(ReportUnhandledExceptionTest, ShowsAnErrorBoxAndAnswersExitCodeTwo) {
    const CSEHandler exception = Exception(0xC00000FD, kNoModule);
    harness::CUiScript script;
    script.AnswerMessageBox(IDOK, "Stack overflow at address ");
    int result = 0;
    script.Run([&] { result = ReportUnhandledException(exception); });

    EXPECT_EQ(result, 2);
    ASSERT_EQ(script.GetMessageBoxes().size(), 1u);
    const harness::SMessageBoxRecord& box = script.GetMessageBoxes()[0];
    EXPECT_EQ(box.caption, kCaption);
    EXPECT_EQ(box.text, FormatUnhandledExceptionReport(exception));
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
}

// A child process of this program; ended when the test leaves it running.
class CChild {
public:
    explicit CChild(const char* argument) {
        char exe[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string command = std::string("\"") + exe + "\" " + argument;
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &m_process)) {
            m_error = GetLastError();
            m_process = {};
        }
    }
    ~CChild() {
        if (m_process.hProcess != nullptr) {
            if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(m_process.hProcess, 99);
            }
            CloseHandle(m_process.hThread);
            CloseHandle(m_process.hProcess);
        }
    }
    CChild(const CChild&) = delete;
    CChild& operator=(const CChild&) = delete;

    HANDLE Handle() const { return m_process.hProcess; }
    DWORD Id() const { return m_process.dwProcessId; }
    // Why the process could not be started (0 when it was).
    DWORD Error() const { return m_error; }

private:
    PROCESS_INFORMATION m_process = {};
    DWORD m_error = 0;
};

struct SWindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindReportBox(HWND window, LPARAM parameter) {
    SWindowSearch* search = reinterpret_cast<SWindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    // Visible only once its text is in place.
    if (processId == search->processId && IsWindowVisible(window) &&
        harness::GetText(window) == kCaption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForReportBox(DWORD processId, DWORD maxMs) {
    SWindowSearch search = {processId, nullptr};
    const DWORD start = GetTickCount();
    while (search.found == nullptr && GetTickCount() - start < maxMs) {
        Sleep(50);
        EnumWindows(&FindReportBox, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

TEST(ReportUnhandledExceptionTest, ACrashIsReportedAndEndsTheProcessWithExitCodeTwo) {
    CChild child(kCrashArgument);
    ASSERT_NE(child.Handle(), nullptr) << "error " << child.Error();
    HWND box = WaitForReportBox(child.Id(), 20000);
    ASSERT_NE(box, nullptr) << "the crashed child showed no report";

    const std::string text = harness::GetText(GetDlgItem(box, 0xFFFF));
    EXPECT_NE(text.find("The error was: Access violation at address "), std::string::npos) << text;
    EXPECT_NE(text.find("in module \"" + OwnFileName() + "\""), std::string::npos) << text;
    EXPECT_NE(text.find("invalid write of address " + Hex("00000010") + "."), std::string::npos)
        << text;
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));

    ASSERT_EQ(WaitForSingleObject(child.Handle(), 20000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(child.Handle(), &exitCode);
    EXPECT_EQ(exitCode, 2u);
}

} // namespace
