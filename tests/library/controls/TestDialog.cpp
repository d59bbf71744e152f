#include "TestDialog.h"

void CTestDialog::Run(harness::CUiScript& script, std::function<void(HWND)> onInit) {
    m_onInit = std::move(onInit);
    script.Run([this] {
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), nullptr,
                        &CTestDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    });
}

std::vector<SCommandRecord> CTestDialog::GetCommands(int id) const {
    std::vector<SCommandRecord> found;
    for (const SCommandRecord& command : m_commands) {
        if (command.id == id) {
            found.push_back(command);
        }
    }
    return found;
}

INT_PTR CALLBACK CTestDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto* self = reinterpret_cast<CTestDialog*>(lParam);
        self->m_dialog = dialog;
        self->m_onInit(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<CTestDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    } else if (message == WM_COMMAND && HIWORD(wParam) == 0) {
        self->m_commands.push_back(
            {LOWORD(wParam), reinterpret_cast<HWND>(lParam), GetTickCount()});
    }
    return message == WM_COMMAND;
}

std::function<bool()> ElapsedSince(const DWORD* since, DWORD ms) {
    return [since, ms] { return *since != 0 && GetTickCount() - *since >= ms; };
}
