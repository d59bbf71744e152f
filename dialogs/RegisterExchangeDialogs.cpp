#include "DialogRegistry.h"

#include "dialogs/CDetectedInactivityDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"
#include "resources/ResourceIds.h"

#include <memory>

void RegisterExchangeDialogs() {
    CDialogLauncher::RegisterInactivityDialog(
        IDD_DETECTED_INACTIVITY,
        [](const CDateTime& start, CProject& project) -> std::unique_ptr<CDialogWindow> {
            return std::make_unique<CDetectedInactivityDlg>(start, project);
        });
}
