#pragma once

// CExternalProcess: runs another program and waits for it to end.
//
//   CExternalProcess creator;
//   if (creator.Run(path.c_str(), "/LANG=NL") == 0) {
//       DWORD code = creator.GetExitCode();
//   }
//
// Run blocks the calling thread until the other program has ended.

#include <windows.h>

#include <cstdint>

class CExternalProcess {
public:
    enum ERunResult : int32_t {
        Finished = 0,   // the program ran and its exit code was obtained
        NotStarted = 1, // the program could not be started
        NoExitCode = 2, // the program ran but its exit code could not be obtained
    };

    CExternalProcess() = default;
    virtual ~CExternalProcess() = default;

    // The command line is the program path in double quotes, followed by one blank and
    // the arguments when these are neither null nor empty. The program inherits this
    // process's handles, environment and current folder.
    ERunResult Run(const char* program, const char* arguments);
    // The exit code of the last finished run; 0 until a run has finished.
    DWORD GetExitCode() const { return m_exitCode; }

private:
    DWORD m_exitCode = 0;
};
