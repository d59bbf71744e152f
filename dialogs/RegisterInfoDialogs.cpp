#include "DialogRegistry.h"

#include "dialogs/CAboutDlg.h"
#include "dialogs/CProjectStatsDlg.h"
#include "dialogs/CTipDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"
#include "resources/ResourceIds.h"

void RegisterInfoDialogs() {
    CDialogLauncher::Register(
        EDialogKind::TipOfTheDay,
        {IDD_TIP, false, false, [](CMainDlgBase&) -> std::unique_ptr<CDialogWindow> {
             return std::make_unique<CTipDlg>();
         }});
    CDialogLauncher::Register(
        EDialogKind::About,
        {IDD_ABOUT, false, false, [](CMainDlgBase&) -> std::unique_ptr<CDialogWindow> {
             return std::make_unique<CAboutDlg>();
         }});
    CDialogLauncher::Register(EDialogKind::ProjectStatistics,
                              {IDD_PROJECT_STATS, false, true,
                               [](CMainDlgBase& window) -> std::unique_ptr<CDialogWindow> {
                                   return std::make_unique<CProjectStatsDlg>(
                                       window.GetCurrentProject());
                               }});
}
