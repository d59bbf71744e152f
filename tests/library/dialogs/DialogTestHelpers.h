#pragma once

// Helpers of the dialog tests: modeless test dialogs that leave no WM_QUIT behind, keys
// as a person types them, and counting.

#include "CTestDialog.h"

#include <gtest/gtest.h>

#include <algorithm>

// Opens a modeless dialog for the time of a scope; it is closed at the end and its
// WM_QUIT taken from the queue, so that the next modal loop of the thread runs.
class CModeless {
public:
    CModeless(CTestDialog& dialog, int dialogId, bool visible = false, bool sizeGrip = false)
        : m_dialog(dialog) {
        SDialogParams params = CTestDialog::Params(dialogId);
        params.modal = false;
        params.showMode = visible ? 1 : 2;
        params.sizeGrip = sizeGrip;
        EXPECT_EQ(dialog.Create(params), 0);
    }
    ~CModeless() {
        m_dialog.Close();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    CModeless(const CModeless&) = delete;
    CModeless& operator=(const CModeless&) = delete;

private:
    CTestDialog& m_dialog;
};

// A key pressed and released in a control (posted, as the keyboard would).
inline void PressKey(HWND control, UINT key) {
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

template <class C, class V> long CountOf(const C& container, const V& value) {
    return static_cast<long>(std::count(container.begin(), container.end(), value));
}

// Handles the thread's messages until done() answers true or maxMs passed.
template <class F> bool PumpUntil(F done, DWORD maxMs = 2000) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done()) {
        if (GetTickCount() - start > maxMs) {
            return false;
        }
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    return true;
}
