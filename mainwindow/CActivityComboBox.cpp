#include "mainwindow/CActivityComboBox.h"

#include "app/ui/SharedPictures.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/EProjectPart.h"

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

// Width and height of the activity images, in pixels; also the indent of one level.
const int kImageSize = 16;

} // namespace

CActivityComboBox::CActivityComboBox(bool onlyEnabled, bool follow)
    : m_onlyEnabled(onlyEnabled), m_follow(follow) {}

CActivityComboBox::~CActivityComboBox() {
    CSlot<CProjectModifiedEvent>::DisconnectAll();
    CSlot<CProjectStateSwitchedEvent>::DisconnectAll();
    CSlot<CActivityRemovedEvent>::DisconnectAll();
    UnsubclassAll();
}

bool CActivityComboBox::Attach(HWND dialog, int controlId) {
    UnsubclassAll();
    m_dialog = dialog;
    m_controlId = controlId;
    m_combo = GetDlgItem(dialog, controlId);
    if (!Subclass(dialog)) {
        return false;
    }
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(m_combo, WM_GETFONT, 0, 0));
    HDC dc = font != nullptr ? GetDC(m_combo) : nullptr;
    if (dc != nullptr) {
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA metrics = {};
        if (GetTextMetricsA(dc, &metrics)) {
            const int height = std::max<int>(kImageSize, metrics.tmHeight);
            SendMessageA(m_combo, CB_SETITEMHEIGHT, 0, height);
        }
        SelectObject(dc, old);
        ReleaseDC(m_combo, dc);
    }
    return true;
}

void CActivityComboBox::SetProject(CProject* project, CProjectState* state) {
    CSlot<CProjectModifiedEvent>::DisconnectAll();
    CSlot<CProjectStateSwitchedEvent>::DisconnectAll();
    // The items belong to the old state, which may be gone already.
    ClearItems();
    m_project = project;
    m_state = state;
    if (!m_follow) {
        m_ownChoice = nullptr;
    }
    if (project != nullptr) {
        CSlot<CProjectModifiedEvent>::Connect(project);
        CSlot<CProjectStateSwitchedEvent>::Connect(project);
    }
    ConnectRoot(state != nullptr ? state->GetRootActivity() : nullptr);
    if (GetActivity() == nullptr) {
        SelectFirst();
    }
    Refill();
}

CActivity* CActivityComboBox::GetActivity() const {
    if (m_follow) {
        return m_state != nullptr ? m_state->GetSelectedActivity() : nullptr;
    }
    return m_ownChoice;
}

void CActivityComboBox::SetActivity(CActivity* activity) {
    if (activity != GetActivity()) {
        Choose(activity);
    }
    // Also for the chosen activity: another control of a followed state may have moved the
    // state's selection away from the shown item.
    const auto item = m_itemIndex.find(GetActivity());
    if (item != m_itemIndex.end()) {
        SendMessageA(m_combo, CB_SETCURSEL, static_cast<WPARAM>(item->second), 0);
    }
}

void CActivityComboBox::SelectFirst() {
    if (m_state == nullptr) {
        if (!m_follow) {
            m_ownChoice = nullptr;
        }
        return;
    }
    SetActivity(m_root != nullptr ? m_root->GetFirstChild() : nullptr);
}

void CActivityComboBox::Choose(CActivity* activity) {
    if (!m_follow) {
        m_ownChoice = activity;
    } else if (m_state != nullptr) {
        m_state->SetSelectedActivity(activity);
    }
}

void CActivityComboBox::ClearItems() {
    if (m_combo != nullptr) {
        SendMessageA(m_combo, CB_RESETCONTENT, 0, 0);
    }
    m_itemIndex.clear();
    m_items.clear();
}

void CActivityComboBox::Refill() {
    ClearItems();
    if (m_root == nullptr || m_combo == nullptr) {
        return;
    }
    CActivity* root = m_root;
    for (CActivity* activity = root->GetFirstChild(); activity != nullptr;
         activity = activity->GetNextInSubtree(root)) {
        if (m_onlyEnabled && !activity->IsEnabled()) {
            continue;
        }
        const std::string path = activity->GetPath();
        const LRESULT index =
            SendMessageA(m_combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
        if (index < 0) {
            // Out of memory in the control: what is listed stays consistent.
            break;
        }
        SendMessageA(m_combo, CB_SETITEMDATA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(activity));
        m_itemIndex.emplace(activity, static_cast<int>(index));
        m_items.push_back(activity);
    }
    SelectChosenItem();
}

void CActivityComboBox::SelectChosenItem() {
    if (m_combo == nullptr) {
        return;
    }
    const auto item = m_itemIndex.find(GetActivity());
    const WPARAM index =
        item != m_itemIndex.end() ? static_cast<WPARAM>(item->second) : static_cast<WPARAM>(-1);
    SendMessageA(m_combo, CB_SETCURSEL, index, 0);
}

void CActivityComboBox::ConnectRoot(CActivity* root) {
    CSlot<CActivityRemovedEvent>::DisconnectAll();
    m_root = root;
    if (root != nullptr) {
        CSlot<CActivityRemovedEvent>::Connect(root);
    }
}

CActivity* CActivityComboBox::ListedActivity(ULONG_PTR itemData) const {
    // The data is compared as a number only: a stale entry may point to freed memory.
    CActivity* activity = reinterpret_cast<CActivity*>(itemData);
    return activity != nullptr && m_itemIndex.count(activity) != 0 ? activity : nullptr;
}

void CActivityComboBox::OnMessage(CMessage& message) {
    if (message.message == WM_DRAWITEM && static_cast<int>(message.wParam) == m_controlId &&
        message.lParam != 0) {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam);
        if (draw.CtlType == ODT_COMBOBOX && draw.hwndItem == m_combo) {
            DrawItem(draw);
            message.result = TRUE;
            message.handled = true;
        }
    } else if (message.message == WM_COMMAND && LOWORD(message.wParam) == m_controlId &&
               HIWORD(message.wParam) == CBN_SELCHANGE &&
               reinterpret_cast<HWND>(message.lParam) == m_combo) {
        OnSelectionChanged();
    }
}

void CActivityComboBox::OnSelectionChanged() {
    const LRESULT index = SendMessageA(m_combo, CB_GETCURSEL, 0, 0);
    CActivity* activity = nullptr;
    if (index != CB_ERR) {
        activity = ListedActivity(static_cast<ULONG_PTR>(
            SendMessageA(m_combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0)));
    }
    Choose(activity);
}

// Draws from the item's own data, so that an item index that no longer matches the tables
// draws nothing wrong; data that no listed item holds is skipped.
void CActivityComboBox::DrawItem(const DRAWITEMSTRUCT& draw) const {
    HDC dc = draw.hDC;
    const RECT& rect = draw.rcItem;
    const CActivity* activity =
        draw.itemID != static_cast<UINT>(-1) ? ListedActivity(draw.itemData) : nullptr;
    if (activity != nullptr && (draw.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
        const bool inField = (draw.itemState & ODS_COMBOBOXEDIT) != 0;
        const std::string text = inField ? activity->GetPath() : activity->GetName();
        const int indent = inField ? 0 : kImageSize * std::max(0, activity->GetDepth() - 1);
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        const int textColour = selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
        const int backColour = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
        const COLORREF oldText = SetTextColor(dc, GetSysColor(textColour));
        const COLORREF oldBack = SetBkColor(dc, GetSysColor(backColour));
        FillRect(dc, &rect, GetSysColorBrush(backColour));
        int image = activity->IsEnabled() ? 1 : 0;
        if (m_state != nullptr && activity == m_state->GetCurrentActivity()) {
            image = 2;
        }
        if (HIMAGELIST images = ActivityImageList().Get()) {
            ImageList_Draw(images, image, dc, rect.left + indent, rect.top, ILD_TRANSPARENT);
        }
        TextOutA(dc, rect.left + indent + kImageSize, rect.top + 2, text.c_str(),
                 static_cast<int>(text.size()));
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
    }
    if ((draw.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &rect);
    }
}

bool CActivityComboBox::OnProjectModified(CProjectModifiedEvent& event) {
    if (event.parts.HasAny(ppWorkingState)) {
        SelectChosenItem();
        // The selection field and an open list show the working image of every item.
        if (m_combo != nullptr) {
            InvalidateRect(m_combo, nullptr, TRUE);
        }
    }
    return true;
}

bool CActivityComboBox::OnProjectStateSwitched(CProjectStateSwitchedEvent& event) {
    if (m_state == nullptr || event.oldState != m_state) {
        return true;
    }
    // The old state is deleted after this event: nothing of it may stay listed.
    ClearItems();
    m_state = event.newState;
    ConnectRoot(m_state != nullptr ? m_state->GetRootActivity() : nullptr);
    if (!m_follow) {
        m_ownChoice = nullptr;
        SelectFirst();
    } else if (m_state == nullptr || m_state->GetSelectedActivity() == nullptr) {
        SelectFirst();
    }
    Refill();
    return true;
}

bool CActivityComboBox::OnActivityRemoved(CActivityRemovedEvent& event) {
    CActivity* removed = event.activity;
    if (removed == nullptr || m_state == nullptr) {
        return true;
    }
    if (removed == m_root) {
        // The bound state is being destroyed.
        SetProject(nullptr, nullptr);
        return true;
    }
    std::set<CActivity*> gone;
    for (CActivity* node = removed; node != nullptr; node = node->GetNextInSubtree(removed)) {
        gone.insert(node);
    }
    if (gone.count(m_ownChoice) != 0) {
        m_ownChoice = nullptr;
    }
    // Back to front, so that the indices still to be deleted stay valid.
    for (size_t index = m_items.size(); index-- > 0;) {
        if (gone.count(m_items[index]) != 0) {
            if (m_combo != nullptr) {
                SendMessageA(m_combo, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
            }
            m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
        }
    }
    m_itemIndex.clear();
    for (size_t index = 0; index < m_items.size(); ++index) {
        m_itemIndex.emplace(m_items[index], static_cast<int>(index));
    }
    return true;
}
