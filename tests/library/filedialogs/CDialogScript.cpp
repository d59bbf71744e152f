#include "CDialogScript.h"

#include <dlgs.h>

namespace {

CDialogScript* g_current = nullptr;
constexpr UINT TickMilliseconds = 100;

struct SFound {
    HWND fileDialog = nullptr;
    HWND messageBox = nullptr;
    std::vector<HWND> all;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<SFound*>(data);
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) {
        return TRUE;
    }
    found->all.push_back(window);
    if (GetDlgItem(window, cmb1) != nullptr) {
        found->fileDialog = window;
    } else {
        found->messageBox = window;
    }
    return TRUE;
}

SFound FindDialogs() {
    SFound found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

CDialogScript::CDialogScript(std::vector<SStep> steps, int limitMilliseconds)
    : m_steps(std::move(steps)),
      m_ticksLeft(limitMilliseconds / static_cast<int>(TickMilliseconds)) {
    g_current = this;
    m_timer = SetTimer(nullptr, 0, TickMilliseconds, &CDialogScript::OnTimer);
}

CDialogScript::CDialogScript(const std::vector<Step>& steps)
    : CDialogScript([&steps] {
          std::vector<SStep> all;
          for (const Step& step : steps) {
              all.push_back({step, false});
          }
          return all;
      }()) {}

CDialogScript::~CDialogScript() {
    KillTimer(nullptr, m_timer);
    g_current = nullptr;
}

void CALLBACK CDialogScript::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_current != nullptr) {
        g_current->Tick();
    }
}

void CDialogScript::Tick() {
    const SFound found = FindDialogs();
    if (--m_ticksLeft < 0) {
        if (!found.all.empty()) {
            m_timedOut = true;
        }
        for (HWND window : found.all) {
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
        return;
    }
    if (m_next >= m_steps.size()) {
        return;
    }
    const SStep& step = m_steps[m_next];
    const HWND target = step.onMessageBox ? found.messageBox : found.fileDialog;
    if (target == nullptr || (!step.onMessageBox && found.messageBox != nullptr)) {
        return;
    }
    if (!step.onMessageBox) {
        m_dialog = target;
    }
    ++m_next;
    step.run(target);
}

HWND CDialogScript::FileNameBox(HWND dialog) {
    HWND box = GetDlgItem(dialog, cmb13);
    return box != nullptr ? box : GetDlgItem(dialog, edt1);
}

std::string CDialogScript::Text(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string CDialogScript::FileName(HWND dialog) {
    return Text(FileNameBox(dialog));
}

void CDialogScript::TypeName(HWND dialog, const std::string& name) {
    SetWindowTextA(FileNameBox(dialog), name.c_str());
}

void CDialogScript::SelectFilter(HWND dialog, int position) {
    const HWND filters = GetDlgItem(dialog, cmb1);
    SendMessageA(filters, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(filters));
}

void CDialogScript::Press(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}
