#include "library/dialogs/CModalScope.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct SModalState {
    int depth = 0;
    // Told, in the order they asked, when the last moment ends.
    std::vector<std::pair<HWND, UINT>> endListeners;
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
    if (--t_state.depth != 0) {
        return;
    }
    for (const auto& listener : t_state.endListeners) {
        if (IsWindow(listener.first)) {
            PostMessageA(listener.first, listener.second, 0, 0);
        }
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

void CModalScope::AddEndListener(HWND window, UINT message) {
    const std::pair<HWND, UINT> listener(window, message);
    std::vector<std::pair<HWND, UINT>>& listeners = t_state.endListeners;
    if (window != nullptr &&
        std::find(listeners.begin(), listeners.end(), listener) == listeners.end()) {
        listeners.push_back(listener);
    }
}

void CModalScope::RemoveEndListener(HWND window, UINT message) {
    std::vector<std::pair<HWND, UINT>>& listeners = t_state.endListeners;
    listeners.erase(
        std::remove(listeners.begin(), listeners.end(), std::make_pair(window, message)),
        listeners.end());
}
