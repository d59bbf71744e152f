#include "MainWindows.h"

#include "mainwindow/CCompactDlg.h"
#include "mainwindow/CMainDlg.h"

std::unique_ptr<IMainWindow> MakeMainWindow(int& displayMode) {
    if (displayMode == 1) {
        return std::make_unique<CCompactDlg>();
    }
    displayMode = 0;
    return std::make_unique<CMainDlg>();
}
