#include "MainWindows.h"

#include "mainwindow/CMainDlg.h"

std::unique_ptr<IMainWindow> MakeMainWindow(int& displayMode) {
    displayMode = 0;
    return std::make_unique<CMainDlg>();
}
