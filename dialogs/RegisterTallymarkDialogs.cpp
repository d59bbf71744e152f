#include "DialogRegistry.h"

#include "dialogs/CTraceDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"

#include <memory>

void RegisterTallymarkDialogs() {
    // A new tally mark on the window's current project, in its current state, preset to
    // the selected activity.
    CDialogLauncher::Register(EDialogKind::NewTallymark,
                              {CTraceDlg::kIdentity, true, [](CMainDlgBase& window) {
                                   return std::make_unique<CTraceDlg>(window.GetCurrentProject(),
                                                                      window.GetCurrentState());
                               }});
}
