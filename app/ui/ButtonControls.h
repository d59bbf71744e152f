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

// Puts a picture on the button: under visual styles the image list, centred with no
// margins; otherwise, or when the button does not take image lists, the icon.
void SetButtonIcon(HWND dialog, int id, HIMAGELIST imageList, HICON icon);
