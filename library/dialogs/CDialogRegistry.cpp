#include "library/dialogs/CDialogRegistry.h"

#include "library/dialogs/CDialogWindow.h"

#include <algorithm>

CDialogRegistry& CDialogRegistry::Instance() {
    static CDialogRegistry* registry = new CDialogRegistry(); // lives as long as the process
    return *registry;
}

CDialogWindow* CDialogRegistry::FindDialog(HWND window) const {
    const auto found = m_dialogs.find(window);
    return found == m_dialogs.end() ? nullptr : found->second;
}

CDialogWindow* CDialogRegistry::FindHolder(HWND window) const {
    for (HWND current = window; current != nullptr; current = GetAncestor(current, GA_PARENT)) {
        if (CDialogWindow* dialog = FindDialog(current)) {
            return dialog;
        }
    }
    return nullptr;
}

void CDialogRegistry::PushModal(CDialogWindow* dialog) {
    m_modal[GetCurrentThreadId()].push_back(dialog);
}

void CDialogRegistry::PopModal(CDialogWindow* dialog) {
    const auto found = m_modal.find(GetCurrentThreadId());
    if (found == m_modal.end()) {
        return;
    }
    std::vector<CDialogWindow*>& dialogs = found->second;
    const auto last = std::find(dialogs.rbegin(), dialogs.rend(), dialog);
    if (last != dialogs.rend()) {
        dialogs.erase(std::next(last).base());
    }
    if (dialogs.empty()) {
        m_modal.erase(found);
    }
}

CDialogWindow* CDialogRegistry::GetInnermostModal() const {
    const auto found = m_modal.find(GetCurrentThreadId());
    return found == m_modal.end() || found->second.empty() ? nullptr : found->second.back();
}

bool CDialogRegistry::PushAccelerators(CDialogWindow* dialog) {
    const DWORD thread = GetCurrentThreadId();
    SHookStack& stack = m_hooks[thread];
    if (stack.hook == nullptr) {
        stack.hook = SetWindowsHookExA(WH_MSGFILTER, &MessageFilter, nullptr, thread);
        if (stack.hook == nullptr) {
            m_hooks.erase(thread);
            return false;
        }
    }
    stack.dialogs.push_back(dialog);
    return true;
}

void CDialogRegistry::PopAccelerators(CDialogWindow* dialog) {
    const auto found = m_hooks.find(GetCurrentThreadId());
    if (found == m_hooks.end()) {
        return;
    }
    std::vector<CDialogWindow*>& dialogs = found->second.dialogs;
    const auto last = std::find(dialogs.rbegin(), dialogs.rend(), dialog);
    if (last != dialogs.rend()) {
        dialogs.erase(std::next(last).base());
    }
    if (dialogs.empty()) {
        UnhookWindowsHookEx(found->second.hook);
        m_hooks.erase(found);
    }
}

// Modal dialog loops do not pass through the program's own loop: their keys are seen
// here. A key is translated only with the table of the dialog that holds the key's
// window, so a nested dialog never fires its owner's commands.
LRESULT CALLBACK CDialogRegistry::MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    CDialogRegistry& registry = Instance();
    const auto found = registry.m_hooks.find(GetCurrentThreadId());
    HHOOK hook = found == registry.m_hooks.end() ? nullptr : found->second.hook;
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (hook != nullptr && code == MSGF_DIALOGBOX && msg != nullptr &&
        msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
        const std::vector<CDialogWindow*>& dialogs = found->second.dialogs;
        for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
            CDialogWindow* dialog = *it;
            HWND window = dialog->GetHwnd();
            if (window == nullptr || dialog->m_destroying ||
                (msg->hwnd != window && !IsChild(window, msg->hwnd))) {
                continue;
            }
            if (TranslateAcceleratorA(window, dialog->GetAccelerators(), msg) != 0) {
                return 1;
            }
            break;
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

bool CDialogRegistry::RegisterDialogClass(const std::string& name, HINSTANCE instance) {
    const auto found = m_classes.find(name);
    if (found != m_classes.end()) {
        if (UnregisterClassA(name.c_str(), found->second)) {
            m_classes.erase(found);
        } else if (found->second == instance) {
            return true; // still registered (windows of it exist): usable as it is
        }
    }
    WNDCLASSA copy = {};
    if (!GetClassInfoA(nullptr, WC_DIALOG, &copy)) {
        return false;
    }
    copy.hInstance = instance;
    copy.lpszClassName = name.c_str();
    if (RegisterClassA(&copy) == 0) {
        return false;
    }
    m_classes[name] = instance;
    return true;
}
