#pragma once

// This test program doubles as the second process that some tests need. Started with
// "--tm-child <role> ...", it plays the role before any test runs and exits:
//   exit <n>                    exits with n;
//   windows-version             exits with ChildVersionMark | (0x100 when NT) | code;
//   dup-app <mutex> <class> <expected window> [<start event> <hold ms>]
//                               waits for the event when one is named, makes the
//                               single-instance guard, holds it for hold ms and exits
//                               with ChildGuardMark | 1 first | 2 other window |
//                               4 other window is the expected one.
// A copy of the program whose file name holds "cmdline-probe" writes its command line
// to "<its path>.txt" and exits with CommandLineProbeExit, whatever its arguments.

#include <windows.h>

#include <string>

constexpr DWORD ChildVersionMark = 0x1000;
constexpr DWORD ChildGuardMark = 0x2000;
constexpr DWORD CommandLineProbeExit = 7;

// The path of this test program.
std::string OwnProgramPath();
// Starts this program with "--tm-child " + role; the caller waits for and closes the
// process handle. Null when it could not be started.
HANDLE StartChild(const std::string& program, const std::string& role);
// Starts it, waits up to 60 s and gives the exit code (0xFFFFFFFF on failure).
DWORD RunChild(const std::string& program, const std::string& role);
