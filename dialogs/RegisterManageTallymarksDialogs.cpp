#include "DialogRegistry.h"

#include "dialogs/CTracesDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"
#include "resources/ResourceIds.h"

#include <memory>

void RegisterManageTallymarksDialogs() {
    CDialogLauncher::Register(EDialogKind::ManageTallymarks,
                              {IDD_TRACES, true, true, [](CMainDlgBase& window) {
                                   return std::unique_ptr<CDialogWindow>(
                                       std::make_unique<CTracesDlg>(window.GetCurrentProject()));
                               }});
}
