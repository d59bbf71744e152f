#include "mainwindow/CActivityTreeList.h"

#include "app/ui/SharedPictures.h"
#include "model/CProject.h"
#include "model/CProjectState.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// Width and height of the activity images, in pixels.
const int kImageSize = 16;

} // namespace

CActivityTreeList::CActivityTreeList(IActivityTreeListCallbacks& owner, bool follow)
    : CListView<CActivity>(this), m_owner(&owner), m_follow(follow) {
    SetDrawCallback(this);
}

CActivityTreeList::~CActivityTreeList() {
    CSlot<CActivityAddedEvent>::DisconnectAll();
    CSlot<CActivityRemovedEvent>::DisconnectAll();
    CSlot<CActivityModifiedEvent>::DisconnectAll();
    CSlot<CProjectModifiedEvent>::DisconnectAll();
    CSlot<CProjectStateSwitchedEvent>::DisconnectAll();
}

void CActivityTreeList::Attach(HWND dialog, int controlId, bool checkBoxes) {
    CListView<CActivity>::Attach(dialog, controlId, ActivityImageList().Get(), checkBoxes);
}

void CActivityTreeList::SetProject(CProject* project, CProjectState* state) {
    // Each slot is linked to the bound project or root alone, so unlinking everything never
    // touches a project or tree that is already gone.
    CSlot<CProjectModifiedEvent>::DisconnectAll();
    CSlot<CProjectStateSwitchedEvent>::DisconnectAll();
    m_project = project;
    m_state = state;
    m_root = state != nullptr ? state->GetRootActivity() : nullptr;
    m_working = state != nullptr ? state->GetCurrentActivity() : nullptr;
    ConnectRoot(m_root);
    if (project != nullptr) {
        CSlot<CProjectModifiedEvent>::Connect(project);
        CSlot<CProjectStateSwitchedEvent>::Connect(project);
    }
    Reload();
}

void CActivityTreeList::SelectActivity(CActivity* activity) {
    if (m_follow && m_state != nullptr) {
        m_state->SetSelectedActivity(activity);
    }
    SelectOnly(activity);
}

void CActivityTreeList::UpdateActivityCell(CActivity* activity, int column) {
    if (activity == nullptr || GetAllItems().count(activity) == 0 || !HasControl() || column < 0 ||
        column >= static_cast<int>(GetColumns().size())) {
        return;
    }
    const int row = FindRow(activity);
    if (row >= 0) {
        RefreshCell(activity, row, column);
    }
}

void CActivityTreeList::ConnectRoot(CActivity* root) {
    CSlot<CActivityAddedEvent>::DisconnectAll();
    CSlot<CActivityRemovedEvent>::DisconnectAll();
    CSlot<CActivityModifiedEvent>::DisconnectAll();
    if (root != nullptr) {
        CSlot<CActivityAddedEvent>::Connect(root);
        CSlot<CActivityRemovedEvent>::Connect(root);
        CSlot<CActivityModifiedEvent>::Connect(root);
    }
}

void CActivityTreeList::Unbind() {
    CSlot<CProjectModifiedEvent>::DisconnectAll();
    CSlot<CProjectStateSwitchedEvent>::DisconnectAll();
    ConnectRoot(nullptr);
    m_project = nullptr;
    m_state = nullptr;
    m_root = nullptr;
    m_working = nullptr;
    Reload();
}

int CActivityTreeList::GetImage(const CActivity* activity) const {
    if (m_state != nullptr && activity == m_state->GetCurrentActivity()) {
        return 2;
    }
    return activity->IsEnabled() ? 1 : 0;
}

CActivity* CActivityTreeList::GetFirstSelected() const {
    const std::set<CActivity*>& selected = GetSelected();
    if (selected.empty()) {
        return nullptr;
    }
    int row = -1;
    while (
        (row = static_cast<int>(SendMessageA(GetList(), LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                             MAKELPARAM(LVNI_SELECTED, 0)))) >= 0) {
        CActivity* activity = GetRowItem(row);
        if (selected.count(activity) != 0) {
            return activity;
        }
    }
    // The rows show none of the selected activities: the set is what counts.
    return *selected.begin();
}

int CActivityTreeList::GetColumnCount() {
    return m_owner->GetNumColumns();
}

SListViewColumn CActivityTreeList::GetColumn(int index) {
    return m_owner->GetColumn(index);
}

SListViewItemImage CActivityTreeList::GetItemImage(CActivity* activity) {
    SListViewItemImage image;
    if (activity != nullptr) {
        image.indent = std::max(0, activity->GetDepth() - 1);
        image.image = GetImage(activity);
    }
    return image;
}

CActivity* CActivityTreeList::EnumItems(int, CActivity* previous) {
    if (m_root == nullptr) {
        return nullptr;
    }
    return previous == nullptr ? m_root->GetFirstChild() : previous->GetNextInSubtree(m_root);
}

void CActivityTreeList::GetSelectedItems(std::set<CActivity*>& selected) {
    if (CActivity* focused = GetFocusedItem()) {
        selected.insert(focused);
    }
}

void CActivityTreeList::GetCheckedItems(std::set<CActivity*>& checked) {
    m_owner->GetCheckedActivities(checked);
}

// With follow the rows show the state's selection and no other: a row shown selected for
// want of one would be a selection that Start cannot act on, and that a click on the row
// could not change.
CActivity* CActivityTreeList::GetFocusedItem() {
    if (m_follow && m_state != nullptr) {
        return m_state->GetSelectedActivity();
    }
    return m_root != nullptr ? m_root->GetFirstChild() : nullptr;
}

std::string CActivityTreeList::GetItemText(CActivity* activity, int column) {
    if (activity == nullptr) {
        return std::string();
    }
    return column == 0 ? activity->GetName() : m_owner->GetColumnText(activity, column);
}

void CActivityTreeList::OnSelectionChanged() {
    CActivity* selected = GetFirstSelected();
    if (m_follow && m_state != nullptr) {
        m_state->SetSelectedActivity(selected);
    }
    m_owner->OnSelectionChanged(selected);
}

void CActivityTreeList::OnChecksChanged() {
    m_owner->OnChecksChanged();
}

void CActivityTreeList::OnItemActivated() {
    m_owner->OnItemActivated(GetFirstSelected());
}

bool CActivityTreeList::OnKeyDown(WORD virtualKey) {
    return m_owner->OnKeyDown(virtualKey);
}

// The control keeps its own text; the renamed activity's modified event rewrites the row.
void CActivityTreeList::OnLabelEdited(CActivity* activity, const std::string& text) {
    if (activity != nullptr) {
        activity->SetName(text);
    }
}

void CActivityTreeList::OnColumnClicked(int) {}

void CActivityTreeList::DrawItem(CActivity* activity, DRAWITEMSTRUCT* draw) {
    if (draw == nullptr) {
        return;
    }
    HDC dc = draw->hDC;
    const RECT& rect = draw->rcItem;
    if ((draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0 && activity != nullptr) {
        const bool selected = (draw->itemState & ODS_SELECTED) != 0;
        const int textColour = selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
        const int backColour = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
        const COLORREF oldText = SetTextColor(dc, GetSysColor(textColour));
        const COLORREF oldBack = SetBkColor(dc, GetSysColor(backColour));
        FillRect(dc, &rect, GetSysColorBrush(backColour));
        const int x = rect.left + kImageSize * std::max(0, activity->GetDepth() - 1);
        if (HIMAGELIST images = ActivityImageList().Get()) {
            ImageList_Draw(images, GetImage(activity), dc, x, rect.top, ILD_TRANSPARENT);
        }
        const std::string& name = activity->GetName();
        TextOutA(dc, x + kImageSize, rect.top + 2, name.c_str(), static_cast<int>(name.size()));
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
    }
    if ((draw->itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &rect);
    }
}
