#include "ReportRegistry.h"

#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"
#include "reports/dialog/CReportDlg.h"

void RegisterReportDialog() {
    CDialogLauncher::Register(
        EDialogKind::Report,
        {CReportDlg::kIdentity, true, [](CMainDlgBase& window) -> std::unique_ptr<CDialogWindow> {
             return std::make_unique<CReportDlg>(window.GetCurrentProject());
         }});
}
