#include "DialogRegistry.h"

#include "dialogs/CSettingsDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"

void RegisterSettingsDialogs() {
    CDialogLauncher::Register(
        EDialogKind::Settings,
        {CSettingsDlg::kIdentity, false, [](CMainDlgBase&) -> std::unique_ptr<CDialogWindow> {
             return std::make_unique<CSettingsDlg>();
         }});
}
