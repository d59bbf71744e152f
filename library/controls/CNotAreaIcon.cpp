#include "library/controls/CNotAreaIcon.h"

#include "library/controls/CPopupMenuEntry.h"
#include "library/dialogs/CModalScope.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The tray rectangle when the shell's notification area cannot be found: the lower
// right corner of the work area.
const LONG kFallbackTrayWidth = 80;
const LONG kFallbackTrayHeight = 20;

RECT GetTrayRect() {
    RECT rect = {};
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    HWND tray =
        taskbar != nullptr ? FindWindowExA(taskbar, nullptr, "TrayNotifyWnd", nullptr) : nullptr;
    if (tray != nullptr && GetWindowRect(tray, &rect)) {
        return rect;
    }
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    rect.left = work.right - kFallbackTrayWidth;
    rect.top = work.bottom - kFallbackTrayHeight;
    rect.right = work.right;
    rect.bottom = work.bottom;
    return rect;
}

} // namespace

UINT CNotAreaIcon::GetTaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

CNotAreaIcon::CNotAreaIcon() : m_notify(&Shell_NotifyIconA) {
    GetTaskbarCreatedMessage();
    std::memset(&m_data, 0, sizeof(m_data));
    // The first version of the record: every shell takes it, and it has all this
    // icon uses.
    m_data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_data.uID = kIconId;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = kCallbackMessage;
}

CNotAreaIcon::~CNotAreaIcon() {
    SetParent(nullptr);
}

HWND CNotAreaIcon::GetParentWindow(int kind) const {
    return m_parent != nullptr ? m_parent->GetWindow(kind) : nullptr;
}

bool CNotAreaIcon::SetParent(INotAreaIconParent* parent) {
    UnsubclassAll();
    m_parent = parent;
    m_data.hWnd = GetParentWindow(INotAreaIconParent::kMessageWindow);
    if (parent == nullptr) {
        return true;
    }
    return m_data.hWnd != nullptr && Subclass(m_data.hWnd);
}

bool CNotAreaIcon::Notify(DWORD message) {
    return m_notify != nullptr && m_notify(message, &m_data) != FALSE;
}

bool CNotAreaIcon::SetIconAndTip(HICON icon, const std::string& tip) {
    m_data.hIcon = icon;
    // The first record version holds 63 characters and the terminating zero.
    const size_t capacity = 64;
    const size_t length = std::min(tip.size(), capacity - 1);
    std::memcpy(m_data.szTip, tip.data(), length);
    m_data.szTip[length] = '\0';
    return m_shown ? Notify(NIM_MODIFY) : true;
}

bool CNotAreaIcon::SetVisible(bool show) {
    if (show == m_shown) {
        return true;
    }
    if (Notify(show ? NIM_ADD : NIM_DELETE)) {
        m_shown = show;
    }
    if (m_shown != show) {
        return false;
    }
    if (m_parent != nullptr) {
        m_parent->OnActiveChange(m_shown);
    }
    Animate(m_shown);
    return true;
}

bool CNotAreaIcon::Remove() {
    if (m_shown && Notify(NIM_DELETE)) {
        m_shown = false;
        if (m_parent != nullptr) {
            m_parent->OnActiveChange(false);
        }
    }
    return !m_shown;
}

void CNotAreaIcon::Animate(bool toTray) {
    HWND window = GetParentWindow(INotAreaIconParent::kRestoredWindow);
    if (window == nullptr) {
        return;
    }
    RECT windowRect = {};
    GetWindowRect(window, &windowRect);
    const RECT trayRect = GetTrayRect();
    if (toTray) {
        ShowWindow(window, SW_HIDE);
        DrawAnimatedRects(window, IDANI_CAPTION, &windowRect, &trayRect);
    } else {
        DrawAnimatedRects(window, IDANI_CAPTION, &trayRect, &windowRect);
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
    }
}

void CNotAreaIcon::OnTaskbarCreated() {
    if (!m_shown) {
        return;
    }
    // After a shell restart the icon is gone; when it is still there (the message
    // came for another reason), adding fails but the icon takes a change.
    if (Notify(NIM_ADD) || Notify(NIM_MODIFY)) {
        return;
    }
    // No icon and a hidden window would leave the user nothing to come back by.
    m_shown = false;
    if (m_parent != nullptr) {
        m_parent->OnActiveChange(false);
    }
    if (HWND window = GetParentWindow(INotAreaIconParent::kRestoredWindow)) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
    }
}

void CNotAreaIcon::ShowPopupMenu() {
    if (m_parent == nullptr) {
        return;
    }
    auto root = std::make_unique<CPopupMenuEntry>(true);
    m_parent->BuildPopupMenu(*root);
    POINT cursor = {};
    GetCursorPos(&cursor);
    SPopupMenuEntryData* chosen = nullptr;
    {
        // The menu's loop is a moment like a dialog's: what arrives meanwhile (a close
        // request, a hand-over, an inactivity) waits for it. The choice is carried out
        // after the loop, by a parent that checks that what it names still exists.
        CModalScope moment;
        chosen = root->Track(m_data.hWnd, cursor.x, cursor.y, 2, 2, false, true, true);
    }
    m_parent->OnMenuItem(chosen);
}

void CNotAreaIcon::OnMessage(CMessage& message) {
    if (message.window != m_data.hWnd) {
        return;
    }
    if (message.message == GetTaskbarCreatedMessage()) {
        OnTaskbarCreated();
        return;
    }
    if (message.message != kCallbackMessage) {
        return;
    }
    switch (static_cast<UINT>(message.lParam)) {
    case WM_LBUTTONDBLCLK:
        m_doubleClicked = true;
        message.handled = true;
        return;
    case WM_LBUTTONUP:
        if (m_doubleClicked) {
            m_doubleClicked = false;
            SetVisible(false);
        }
        message.handled = true;
        return;
    case WM_RBUTTONUP:
        ShowPopupMenu();
        message.handled = true;
        return;
    }
}
