#pragma once

// Where a dialog stood when it was last closed, kept in its slot of CSetDialogPosNSize
// (CAppMain's settings). A dialog restores in OnDialogInitialize, once its anchors are
// set, and stores in OnDialogTerminate:
//
//   RestoreDialogRect(*this, kIdentity.slot);     // resizable
//   StoreDialogRect(*this, kIdentity.slot);
//   RestoreDialogPosition(*this, kIdentity.slot); // fixed size
//   StoreDialogPosition(*this, kIdentity.slot);
//
// A slot never stored leaves the dialog where and as large as its template put it.

#include "app/ui/EPlacementSlot.h"

class CDialogWindow;

// Moves the dialog to the stored position (kept on the work area); the size stays.
void RestoreDialogPosition(CDialogWindow& dialog, EPlacementSlot slot);
// Stores the position of the normal placement (not the minimised or maximised one).
void StoreDialogPosition(const CDialogWindow& dialog, EPlacementSlot slot);

// Gives the dialog the stored position and size, never smaller than the size it has
// when called (its template's).
void RestoreDialogRect(CDialogWindow& dialog, EPlacementSlot slot);
// As RestoreDialogRect, for a dialog only as high as its template: the stored height
// is passed over.
void RestoreDialogRectWidthOnly(CDialogWindow& dialog, EPlacementSlot slot);
// Stores the position and size of the normal placement.
void StoreDialogRect(const CDialogWindow& dialog, EPlacementSlot slot);
