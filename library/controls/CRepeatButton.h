#pragma once

// CRepeatButton: a push button of a dialog that sends its command repeatedly while
// it is held down: once at the press, once more after the first delay and then once
// per repeat interval until it is let go (or loses the mouse capture).
//
//   CRepeatButton next;
//   next.Attach(dialog, IDC_NEXT_PERIOD, 1000, 100);
//   // the dialog gets WM_COMMAND(IDC_NEXT_PERIOD, 0, button) for every repeat
//
// The timers 45 (first delay) and 46 (repeat) are set on the button itself.

#include "library/windows/CSubclassedWindow.h"

#include <windows.h>

class CRepeatButton : public CSubclassedWindow {
public:
    static const UINT_PTR kFirstDelayTimer = 45;
    static const UINT_PTR kRepeatTimer = 46;

    CRepeatButton() = default;
    ~CRepeatButton() override;

    // Leaves an earlier button (released, timers killed), then binds to the dialog's
    // control; false (unattached) when it is missing or cannot be subclassed.
    bool Attach(HWND dialog, int controlId, UINT firstDelay, UINT repeatInterval = 100);
    bool IsPressed() const { return m_pressed; }
    HWND GetWindow() const { return m_button; }

    void OnMessage(CMessage& message) override;

private:
    void Detach();
    void Press();
    void Release();
    void SendCommand();

    HWND m_button = nullptr;
    int m_controlId = 0;
    HWND m_dialog = nullptr;
    UINT m_firstDelay = 0;
    UINT m_repeatInterval = 100;
    bool m_pressed = false;
};
