#pragma once

// ShowMessageBox: the program's message box and question: MessageBoxA held in a modal
// moment (CModalScope), so that nothing from outside acts on what the box asks about
// while it is up. Same arguments and answer as MessageBoxA.
//
//   if (ShowMessageBox(owner, question, caption, MB_YESNO | MB_ICONQUESTION) == IDYES) ...

#include <windows.h>

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);
