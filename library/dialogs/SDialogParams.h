#pragma once

// SDialogParams: how CDialogWindow::Create makes a dialog. The opener fills it; the
// dialog keeps its own copy.
//
//   SDialogParams params;
//   params.dialogId = IDD_TRACE;
//   params.instance = languageModule;      // searched first
//   params.fallbackInstance = programModule;
//   params.owner = GetHwnd();
//   params.sizeGrip = true;

#include <windows.h>

#include <cstdint>
#include <string>

struct SDialogParams {
    int32_t dialogId = 0;
    int32_t acceleratorId = 0; // 0: no accelerator table
    HINSTANCE instance = nullptr;
    HINSTANCE fallbackInstance = nullptr;
    HWND owner = nullptr; // null or no window: no owner
    bool modal = true;
    int32_t showMode = 0; // modeless only: 0 as the template says, 1 show, 2 hide
    bool sizeGrip = false;
    std::string caption;     // empty: the template's caption stays
    std::string windowClass; // empty: the system dialog class
};
