#include "app/ui/ButtonControls.h"

#include "app/ui/SharedPictures.h"

void SetDialogIcons(HWND window) {
    const SApplicationIcons& icons = ApplicationIcons();
    SendMessageA(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(icons.Get(EWorkingState::NoProject, EIconSize::Large32)));
    SendMessageA(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(icons.Get(EWorkingState::NoProject, EIconSize::Small16)));
}

bool IsButtonChecked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetButtonChecked(bool checked, HWND button) {
    SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsDlgItemChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void CheckDlgItem(bool checked, HWND dialog, int id) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void SetButtonIcon(HWND dialog, int id, HIMAGELIST imageList, HICON icon) {
    HWND button = GetDlgItem(dialog, id);
    // Buttons of Common Controls 6 take the list, with or without visual styles; older
    // ones refuse it and show the icon.
    if (imageList != nullptr) {
        BUTTON_IMAGELIST images = {};
        images.himl = imageList;
        images.uAlign = BUTTON_IMAGELIST_ALIGN_CENTER;
        if (SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)) != FALSE) {
            return;
        }
    }
    // Older buttons draw an image only in the icon style.
    const LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);
    if ((style & BS_ICON) == 0) {
        SetWindowLongPtrA(button, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_BITMAP)) | BS_ICON);
    }
    SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}
