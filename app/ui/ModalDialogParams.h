#pragma once

// MakeModalDialogParams: how the program opens one of its dialogs modally over owner,
// its template taken from the current language module and, where that lacks it, from
// the program, with the size grip its identity names. The caller may change the copy
// before Create.
//
//   CChooseProjectDlg chooser;
//   chooser.Create(MakeModalDialogParams(CChooseProjectDlg::kIdentity, GetHwnd()));

#include "app/ui/SDialogIdentity.h"
#include "library/dialogs/SDialogParams.h"

SDialogParams MakeModalDialogParams(const SDialogIdentity& identity, HWND owner);
