#pragma once

// Icons of dialogs, check boxes and button pictures.

#include <windows.h>
#include <commctrl.h>

// Gives the window the application's large (32 pixel) and small (16 pixel) icons.
void SetDialogIcons(HWND window);

// Only a ticked box counts as checked (an indeterminate one does not).
bool IsButtonChecked(HWND button);
void SetButtonChecked(bool checked, HWND button);
bool IsDlgItemChecked(HWND dialog, int id);
void CheckDlgItem(bool checked, HWND dialog, int id);

// Puts a picture on the button: the image list, centred with no margins, where the button
// takes image lists (Common Controls 6); otherwise the icon.
void SetButtonIcon(HWND dialog, int id, HIMAGELIST imageList, HICON icon);
