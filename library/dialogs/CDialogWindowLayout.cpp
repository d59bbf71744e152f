// Position and size of a dialog and of its controls.

#include "library/dialogs/CDialogWindow.h"

#include "library/dialogs/WorkArea.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

const UINT kControlPosFlags = SWP_NOOWNERZORDER | SWP_NOZORDER | SWP_NOACTIVATE;

SWindowRect ToWindowRect(const RECT& rect) {
    return SWindowRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void RaiseToMinimum(int& cx, int& cy, const SSize* minimum) {
    if (minimum != nullptr) {
        cx = std::max(cx, static_cast<int>(minimum->width));
        cy = std::max(cy, static_cast<int>(minimum->height));
    }
}

} // namespace

void CDialogWindow::ClampToWorkArea(POINT& point) {
    RECT workArea;
    if (GetWorkAreaNear(point, workArea)) {
        point = ClampIntoWorkArea(point, workArea);
    }
}

void CDialogWindow::SetPos(int x, int y) {
    POINT point{x, y};
    ClampToWorkArea(point);
    SetWindowPos(m_window, nullptr, point.x, point.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialogWindow::SetSize(int cx, int cy, const SSize* minimum) {
    RaiseToMinimum(cx, cy, minimum);
    SetWindowPos(m_window, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    OnSizeSet(SSize{cx, cy});
}

void CDialogWindow::SetRect(int x, int y, int cx, int cy, const SSize* minimum) {
    POINT point{x, y};
    RaiseToMinimum(cx, cy, minimum);
    ClampToWorkArea(point);
    SetWindowPos(m_window, nullptr, point.x, point.y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    OnSizeSet(SSize{cx, cy});
}

// The placement's restored rectangle is measured from the work area, not the screen:
// taken as it is, a window restored from it would creep by the taskbar's size.
SWindowRect CDialogWindow::GetRect(bool normal) const {
    RECT rect = {0, 0, 0, 0};
    WINDOWPLACEMENT placement;
    if (normal && (IsIconic(m_window) || IsZoomed(m_window)) && GetPlacement(placement)) {
        rect = placement.rcNormalPosition;
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        const bool toolWindow = (GetWindowLongPtrA(m_window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
        if (!toolWindow &&
            GetMonitorInfoA(MonitorFromWindow(m_window, MONITOR_DEFAULTTONEAREST), &monitor)) {
            rect = WorkspaceToScreen(rect, monitor.rcMonitor, monitor.rcWork);
        }
    } else {
        GetWindowRect(m_window, &rect);
    }
    return ToWindowRect(rect);
}

POINT CDialogWindow::GetPos(bool normal) const {
    const SWindowRect rect = GetRect(normal);
    return POINT{rect.x, rect.y};
}

SSize CDialogWindow::GetSize(bool normal) const {
    const SWindowRect rect = GetRect(normal);
    return SSize{rect.width, rect.height};
}

bool CDialogWindow::GetPlacement(WINDOWPLACEMENT& placement) const {
    placement = WINDOWPLACEMENT();
    placement.length = sizeof(placement);
    return GetWindowPlacement(m_window, &placement) != FALSE;
}

void CDialogWindow::ShowItem(int id, bool show) const {
    ShowControl(GetDlgItem(m_window, id), show);
}

void CDialogWindow::ShowControl(HWND control, bool show) {
    ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
}

void CDialogWindow::SetItemRect(int id, int x, int y, int cx, int cy) const {
    SetControlRect(GetDlgItem(m_window, id), SWindowRect{x, y, cx, cy});
}

void CDialogWindow::SetControlRect(HWND control, const SWindowRect& rect) {
    SetWindowPos(control, nullptr, rect.x, rect.y, rect.width, rect.height, kControlPosFlags);
}

void CDialogWindow::SetItemPos(int id, int x, int y) const {
    SetControlPos(GetDlgItem(m_window, id), x, y);
}

void CDialogWindow::SetControlPos(HWND control, int x, int y) {
    SetWindowPos(control, nullptr, x, y, 0, 0, kControlPosFlags | SWP_NOSIZE);
}

void CDialogWindow::SetItemSize(int id, int cx, int cy) const {
    SetControlSize(GetDlgItem(m_window, id), cx, cy);
}

void CDialogWindow::SetControlSize(HWND control, int cx, int cy) {
    SetWindowPos(control, nullptr, 0, 0, cx, cy, kControlPosFlags | SWP_NOMOVE);
}

POINT CDialogWindow::GetItemPos(int id) const {
    return GetControlPos(GetDlgItem(m_window, id));
}

POINT CDialogWindow::GetControlPos(HWND control) const {
    const SWindowRect rect = GetControlRect(control);
    return POINT{rect.x, rect.y};
}

SWindowRect CDialogWindow::GetItemRect(int id) const {
    return GetControlRect(GetDlgItem(m_window, id));
}

SWindowRect CDialogWindow::GetControlRect(HWND control) const {
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(control, &rect);
    POINT corner{rect.left, rect.top};
    ScreenToClient(m_window, &corner);
    return SWindowRect{corner.x, corner.y, rect.right - rect.left, rect.bottom - rect.top};
}

SSize CDialogWindow::GetItemSize(int id) const {
    return GetControlSize(GetDlgItem(m_window, id));
}

SSize CDialogWindow::GetControlSize(HWND control) {
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(control, &rect);
    return SSize{rect.right - rect.left, rect.bottom - rect.top};
}

SSize CDialogWindow::GetTextSize(HWND control, const std::string& text) {
    HDC dc = control == nullptr ? nullptr : GetDC(control);
    if (dc == nullptr) {
        return SSize{-1, -1};
    }
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    SIZE extent = {0, 0};
    const bool measured =
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent) != FALSE;
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
    ReleaseDC(control, dc);
    return measured ? SSize{extent.cx + 4, extent.cy + 4} : SSize{-1, -1};
}

SSize CDialogWindow::GetItemTextSize(int id, const std::string& text) const {
    return GetTextSize(GetDlgItem(m_window, id), text);
}

bool CDialogWindow::GetItemText(int id, std::string& text, int size) const {
    HWND control = GetDlgItem(m_window, id);
    text.clear();
    if (control == nullptr) {
        return false;
    }
    size = std::max(size, 2);
    for (;;) {
        std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
        SetLastError(0);
        const int copied = GetWindowTextA(control, buffer.data(), size);
        if (copied == 0) {
            break;
        }
        if (copied >= size - 1 && size <= INT_MAX / 4) {
            size *= 2;
            continue;
        }
        text.assign(buffer.data(), static_cast<size_t>(copied));
        return true;
    }
    return GetLastError() == 0;
}
