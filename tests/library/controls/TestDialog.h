#pragma once

// A modal test dialog of this folder's resources: onInit runs at WM_INITDIALOG, every
// WM_COMMAND but Cancel is recorded with its arrival time, and Cancel ends it.

#include "harness/CUiScript.h"

#include <functional>
#include <vector>

struct SCommandRecord {
    int id;
    HWND control;
    DWORD tick;
};

class CTestDialog {
public:
    explicit CTestDialog(int templateId) : m_templateId(templateId) {}

    // Runs the dialog while script's steps drive it.
    void Run(harness::CUiScript& script, std::function<void(HWND)> onInit);
    // The commands from control id (notification 0 only: what the wrappers send).
    std::vector<SCommandRecord> GetCommands(int id) const;
    HWND GetItem(int id) const { return GetDlgItem(m_dialog, id); }
    HWND GetWindow() const { return m_dialog; }
    void Close() const { PostMessageA(m_dialog, WM_COMMAND, IDCANCEL, 0); }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    int m_templateId;
    HWND m_dialog = nullptr;
    std::function<void(HWND)> m_onInit;
    std::vector<SCommandRecord> m_commands;
};

// A script condition: ms milliseconds have passed since *since (set by a step).
std::function<bool()> ElapsedSince(const DWORD* since, DWORD ms);
