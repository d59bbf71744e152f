#include "library/system/CExternalProcess.h"

#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

#include <string>
#include <vector>

CExternalProcess::ERunResult CExternalProcess::Run(const char* program, const char* arguments) {
    std::string commandLine = "\"";
    commandLine += program != nullptr ? program : "";
    commandLine += '"';
    if (arguments != nullptr && *arguments != '\0') {
        commandLine += ' ';
        commandLine += arguments;
    }
    // CreateProcessA may write into the command line.
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return NotStarted;
    }
    CHandle<CIHVHandleTraits> process(info.hProcess);
    CHandle<CIHVHandleTraits> thread(info.hThread);
    DWORD exitCode = 0;
    if (WaitForSingleObject(process, INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process, &exitCode)) {
        return NoExitCode;
    }
    m_exitCode = exitCode;
    return Finished;
}
