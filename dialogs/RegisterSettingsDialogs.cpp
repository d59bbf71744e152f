#include "DialogRegistry.h"

#include "dialogs/CSettingsDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"
#include "resources/ResourceIds.h"

void RegisterSettingsDialogs() {
    CDialogLauncher::Register(
        EDialogKind::Settings,
        {IDD_SETTINGS, false, false, [](CMainDlgBase&) -> std::unique_ptr<CDialogWindow> {
             return std::make_unique<CSettingsDlg>();
         }});
}
