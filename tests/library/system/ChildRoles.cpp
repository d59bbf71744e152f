#include "ChildRoles.h"

#include "library/system/CDupAppPreventer.h"
#include "library/system/CWindowsVersion.h"

#include <shellapi.h>

#include <cstdlib>
#include <vector>

namespace {

std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return arguments;
    }
    for (int i = 0; i < count; ++i) {
        char narrow[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, wide[i], -1, narrow, sizeof(narrow) - 1, nullptr, nullptr);
        arguments.push_back(narrow);
    }
    LocalFree(wide);
    return arguments;
}

DWORD WindowsVersionRole() {
    const SWindowsVersion fresh = CWindowsVersion::Compute();
    const SWindowsVersion& startup = CWindowsVersion::Get();
    if (fresh.isNT != startup.isNT || fresh.code != startup.code ||
        CWindowsVersion::IsNT() != fresh.isNT) {
        return 0xBAD;
    }
    return ChildVersionMark | (fresh.isNT ? 0x100 : 0) | static_cast<DWORD>(fresh.code);
}

DWORD GuardRole(const std::vector<std::string>& arguments) {
    if (arguments.size() < 6) {
        return 0xBAD;
    }
    const HWND expected = reinterpret_cast<HWND>(
        static_cast<uintptr_t>(std::strtoull(arguments[5].c_str(), nullptr, 10)));
    DWORD hold = 0;
    if (arguments.size() >= 8) {
        HANDLE start = OpenEventA(SYNCHRONIZE, FALSE, arguments[6].c_str());
        if (start == nullptr || WaitForSingleObject(start, 30000) != WAIT_OBJECT_0) {
            return 0xBAD;
        }
        CloseHandle(start);
        hold = static_cast<DWORD>(std::strtoul(arguments[7].c_str(), nullptr, 10));
    }
    CDupAppPreventer guard(arguments[3].c_str(), arguments[4].c_str(), true, true);
    Sleep(hold);
    DWORD result = ChildGuardMark;
    result |= guard.IsFirstInstance() ? 1 : 0;
    result |= guard.HasOtherWindow() ? 2 : 0;
    result |= guard.HasOtherWindow() && guard.GetOtherWindow() == expected ? 4 : 0;
    return result;
}

DWORD PlayRole(const std::vector<std::string>& arguments) {
    const std::string& role = arguments[2];
    if (role == "exit" && arguments.size() >= 4) {
        return static_cast<DWORD>(std::strtoul(arguments[3].c_str(), nullptr, 10));
    }
    if (role == "windows-version") {
        return WindowsVersionRole();
    }
    if (role == "dup-app") {
        return GuardRole(arguments);
    }
    return 0xBAD;
}

void ProbeCommandLine(const std::string& program) {
    const std::string commandLine = GetCommandLineA();
    HANDLE file = CreateFileA((program + ".txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, commandLine.data(), static_cast<DWORD>(commandLine.size()), &written,
                  nullptr);
        CloseHandle(file);
    }
}

// Runs before the tests are registered and run: a child never reaches them.
[[maybe_unused]] const bool g_childChecked = [] {
    const std::string program = OwnProgramPath();
    if (program.find("cmdline-probe") != std::string::npos) {
        ProbeCommandLine(program);
        ExitProcess(CommandLineProbeExit);
    }
    const std::vector<std::string> arguments = Arguments();
    if (arguments.size() >= 3 && arguments[1] == "--tm-child") {
        ExitProcess(PlayRole(arguments));
    }
    return true;
}();

} // namespace

std::string OwnProgramPath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

HANDLE StartChild(const std::string& program, const std::string& role) {
    std::string commandLine = "\"" + program + "\" --tm-child " + role;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return nullptr;
    }
    CloseHandle(info.hThread);
    return info.hProcess;
}

DWORD RunChild(const std::string& program, const std::string& role) {
    HANDLE process = StartChild(program, role);
    if (process == nullptr) {
        return 0xFFFFFFFF;
    }
    DWORD code = 0xFFFFFFFF;
    if (WaitForSingleObject(process, 60000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process, &code)) {
        TerminateProcess(process, 0xFFFFFFFF);
        code = 0xFFFFFFFF;
    }
    CloseHandle(process);
    return code;
}
