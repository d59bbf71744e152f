#pragma once

// Helpers for scripted steps: find windows of the test thread, press buttons, type,
// choose list rows and read what controls show. Every action checks that its
// control exists, is visible and is enabled, as a person would need it to be.

#include <windows.h>

#include <string>

namespace harness {

// The thread's active window (the dialog a person would be looking at); when another
// program took the activation, the thread's uppermost visible, enabled top-level window.
HWND ActiveWindow();
// A visible top-level window of this thread with exactly this caption, or null.
HWND FindThreadWindow(const std::string& caption);

std::string GetText(HWND window);
std::string GetItemText(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsItemEnabled(HWND dialog, int id);

// Presses a button (BM_CLICK posted, so a dialog that the click opens runs from the
// modal loop, not from inside this step). Fails the test when the button is
// missing, hidden or disabled.
void Click(HWND dialog, int id);
// Replaces an edit control's text (the control reports EN_CHANGE).
void SetItemText(HWND dialog, int id, const std::string& text);
// Types characters into the focused control as WM_CHAR messages.
void Type(HWND control, const std::string& text);
// Chooses a combo box entry and reports it to the dialog as a user's choice.
void SelectComboItem(HWND dialog, int id, int index);

// List views (report style).
int GetListRowCount(HWND dialog, int id);
std::string GetListCell(HWND dialog, int id, int row, int column);
// Makes row the only selected (and focused) row.
void SelectListRow(HWND dialog, int id, int row);
bool IsListRowChecked(HWND dialog, int id, int row);
// Renames the focused row of list listId in place as a person would: the button renameId
// (sent, not posted), the new name in the edit that opens over the row, Enter. One call,
// so that nothing else (another window taking the focus) can end the edit in between.
// Fails the test when the button cannot be used or no edit opens.
void RenameFocusedRow(HWND dialog, int renameId, int listId, const std::string& name);

} // namespace harness
