#include "library/windows/CInvisibleWindow.h"

namespace {

ATOM& ClassAtom() {
    static ATOM atom = 0;
    return atom;
}

} // namespace

CInvisibleWindow::CInvisibleWindow(HINSTANCE instance) : m_instance(instance) {}

CInvisibleWindow::~CInvisibleWindow() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
        m_window = nullptr;
    }
}

HWND CInvisibleWindow::Create(HINSTANCE instance) {
    if (instance != nullptr) {
        m_instance = instance;
    }
    if (m_window != nullptr) {
        return m_window;
    }
    if (ClassAtom() == 0 && m_instance != nullptr) {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_CLASSDC;
        windowClass.lpfnWndProc = &CInvisibleWindow::WindowProc;
        windowClass.hInstance = m_instance;
        windowClass.lpszClassName = GetClassName();
        ClassAtom() = RegisterClassA(&windowClass);
    }
    m_window = CreateWindowExA(0, GetClassName(), "", 0, 0, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                               nullptr, nullptr, m_instance, nullptr);
    return m_window;
}

// Answers everything itself: the window never does anything on its own.
LRESULT CALLBACK CInvisibleWindow::WindowProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_QUERYENDSESSION || message == WM_NCCREATE ? TRUE : 0;
}
