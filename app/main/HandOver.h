#pragma once

// The hand-over between two instances of the program: a second start sends its project
// file (or only the wish to be shown) to the main window of the instance that already
// runs, as WM_COPYDATA, and ends.
//
//   CDupAppPreventer guard(mutexName, windowClass, true, true);
//   if (guard.HasOtherWindow()) {
//       SendHandOver(guard.GetOtherWindow(), parser.HasFile(), parser.GetFile());
//       return 0;
//   }
//
// The receiving window reads the message with ReadHandOverPath, which trusts nothing
// in it: any process of the session can send WM_COPYDATA.

#include <windows.h>

#include <string>

// dwData of the message: a project file follows (lpData, zero-terminated, the zero
// counted in cbData), or nothing does and the window only shows itself.
constexpr ULONG_PTR kHandOverOpenFile = 112;
constexpr ULONG_PTR kHandOverShow = 111;

// How long the sender waits for the running instance to take the message.
constexpr UINT kHandOverTimeoutMs = 5000;

// The path as the running instance must read it: a relative path is completed against
// this process's working folder, which the other instance does not share. The text
// stays as it is when the system cannot complete it.
std::string MakeHandOverPath(const std::string& path);

// Brings window to the front and sends it the hand-over: kHandOverOpenFile with the
// completed path of file when hasFile is set, else kHandOverShow without data. The
// receiver's answer does not matter; a receiver that hangs or has not taken the
// message after timeoutMs is given up, so a second start never hangs with it. True
// when the message was delivered.
bool SendHandOver(HWND window, bool hasFile, const std::string& file,
                  UINT timeoutMs = kHandOverTimeoutMs);

// The project path of a received hand-over. False (path emptied) for any message that
// is not kHandOverOpenFile or carries no usable path: no data, a null pointer, an empty
// text. The text ends at the first zero byte within cbData; text without a zero byte is
// taken up to cbData bytes, never beyond. A text longer than the longest path the
// system knows is refused.
bool ReadHandOverPath(const COPYDATASTRUCT& data, std::string& path);
