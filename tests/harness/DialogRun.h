#pragma once

// Runs a dialog of a test modally from its template in the test program while a script
// drives it: the template is looked up in the program itself.

#include "harness/CUiScript.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/dialogs/SDialogParams.h"

namespace harness {

// Runs dialog from params, with the test program as the template's module. Returns what
// Create returned.
int RunDialog(CUiScript& script, CDialogWindow& dialog, SDialogParams params);

// The same for the template dialogId, with a size grip when asked.
int RunDialog(CUiScript& script, CDialogWindow& dialog, int dialogId, bool sizeGrip = false);

} // namespace harness
