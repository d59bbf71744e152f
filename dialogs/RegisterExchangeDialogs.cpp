#include "DialogRegistry.h"

#include "dialogs/CDataExchangeDlg.h"
#include "dialogs/CDetectedInactivityDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"

#include <memory>

void RegisterExchangeDialogs() {
    CDialogLauncher::RegisterInactivityDialog(
        CDetectedInactivityDlg::kIdentity,
        [](const SClockReading& start, CProject& project) -> std::unique_ptr<CDialogWindow> {
            return std::make_unique<CDetectedInactivityDlg>(start, project);
        });
    for (unsigned direction : {CDataExchangeDlg::kImport, CDataExchangeDlg::kExport}) {
        CDialogLauncher::Register(
            direction == CDataExchangeDlg::kImport ? EDialogKind::Import : EDialogKind::Export,
            {CDataExchangeDlg::GetIdentity(direction), true,
             [direction](CMainDlgBase& window) -> std::unique_ptr<CDialogWindow> {
                 return std::make_unique<CDataExchangeDlg>(window.GetCurrentProject(), direction);
             }});
    }
}
