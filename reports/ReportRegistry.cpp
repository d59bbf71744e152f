#include "ReportRegistry.h"

#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"
#include "reports/dialog/CReportDlg.h"
#include "resources/ResourceIds.h"

void RegisterReportDialog() {
    CDialogLauncher::Register(
        EDialogKind::Report,
        {IDD_REPORT, true, true, [](CMainDlgBase& window) -> std::unique_ptr<CDialogWindow> {
             return std::make_unique<CReportDlg>(window.GetCurrentProject());
         }});
}
