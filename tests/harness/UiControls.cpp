#include "harness/UiControls.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace harness {

namespace {

struct SFind {
    std::string caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM parameter) {
    SFind* find = reinterpret_cast<SFind*>(parameter);
    if (IsWindowVisible(window) && GetText(window) == find->caption) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

// The control, when it can be used by a person; otherwise null and a failure.
HWND Usable(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    EXPECT_NE(control, nullptr) << "no control " << id;
    if (control == nullptr) {
        return nullptr;
    }
    EXPECT_TRUE(IsWindowVisible(control)) << "control " << id << " is hidden";
    EXPECT_TRUE(IsWindowEnabled(control)) << "control " << id << " is disabled";
    return IsWindowVisible(control) && IsWindowEnabled(control) ? control : nullptr;
}

BOOL CALLBACK MatchUsable(HWND window, LPARAM parameter) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(parameter) = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

// Other programs on the same desktop may take the activation away from the thread (its
// active window is then null): its uppermost visible and enabled top-level window is
// the one a person would use.
HWND ActiveWindow() {
    HWND active = GetActiveWindow();
    if (active != nullptr && IsWindowVisible(active)) {
        return active;
    }
    HWND usable = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &MatchUsable, reinterpret_cast<LPARAM>(&usable));
    return usable;
}

HWND FindThreadWindow(const std::string& caption) {
    SFind find{caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &MatchCaption, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

std::string GetText(HWND window) {
    if (window == nullptr) {
        return std::string();
    }
    const int length = GetWindowTextLengthA(window);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

std::string GetItemText(HWND dialog, int id) {
    return GetText(GetDlgItem(dialog, id));
}

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool IsItemEnabled(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowEnabled(control);
}

void Click(HWND dialog, int id) {
    if (HWND button = Usable(dialog, id)) {
        PostMessageA(button, BM_CLICK, 0, 0);
    }
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    if (HWND control = Usable(dialog, id)) {
        SetWindowTextA(control, text.c_str());
    }
}

void Type(HWND control, const std::string& text) {
    for (char c : text) {
        SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
}

void SelectComboItem(HWND dialog, int id, int index) {
    if (HWND combo = Usable(dialog, id)) {
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(combo));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    }
}

int GetListRowCount(HWND dialog, int id) {
    return static_cast<int>(SendMessageA(GetDlgItem(dialog, id), LVM_GETITEMCOUNT, 0, 0));
}

std::string GetListCell(HWND dialog, int id, int row, int column) {
    char buffer[1024] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(GetDlgItem(dialog, id), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void SelectListRow(HWND dialog, int id, int row) {
    HWND list = Usable(dialog, id);
    if (list == nullptr) {
        return;
    }
    LVITEMA clear = {};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    LVITEMA select = {};
    select.state = LVIS_SELECTED | LVIS_FOCUSED;
    select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&select));
}

bool IsListRowChecked(HWND dialog, int id, int row) {
    const LRESULT state = SendMessageA(GetDlgItem(dialog, id), LVM_GETITEMSTATE,
                                       static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void RenameFocusedRow(HWND dialog, int renameId, int listId, const std::string& name) {
    HWND rename = Usable(dialog, renameId);
    HWND list = Usable(dialog, listId);
    if (rename == nullptr || list == nullptr) {
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(renameId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(rename));
    HWND edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr) << "no edit opened over the focused row of list " << listId;
    SetWindowTextA(edit, name.c_str());
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
}

} // namespace harness
