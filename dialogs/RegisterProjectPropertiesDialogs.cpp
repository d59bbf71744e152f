#include "DialogRegistry.h"

#include "app/main/CAppMain.h"
#include "dialogs/CPropsDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"

#include <memory>

void RegisterProjectPropertiesDialogs() {
    CDialogLauncher::Register(
        EDialogKind::ProjectProperties,
        {CPropsDlg::kIdentity, true, [](CMainDlgBase& window) -> std::unique_ptr<CDialogWindow> {
             return std::make_unique<CPropsDlg>(window.GetCurrentProject());
         }});
    // The same dialog names a new project; without an application object there is
    // nobody to tell.
    if (CAppMain::Exists()) {
        CAppMain::Get().SetNewProjectDialog(&CPropsDlg::RunForNewProject);
    }
}
