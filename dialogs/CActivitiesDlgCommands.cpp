// CActivitiesDlg: the commands on the activity tree and the buttons that offer them.

#include "dialogs/CActivitiesDlg.h"

#include "dialogs/ActivityTreeEdits.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/ProjectFileLimits.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

namespace {

// Keeps the list from redrawing while many of its rows change: the control would otherwise
// rework its scroll bars for every row. The list is repainted once afterwards.
class CRedrawPause {
public:
    explicit CRedrawPause(HWND list) : m_list(list) {
        SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
    }
    ~CRedrawPause() {
        SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(m_list, nullptr, TRUE);
    }
    CRedrawPause(const CRedrawPause&) = delete;
    CRedrawPause& operator=(const CRedrawPause&) = delete;

private:
    HWND m_list;
};

// Moving a subtree of more activities than this reloads the list: deleting and inserting
// each row costs more than one reload of a large tree.
const int kRowByRowLimit = 32;

} // namespace

CActivity* CActivitiesDlg::GetSelected() const {
    const std::set<CActivity*>& selected = m_list.GetSelected();
    return selected.empty() ? nullptr : *selected.begin();
}

void CActivitiesDlg::UpdateButtons(CActivity* activity) {
    HWND window = GetHwnd();
    if (window == nullptr) {
        return;
    }
    if (activity == nullptr) {
        activity = GetSelected();
    }
    const bool has = activity != nullptr;
    const bool notFirst = has && activity->GetIndex() > 0;
    const CActivity* parent = has ? activity->GetParent() : nullptr;
    const bool notLast = parent != nullptr && parent->GetLastChild() != nullptr &&
                         activity->GetIndex() < parent->GetLastChild()->GetIndex();
    CActivity* root = m_state != nullptr ? m_state->GetRootActivity() : nullptr;
    const std::pair<int, bool> buttons[] = {
        {IDC_ACTIVITIES_REMOVE, has},
        {IDC_ACTIVITIES_RENAME, has},
        {IDC_ACTIVITIES_ENABLE, has},
        {IDC_ACTIVITIES_MOVE_UP, notFirst},
        {IDC_ACTIVITIES_INDENT, notFirst},
        {IDC_ACTIVITIES_MOVE_DOWN, notLast},
        {IDC_ACTIVITIES_OUTDENT, has && activity->GetDepth() > 1},
        {IDC_ACTIVITIES_SORT, root != nullptr && root->GetFirstChild() != nullptr},
        {IDC_ACTIVITIES_REMOVE_UNUSED, root != nullptr && activitytree::CountUnused(root) > 0},
    };
    for (const auto& button : buttons) {
        EnableWindow(GetDlgItem(window, button.first), button.second ? TRUE : FALSE);
    }
    // A button that just lost its use must not keep the keyboard focus.
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus) && !IsWindowEnabled(focus)) {
        SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list.GetList()), TRUE);
    }
    const bool disabled = has && !activity->IsEnabled();
    const CText caption(disabled ? IDS_ACTIVITY_ENABLE : IDS_ACTIVITY_DISABLE);
    std::string shown;
    if (!GetItemText(IDC_ACTIVITIES_ENABLE, shown) || shown != caption.GetString()) {
        SetDlgItemTextA(window, IDC_ACTIVITIES_ENABLE, caption);
    }
}

void CActivitiesDlg::EditName(CActivity* activity) {
    const int row = m_list.FindRow(activity);
    if (row < 0) {
        return;
    }
    SetFocus(m_list.GetList());
    SendMessageA(m_list.GetList(), LVM_EDITLABELA, static_cast<WPARAM>(row), 0);
}

bool CActivitiesDlg::FitsBelow(CActivity* parent, int levels) {
    if (activitytree::FitsBelow(parent, levels)) {
        return true;
    }
    CText text(IDS_ACTIVITY_TOO_DEEP);
    text.ReplaceWithString("[ACTIVITY]", parent->GetName(), true);
    text.ReplaceWithNumber("[MAX]", kMaxActivityDepth, true);
    MessageBoxA(GetHwnd(), text, CText(IDS_ACTIVITY_TOO_DEEP_CAPTION), MB_OK | MB_ICONWARNING);
    return false;
}

void CActivitiesDlg::New() {
    CActivity* selected = GetSelected();
    CActivity* parent = selected != nullptr ? selected->GetParent() : m_state->GetRootActivity();
    const int position = selected != nullptr ? selected->GetIndex() + 1 : 0;
    if (!FitsBelow(parent, 1)) {
        return;
    }
    CActivity* activity = new CActivity(m_state, CText(IDS_NEW_ACTIVITY_NAME).GetString(), true);
    parent->AddChildActivity(activity, position);
    m_list.SelectActivity(activity);
    UpdateButtons(activity);
    EditName(activity);
}

void CActivitiesDlg::Remove() {
    CActivity* activity = GetSelected();
    if (activity == nullptr) {
        return;
    }
    int what = 0;
    if (activity->GetFirstChild() != nullptr) {
        what = activity->HasTallymarks(true) ? IDS_REMOVE_WHAT_SUB_ACTIVITIES_AND_TALLYMARKS
                                             : IDS_REMOVE_WHAT_SUB_ACTIVITIES;
    } else if (activity->HasTallymarks(false)) {
        what = IDS_REMOVE_WHAT_TALLYMARKS;
    }
    if (what != 0) {
        CText question(IDS_REMOVE_ACTIVITY_QUESTION);
        question.ReplaceWithText("[WHAT]", CText(what), true);
        if (MessageBoxA(GetHwnd(), question, CText(IDS_REMOVE_ACTIVITY_CAPTION),
                        MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK) {
            return;
        }
    }
    CActivity* anchor = activitytree::RowAbove(activity);
    {
        CRedrawPause pause(m_list.GetList());
        delete activity;
    }
    CActivity* next = activitytree::RowAfter(anchor);
    m_list.SelectActivity(next);
    UpdateButtons(next);
}

void CActivitiesDlg::Rename() {
    EditName(m_list.GetFocused());
}

void CActivitiesDlg::Move(CActivity* activity, CActivity* parent, int position) {
    if (activity->GetNumDescendants() > kRowByRowLimit) {
        ChangeInBulk([&] { parent->AddChildActivity(activity, position); }, activity);
    } else {
        {
            CRedrawPause pause(m_list.GetList());
            parent->AddChildActivity(activity, position);
        }
        // The moved rows are inserted anew: the selection is put back on the activity.
        m_list.SelectActivity(activity);
    }
    UpdateButtons(activity);
}

void CActivitiesDlg::MoveUp() {
    CActivity* activity = GetSelected();
    if (activity != nullptr && activity->GetIndex() > 0) {
        Move(activity, activity->GetParent(), activity->GetIndex() - 1);
    }
}

void CActivitiesDlg::MoveDown() {
    CActivity* activity = GetSelected();
    if (activity != nullptr && activity->GetNextSibling() != nullptr) {
        Move(activity, activity->GetParent(), activity->GetIndex() + 1);
    }
}

void CActivitiesDlg::Indent() {
    CActivity* activity = GetSelected();
    if (activity != nullptr && activity->GetPrevSibling() != nullptr &&
        FitsBelow(activity->GetPrevSibling(), activitytree::CountLevels(activity))) {
        Move(activity, activity->GetPrevSibling(), -1);
    }
}

void CActivitiesDlg::Outdent() {
    CActivity* activity = GetSelected();
    if (activity != nullptr && activity->GetDepth() > 1) {
        CActivity* parent = activity->GetParent();
        Move(activity, parent->GetParent(), parent->GetIndex() + 1);
    }
}

void CActivitiesDlg::ToggleEnabled() {
    CActivity* activity = GetSelected();
    if (activity != nullptr) {
        activity->SetEnabled(!activity->IsEnabled());
        UpdateButtons(activity);
    }
}

void CActivitiesDlg::ChangeInBulk(const std::function<void()>& change, CActivity* select) {
    HWND list = m_list.GetList();
    const LRESULT top = SendMessageA(list, LVM_GETTOPINDEX, 0, 0);
    m_list.SetProject(nullptr, nullptr);
    change();
    Rebind();
    // The list scrolls back to where it was, as far as the rows reach.
    RECT row = {LVIR_BOUNDS, 0, 0, 0};
    if (top > 0 && SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row))) {
        SendMessageA(list, LVM_SCROLL, 0, static_cast<LPARAM>(top * (row.bottom - row.top)));
    }
    m_list.SelectActivity(select);
}

void CActivitiesDlg::Rebind() {
    CRedrawPause pause(m_list.GetList());
    m_list.SetProject(m_project, m_state);
}

void CActivitiesDlg::SortAll() {
    CActivity* selected = GetSelected();
    ChangeInBulk([this] { activitytree::SortAll(m_state->GetRootActivity()); }, selected);
    UpdateButtons(selected);
}

void CActivitiesDlg::RemoveUnused() {
    CActivity* root = m_state->GetRootActivity();
    const int count = activitytree::CountUnused(root);
    if (count == 0) {
        return;
    }
    CText question(count == 1 ? IDS_REMOVE_UNUSED_ONE : IDS_REMOVE_UNUSED_MANY);
    question.ReplaceWithNumber("[NUM]", count, true);
    if (MessageBoxA(GetHwnd(), question, CText(IDS_REMOVE_UNUSED_CAPTION),
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    // A selected activity that goes leaves nothing selected; the buttons follow what is left.
    CActivity* selected = GetSelected();
    if (selected != nullptr && !selected->HasTallymarks(true)) {
        selected = nullptr;
    }
    ChangeInBulk([root] { root->RemoveUnused(); }, selected);
    UpdateButtons(nullptr);
}

void CActivitiesDlg::Commit() {
    m_cancelled = false;
    m_edit.Commit();
    Close();
}
