#include "DialogRegistry.h"

#include "dialogs/CAboutDlg.h"
#include "dialogs/CProjectStatsDlg.h"
#include "dialogs/CTipDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"

void RegisterInfoDialogs() {
    CDialogLauncher::Register(
        EDialogKind::TipOfTheDay,
        {CTipDlg::kIdentity, false, [](CMainDlgBase&) -> std::unique_ptr<CDialogWindow> {
             return std::make_unique<CTipDlg>();
         }});
    CDialogLauncher::Register(
        EDialogKind::About,
        {CAboutDlg::kIdentity, false, [](CMainDlgBase&) -> std::unique_ptr<CDialogWindow> {
             return std::make_unique<CAboutDlg>();
         }});
    CDialogLauncher::Register(EDialogKind::ProjectStatistics,
                              {CProjectStatsDlg::kIdentity, true,
                               [](CMainDlgBase& window) -> std::unique_ptr<CDialogWindow> {
                                   return std::make_unique<CProjectStatsDlg>(
                                       window.GetCurrentProject());
                               }});
}
