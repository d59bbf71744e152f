#pragma once

// SDialogIdentity: what names one dialog of the program, defined once beside the dialog
// and used by everybody who opens it (the main window's launcher, a dialog that opens it
// over itself) and by the dialog itself (its placement and its help page):
//
//   const SDialogIdentity CAboutDlg::kIdentity = {IDD_ABOUT, false, EPlacementSlot::About,
//                                                 IDS_HELP_ABOUT};
//   dialog.Create(MakeModalDialogParams(CAboutDlg::kIdentity, owner));
//   RestoreDialogPosition(*this, kIdentity.slot);
//   return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);

#include "app/ui/EPlacementSlot.h"

#include <cstdint>

struct SDialogIdentity {
    // The dialog template's resource id.
    int32_t dialogId;
    // Whether the dialog shows a size grip.
    bool sizeGrip;
    // Where its placement is kept.
    EPlacementSlot slot;
    // The string id of its help page's topic.
    int helpTopic;
};
