#pragma once

// CMessage: one window message in flight, handed to every object that subclasses
// the window. A handler stops the message by setting handled (and result where the
// message needs one); CallPreviousProc lets the window do its own processing first.

#include <windows.h>

class CMessage {
public:
    CMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previousProc);
    virtual ~CMessage() = default;

    // Runs the window's previous procedure once; later calls give the same answer.
    LRESULT CallPreviousProc();

    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    bool handled = false;
    WNDPROC previousProc;
    bool previousCalled = false;
    LRESULT previousResult = 0;
};
