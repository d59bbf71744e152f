#include "MainWindows.h"

#include "mainwindow/CCompactDlg.h"
#include "mainwindow/CMainDlg.h"

std::unique_ptr<IMainWindow> MakeMainWindow(EDisplayMode& displayMode) {
    if (displayMode == EDisplayMode::Compact) {
        return std::make_unique<CCompactDlg>();
    }
    displayMode = EDisplayMode::Full;
    return std::make_unique<CMainDlg>();
}
