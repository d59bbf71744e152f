#include "library/windows/CSubclassedWindow.h"

#include "library/windows/CSubclassController.h"

CSubclassedWindow::~CSubclassedWindow() {
    UnsubclassAll();
}

bool CSubclassedWindow::Subclass(HWND window) {
    if (!CSubclassController::Instance().Subclass(window, this)) {
        return false;
    }
    m_windows.insert(window);
    return true;
}

void CSubclassedWindow::Unsubclass(HWND window) {
    CSubclassController::Instance().Unsubclass(window, this);
    m_windows.erase(window);
}

void CSubclassedWindow::UnsubclassAll() {
    while (!m_windows.empty()) {
        Unsubclass(*m_windows.begin());
    }
}
