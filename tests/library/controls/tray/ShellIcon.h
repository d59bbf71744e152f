#pragma once

#include "library/controls/CNotAreaIcon.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

// Sends message about window's tray icon straight to the shell, behind the back of any
// wrapper; NIM_MODIFY succeeds only for an icon that is there.
inline bool ShellNotifyIcon(DWORD message, HWND window) {
    NOTIFYICONDATAA data;
    std::memset(&data, 0, sizeof(data));
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = CNotAreaIcon::kIconId;
    return Shell_NotifyIconA(message, &data) != FALSE;
}
