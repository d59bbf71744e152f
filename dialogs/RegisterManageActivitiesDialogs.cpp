#include "DialogRegistry.h"

#include "dialogs/CActivitiesDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"
#include "resources/ResourceIds.h"

void RegisterManageActivitiesDialogs() {
    CDialogLauncher::Register(
        EDialogKind::ManageActivities,
        {IDD_ACTIVITIES, true, true, [](CMainDlgBase& window) -> std::unique_ptr<CDialogWindow> {
             return std::make_unique<CActivitiesDlg>(window.GetCurrentProject());
         }});
}
