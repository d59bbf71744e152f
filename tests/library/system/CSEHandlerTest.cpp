#include "library/system/CSEHandler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char kCrashArgument[] = "--crash-child";

int OnCrash(const CSEHandler& exception) {
    // The report of a write access violation at a known address.
    const bool expected = exception.GetCode() == EXCEPTION_ACCESS_VIOLATION &&
                          exception.IsWriteAccess() && exception.GetAccessAddress() == 0x10;
    return expected ? 2 : 5;
}

// Started again as a child process by the filter test: crashes with the program's
// filter installed, before any test runs.
struct SCrashChild {
    SCrashChild() {
        if (std::strstr(GetCommandLineA(), kCrashArgument) != nullptr) {
            SetErrorMode(SEM_NOGPFAULTERRORBOX);
            InstallSEHandler(&OnCrash);
            volatile int* volatile target = reinterpret_cast<int*>(0x10);
            *target = 1;
            ExitProcess(9);
        }
    }
} crashChild;

EXCEPTION_RECORD Record(DWORD code, void* address) {
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = code;
    record.ExceptionAddress = address;
    return record;
}

TEST(CSEHandlerTest, DescribesKnownAndUnknownCodes) {
    const struct {
        DWORD code;
        const char* description;
    } cases[] = {
        {0xC0000005, "Access violation"},
        {0xC00000FD, "Stack overflow"},
        {0x80000003, "Breakpoint"},
        {0xC0000094, "Integer division by zero"},
        {0xE06D7363, "Unknown exception (E06D7363)"},
        {0x0000ABCD, "Unknown exception (0000ABCD)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CSEHandler(Record(c.code, nullptr)).GetDescription(), c.description);
    }
}

TEST(CSEHandlerTest, NamesTheModuleAndOffsetOfAnAddress) {
    HMODULE self = GetModuleHandleA(nullptr);
    void* inside = reinterpret_cast<char*>(&OnCrash);
    CSEHandler handler(Record(EXCEPTION_ACCESS_VIOLATION, inside));
    char path[MAX_PATH];
    GetModuleFileNameA(self, path, MAX_PATH);
    const std::string full(path);
    EXPECT_EQ(handler.GetModuleName(), full.substr(full.find_last_of("\\/") + 1));
    EXPECT_EQ(handler.GetModuleOffset(),
              reinterpret_cast<ULONG_PTR>(inside) - reinterpret_cast<ULONG_PTR>(self));
}

TEST(CSEHandlerTest, AddressOutsideEveryModuleIsUnknown) {
    void* memory = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(CSEHandler(Record(1, static_cast<char*>(memory) + 8)).GetModuleName(),
              "unknown module");
    EXPECT_EQ(CSEHandler(Record(1, nullptr)).GetModuleName(), "unknown module");
    VirtualFree(memory, 0, MEM_RELEASE);
}

TEST(CSEHandlerTest, AccessParametersAndContinuability) {
    EXCEPTION_RECORD record = Record(EXCEPTION_ACCESS_VIOLATION, nullptr);
    record.NumberParameters = 2;
    record.ExceptionInformation[0] = 1;
    record.ExceptionInformation[1] = static_cast<ULONG_PTR>(-16); // a high address
    record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
    CSEHandler handler(record);
    EXPECT_TRUE(handler.IsWriteAccess());
    EXPECT_EQ(handler.GetAccessAddress(), static_cast<ULONG_PTR>(-16));
    EXPECT_FALSE(handler.IsContinuable());

    record.ExceptionInformation[0] = 8; // an execution fault is no write
    EXPECT_FALSE(CSEHandler(record).IsWriteAccess());
    record.ExceptionInformation[0] = 1;

    record.NumberParameters = 0; // parameters not given are not read
    EXPECT_FALSE(CSEHandler(record).IsWriteAccess());
    EXPECT_EQ(CSEHandler(record).GetAccessAddress(), 0u);
    record.NumberParameters = 1000; // a damaged count is bounded
    EXPECT_TRUE(CSEHandler(record).IsWriteAccess());
}

TEST(CSEHandlerTest, FilterEndsTheProcessWithTheCallbacksExitCode) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" " + kCrashArgument;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 2u);
}

} // namespace
