#include "DialogRegistry.h"

#include "dialogs/CTracesDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"

#include <memory>

void RegisterManageTallymarksDialogs() {
    CDialogLauncher::Register(EDialogKind::ManageTallymarks,
                              {CTracesDlg::kIdentity, true, [](CMainDlgBase& window) {
                                   return std::unique_ptr<CDialogWindow>(
                                       std::make_unique<CTracesDlg>(window.GetCurrentProject()));
                               }});
}
