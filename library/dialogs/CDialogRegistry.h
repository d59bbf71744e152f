#pragma once

// CDialogRegistry: what the dialog framework keeps for the whole process: the open
// dialogs by window, the modal dialogs that each thread runs, the accelerator hooks of
// the threads that run modal dialogs, and the window classes registered for dialogs.
//
// Built on first use and never destroyed, so dialogs may leave it at process exit.
// User-interface threads only; the accelerator entries are kept per thread.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

class CDialogWindow;

class CDialogRegistry {
public:
    static CDialogRegistry& Instance();

    void AddDialog(HWND window, CDialogWindow* dialog) { m_dialogs[window] = dialog; }
    void RemoveDialog(HWND window) { m_dialogs.erase(window); }
    // The dialog of exactly this window, or null.
    CDialogWindow* FindDialog(HWND window) const;
    // The dialog of the window or of its nearest ancestor, or null.
    CDialogWindow* FindHolder(HWND window) const;

    // A modal dialog is on its thread's stack for the time its loop runs; the innermost
    // is the one whose loop dispatches the thread's messages (null: none runs).
    void PushModal(CDialogWindow* dialog);
    void PopModal(CDialogWindow* dialog);
    CDialogWindow* GetInnermostModal() const;

    // A modal dialog with accelerators pushes itself for the time it runs; the thread's
    // message-filter hook exists while its stack is not empty. False (nothing pushed)
    // when the hook cannot be installed.
    bool PushAccelerators(CDialogWindow* dialog);
    void PopAccelerators(CDialogWindow* dialog);

    // Registers a copy of the system dialog class under name for instance, after
    // unregistering the copy made earlier under that name (with the instance it was
    // made for). False when the system refused.
    bool RegisterDialogClass(const std::string& name, HINSTANCE instance);

private:
    struct SHookStack {
        HHOOK hook = nullptr;
        std::vector<CDialogWindow*> dialogs; // the innermost last
    };

    CDialogRegistry() = default;
    ~CDialogRegistry() = default;
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);

    std::map<HWND, CDialogWindow*> m_dialogs;
    std::map<DWORD, std::vector<CDialogWindow*>> m_modal; // by thread id, the innermost last
    std::map<DWORD, SHookStack> m_hooks;                  // by thread id
    std::map<std::string, HINSTANCE> m_classes;           // name -> instance it was registered for
};
