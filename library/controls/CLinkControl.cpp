#include "library/controls/CLinkControl.h"

namespace {

CHandle<CCursorHandleTraits>& SharedCursor() {
    static CHandle<CCursorHandleTraits> cursor;
    return cursor;
}

} // namespace

CLinkControl::~CLinkControl() {
    Detach();
}

HCURSOR CLinkControl::GetSharedCursor() {
    return SharedCursor().Get();
}

bool CLinkControl::Attach(HINSTANCE module, int cursorId, HWND parent, HWND control,
                          ILinkControlCallback* callback, COLORREF colour) {
    if (!SharedCursor().IsSet()) {
        SharedCursor() = static_cast<HCURSOR>(
            LoadImageA(module, MAKEINTRESOURCEA(cursorId), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    }
    Detach();
    if (control == nullptr || parent == nullptr || !Subclass(control)) {
        return false;
    }
    if (!Subclass(parent)) {
        Unsubclass(control);
        return false;
    }
    m_control = control;
    m_parent = parent;
    m_colour = colour;
    m_callback = callback;

    m_formerFont = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA font = {};
    if (m_formerFont != nullptr && GetObjectA(m_formerFont, sizeof(font), &font) != 0) {
        font.lfUnderline = TRUE;
        m_underlinedFont = CreateFontIndirectA(&font);
        if (m_underlinedFont.IsSet()) {
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_underlinedFont.Get()),
                         TRUE);
        }
    }
    UpdateWindow(control);
    return true;
}

void CLinkControl::Detach() {
    if (m_control == nullptr) {
        return;
    }
    UnsubclassAll();
    SendMessageA(m_control, WM_SETFONT, reinterpret_cast<WPARAM>(m_formerFont), TRUE);
    m_control = nullptr;
    m_parent = nullptr;
    m_formerFont = nullptr;
}

void CLinkControl::OnMessage(CMessage& message) {
    if (message.window == m_control) {
        OnControlMessage(message);
    } else if (message.window == m_parent) {
        OnParentMessage(message);
    }
}

void CLinkControl::OnControlMessage(CMessage& message) {
    switch (message.message) {
    case WM_SETCURSOR:
        // Without its cursor the control keeps the ordinary one.
        if (SharedCursor().IsSet()) {
            SetCursor(SharedCursor().Get());
            message.result = 0;
            message.handled = true;
        }
        return;
    case WM_KEYUP:
        if (message.wParam != VK_SPACE) {
            return;
        }
        [[fallthrough]];
    case WM_LBUTTONUP:
        if (m_callback != nullptr) {
            m_callback->OnLinkClicked(*this);
        }
        message.handled = true;
        return;
    case WM_NCHITTEST:
        message.result = HTCLIENT;
        message.handled = true;
        return;
    }
}

void CLinkControl::OnParentMessage(CMessage& message) {
    if (message.message != WM_CTLCOLORSTATIC ||
        reinterpret_cast<HWND>(message.lParam) != m_control) {
        return;
    }
    HDC dc = reinterpret_cast<HDC>(message.wParam);
    SetTextColor(dc, m_colour);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    message.result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    message.handled = true;
}
