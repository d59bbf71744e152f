#pragma once

// The application object on a folder of its own, for the tip of the day, about and
// statistics dialogs run by themselves.

#include "app/main/CAppMain.h"
#include "app/ui/SharedPictures.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/dialogs/SDialogParams.h"
#include "library/system/CScratchFolder.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <memory>

namespace infotest {

class CInfoFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadIconsAndImageLists(GetModuleHandleA(nullptr)); }
    CInfoFixture() {
        m_folder.Write("InstallSettings.ini", "[Settings]\r\nPortableInstall=y\r\n");
        SAppOptions options;
        options.programFolder = m_folder.Path();
        options.mutexName.clear();
        m_app = std::make_unique<CAppMain>(options);
    }
    ~CInfoFixture() override { m_app.reset(); }

    // Runs the dialog modally from its template while the script runs.
    static void Run(harness::CUiScript& script, CDialogWindow& dialog, int dialogId) {
        SDialogParams params;
        params.dialogId = dialogId;
        params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
        script.Run([&] { dialog.Create(params); });
    }

    CScratchFolder m_folder;
    std::unique_ptr<CAppMain> m_app;
};

} // namespace infotest
