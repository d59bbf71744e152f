#include "library/dialogs/CModalScope.h"

namespace {

struct SModalState {
    int depth = 0;
    HWND noticeWindow = nullptr;
    UINT noticeMessage = 0;
};

thread_local SModalState t_state;

struct SModalWindowSearch {
    HWND mainWindow;
    HWND found;
};

// Top-level windows come in z-order, the highest first.
BOOL CALLBACK FindModal(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<SModalWindowSearch*>(lParam);
    if (window == search->mainWindow || !IsWindowVisible(window) || !IsWindowEnabled(window)) {
        return TRUE;
    }
    if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

} // namespace

CModalScope::CModalScope() {
    ++t_state.depth;
}

CModalScope::~CModalScope() {
    if (--t_state.depth == 0 && t_state.noticeWindow != nullptr && IsWindow(t_state.noticeWindow)) {
        PostMessageA(t_state.noticeWindow, t_state.noticeMessage, 0, 0);
    }
}

bool CModalScope::IsActive() {
    return t_state.depth > 0;
}

int CModalScope::GetDepth() {
    return t_state.depth;
}

HWND CModalScope::FindModalWindow(HWND mainWindow) {
    SModalWindowSearch search = {mainWindow, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindModal, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CModalScope::BringToFront(HWND mainWindow) {
    if (mainWindow != nullptr && IsIconic(mainWindow)) {
        ShowWindow(mainWindow, SW_RESTORE);
    }
    HWND modal = FindModalWindow(mainWindow);
    if (modal != nullptr) {
        SetForegroundWindow(modal);
        FlashWindow(modal, TRUE);
    }
}

void CModalScope::SetEndNotice(HWND window, UINT message) {
    t_state.noticeWindow = window;
    t_state.noticeMessage = message;
}

void CModalScope::ClearEndNotice(HWND window) {
    if (t_state.noticeWindow == window) {
        t_state.noticeWindow = nullptr;
        t_state.noticeMessage = 0;
    }
}
