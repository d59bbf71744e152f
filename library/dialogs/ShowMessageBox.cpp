#include "library/dialogs/ShowMessageBox.h"

#include "library/dialogs/CModalScope.h"

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    CModalScope moment;
    return MessageBoxA(owner, text, caption, type);
}
