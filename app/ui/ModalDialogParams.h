#pragma once

// MakeModalDialogParams: how the program opens one of its dialogs modally over owner,
// its template taken from the current language module and, where that lacks it, from
// the program. The caller may change the copy before Create.
//
//   CChooseProjectDlg chooser;
//   chooser.Create(MakeModalDialogParams(IDD_CHOOSE_PROJECT, GetHwnd(), true));

#include "library/dialogs/SDialogParams.h"

#include <cstdint>

SDialogParams MakeModalDialogParams(int32_t dialogId, HWND owner, bool sizeGrip);
