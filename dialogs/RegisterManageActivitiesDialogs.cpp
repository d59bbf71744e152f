#include "DialogRegistry.h"

#include "dialogs/CActivitiesDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"

void RegisterManageActivitiesDialogs() {
    CDialogLauncher::Register(EDialogKind::ManageActivities,
                              {CActivitiesDlg::kIdentity, true,
                               [](CMainDlgBase& window) -> std::unique_ptr<CDialogWindow> {
                                   return std::make_unique<CActivitiesDlg>(
                                       window.GetCurrentProject());
                               }});
}
