#pragma once

// The application object on a folder of its own, for the tip of the day, about and
// statistics dialogs run by themselves.

#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "library/dialogs/CDialogWindow.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

namespace infotest {

class CInfoFixture : public harness::CDialogAppFixture {
protected:
    CInfoFixture() { StartApp(true); }

    // Runs the dialog modally from its template while the script runs.
    static void Run(harness::CUiScript& script, CDialogWindow& dialog, int dialogId) {
        harness::RunDialog(script, dialog, dialogId);
    }
};

} // namespace infotest
