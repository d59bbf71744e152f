#include "library/controls/CListBox.h"

#include <algorithm>
#include <vector>

CListBox::CListBox(bool disabledItemsSupported)
    : m_disabledItemsSupported(disabledItemsSupported) {}

CListBox::~CListBox() {
    Detach();
}

bool CListBox::Attach(HWND dialog, int controlId) {
    return Attach(dialog, dialog != nullptr ? GetDlgItem(dialog, controlId) : nullptr);
}

bool CListBox::Attach(HWND listBox) {
    return Attach(listBox != nullptr ? GetParent(listBox) : nullptr, listBox);
}

bool CListBox::Attach(HWND dialog, HWND listBox) {
    Detach();
    if (dialog == nullptr || listBox == nullptr) {
        return false;
    }
    if (m_disabledItemsSupported && !Subclass(dialog)) {
        return false;
    }
    m_dialog = dialog;
    m_listBox = listBox;
    m_controlId = GetDlgCtrlID(listBox);
    return true;
}

void CListBox::Detach() {
    // A tracker that still held this list box would call a destroyed object.
    if (m_tracker != nullptr && m_tracker->GetHeld() == this) {
        m_tracker->Set(nullptr);
    }
    UnsubclassAll();
    m_disabledItems.clear();
    m_dialog = nullptr;
    m_listBox = nullptr;
    m_controlId = 0;
    m_widestText = 0;
}

HDC CListBox::OpenMeasuringContext(HGDIOBJ& formerFont) {
    HDC dc = GetDC(m_listBox);
    formerFont = nullptr;
    if (dc == nullptr) {
        return nullptr;
    }
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(m_listBox, WM_GETFONT, 0, 0));
    if (font != nullptr) {
        formerFont = SelectObject(dc, font);
    }
    TEXTMETRICA metrics = {};
    if (GetTextMetricsA(dc, &metrics)) {
        m_averageCharWidth = metrics.tmAveCharWidth;
    }
    return dc;
}

void CListBox::CloseMeasuringContext(HDC dc, HGDIOBJ formerFont) {
    if (dc == nullptr) {
        return;
    }
    if (formerFont != nullptr) {
        SelectObject(dc, formerFont);
    }
    ReleaseDC(m_listBox, dc);
}

int32_t CListBox::AddString(const std::string& text, LPARAM itemData, bool enabled) {
    if (m_listBox == nullptr) {
        return -1;
    }
    const bool inBatch = m_batchDC != nullptr;
    HGDIOBJ formerFont = nullptr;
    HDC dc = inBatch ? m_batchDC : OpenMeasuringContext(formerFont);
    SIZE size = {};
    if (dc != nullptr &&
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size) &&
        size.cx > m_widestText) {
        m_widestText = size.cx;
        if (!inBatch) {
            ApplyHorizontalExtent();
        }
    }
    if (!inBatch) {
        CloseMeasuringContext(dc, formerFont);
    }

    const LRESULT index =
        SendMessageA(m_listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) {
        return -1;
    }
    SendMessageA(m_listBox, LB_SETITEMDATA, static_cast<WPARAM>(index), itemData);
    if (!enabled && m_disabledItemsSupported) {
        m_disabledItems.insert(static_cast<int32_t>(index));
    }
    return static_cast<int32_t>(index);
}

void CListBox::ApplyHorizontalExtent() {
    RECT client = {};
    GetClientRect(m_listBox, &client);
    const LONG extent =
        m_widestText > client.right - client.left ? m_widestText + m_averageCharWidth : 0;
    SendMessageA(m_listBox, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
}

LPARAM CListBox::GetItemData(int32_t index) const {
    return SendMessageA(m_listBox, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

int32_t CListBox::GetCurSel() const {
    return static_cast<int32_t>(SendMessageA(m_listBox, LB_GETCURSEL, 0, 0));
}

void CListBox::SetCurSel(int32_t index) {
    SendMessageA(m_listBox, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool CListBox::IsItemEnabled(int32_t index) const {
    return m_disabledItems.count(index) == 0;
}

void CListBox::BeginAdding(CTracker& tracker) {
    if (m_listBox == nullptr) {
        return;
    }
    // A batch that is still running ends first (its extent is applied).
    if (m_tracker != nullptr && m_tracker->GetHeld() == this) {
        m_tracker->Set(nullptr);
    }
    m_batchDC = OpenMeasuringContext(m_batchFormerFont);
    m_tracker = &tracker;
    tracker.Set(this);
}

void CListBox::OnTrackerRelease() {
    m_tracker = nullptr;
    if (m_batchDC == nullptr) {
        return;
    }
    CloseMeasuringContext(m_batchDC, m_batchFormerFont);
    m_batchDC = nullptr;
    m_batchFormerFont = nullptr;
    ApplyHorizontalExtent();
}

void CListBox::OnMessage(CMessage& message) {
    if (m_listBox == nullptr || message.window != m_dialog) {
        return;
    }
    switch (message.message) {
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.lParam);
        if (item != nullptr && item->CtlType == ODT_LISTBOX &&
            static_cast<int>(item->CtlID) == m_controlId) {
            message.result = MeasureItem(*item) ? TRUE : FALSE;
            message.handled = true;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam);
        if (item != nullptr && item->CtlType == ODT_LISTBOX && item->hwndItem == m_listBox) {
            DrawItem(*item);
            message.result = TRUE;
            message.handled = true;
        }
        break;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(message.lParam) == m_listBox &&
            HIWORD(message.wParam) == LBN_SELCHANGE && !IsItemEnabled(GetCurSel())) {
            PostMessageA(m_listBox, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        }
        break;
    }
}

bool CListBox::MeasureItem(MEASUREITEMSTRUCT& item) {
    HGDIOBJ formerFont = nullptr;
    HDC dc = OpenMeasuringContext(formerFont);
    TEXTMETRICA metrics = {};
    const bool measured = dc != nullptr && GetTextMetricsA(dc, &metrics);
    CloseMeasuringContext(dc, formerFont);
    if (measured) {
        item.itemHeight = static_cast<UINT>(metrics.tmHeight);
        item.itemWidth = 0;
    }
    return measured;
}

void CListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemAction == ODA_FOCUS) {
        DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    if ((item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) == 0 ||
        item.itemID == static_cast<UINT>(-1)) {
        return;
    }
    const WPARAM index = item.itemID;
    const LRESULT length = SendMessageA(m_listBox, LB_GETTEXTLEN, index, 0);
    if (length < 0) {
        return;
    }
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(m_listBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));

    int textColour = COLOR_WINDOWTEXT;
    int backColour = COLOR_WINDOW;
    if (!IsItemEnabled(static_cast<int32_t>(index))) {
        textColour = COLOR_GRAYTEXT;
    } else if ((item.itemState & ODS_SELECTED) != 0) {
        textColour = COLOR_HIGHLIGHTTEXT;
        backColour = COLOR_HIGHLIGHT;
    }
    const COLORREF formerText = SetTextColor(item.hDC, GetSysColor(textColour));
    const COLORREF formerBack = SetBkColor(item.hDC, GetSysColor(backColour));
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(backColour));
    TextOutA(item.hDC, item.rcItem.left, item.rcItem.top + 2, text.data(),
             copied > 0 ? static_cast<int>(std::min(copied, length)) : 0);
    SetTextColor(item.hDC, formerText);
    SetBkColor(item.hDC, formerBack);
}
