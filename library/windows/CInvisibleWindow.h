#pragma once

// CInvisibleWindow: a hidden top-level window that exists only to receive messages:
// timers are attached to it and power-state broadcasts reach it (a message-only
// window would not get those). Other objects subclass it for what it does.
// Its class is registered once per process under the name "Brakfen_IVW".

#include <windows.h>

class CInvisibleWindow {
public:
    explicit CInvisibleWindow(HINSTANCE instance);
    virtual ~CInvisibleWindow();
    CInvisibleWindow(const CInvisibleWindow&) = delete;
    CInvisibleWindow& operator=(const CInvisibleWindow&) = delete;

    // Creates the window once; a non-null instance replaces the stored one. Returns
    // the window, null when it could not be created.
    HWND Create(HINSTANCE instance = nullptr);
    HWND GetHandle() const { return m_window; }

    static const char* GetClassName() { return "Brakfen_IVW"; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    HINSTANCE m_instance;
};
