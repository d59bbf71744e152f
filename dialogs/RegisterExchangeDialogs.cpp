#include "DialogRegistry.h"

#include "dialogs/CDataExchangeDlg.h"
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
    for (unsigned direction : {CDataExchangeDlg::kImport, CDataExchangeDlg::kExport}) {
        CDialogLauncher::Register(
            direction == CDataExchangeDlg::kImport ? EDialogKind::Import : EDialogKind::Export,
            {CDataExchangeDlg::GetDialogId(direction), true, true,
             [direction](CMainDlgBase& window) -> std::unique_ptr<CDialogWindow> {
                 return std::make_unique<CDataExchangeDlg>(window.GetCurrentProject(), direction);
             }});
    }
}
