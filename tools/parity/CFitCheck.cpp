#include "CFitCheck.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

namespace {

// The program registers the main window class; here it only has to exist.
const char kMainWindowClass[] = "TallymarksMain";

// Room the button draws around its text (the edge and the focus rectangle), and the
// space between a check box or radio button glyph and its text, in pixels at 96 dpi.
const int kButtonMarginX = 4;
const int kButtonMarginY = 2;
const int kGlyphGap = 4;
const int kGroupMargin = 8;

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

BOOL CALLBACK AddDialog(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<unsigned>*>(list)->push_back(
            static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return TRUE;
}

int Scale(int pixels, HDC dc) {
    return MulDiv(pixels, GetDeviceCaps(dc, LOGPIXELSX), 96);
}

void Prepare() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES;
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = DefDlgProcA;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassA(&windowClass);
}

} // namespace

bool CFitCheck::Measure(HWND control, SIZE& needed, SIZE& room, LONG& lineWidth) {
    char className[64] = "";
    GetClassNameA(control, className, sizeof className);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    const int length = GetWindowTextLengthA(control);
    if (length == 0) {
        return false;
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(control, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));

    RECT client;
    GetClientRect(control, &client);
    room.cx = client.right;
    room.cy = client.bottom;
    UINT format = DT_CALCRECT | DT_EXPANDTABS;
    HDC dc = GetDC(control);
    if (lstrcmpiA(className, "Static") == 0) {
        const DWORD type = style & SS_TYPEMASK;
        if ((style & SS_ELLIPSISMASK) != 0) {
            ReleaseDC(control, dc);
            return false; // shortened on purpose
        }
        if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) {
            format |= DT_WORDBREAK;
        } else if (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE) {
            format |= DT_SINGLELINE;
        } else {
            ReleaseDC(control, dc);
            return false;
        }
        if (style & SS_NOPREFIX) {
            format |= DT_NOPREFIX;
        }
    } else if (lstrcmpiA(className, "Button") == 0) {
        const DWORD type = style & BS_TYPEMASK;
        const bool glyph =
            !(style & BS_PUSHLIKE) &&
            (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
             type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
        if (style & (BS_BITMAP | BS_ICON) || type == BS_OWNERDRAW || type == BS_USERBUTTON) {
            ReleaseDC(control, dc);
            return false;
        }
        if (type == BS_GROUPBOX) {
            room.cx -= 2 * Scale(kGroupMargin, dc);
        } else if (glyph) {
            room.cx -= GetSystemMetrics(SM_CXMENUCHECK) + Scale(kGlyphGap, dc);
        } else {
            room.cx -= 2 * Scale(kButtonMarginX, dc);
            room.cy -= 2 * Scale(kButtonMarginY, dc);
        }
        format |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    } else {
        ReleaseDC(control, dc);
        return false;
    }
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT bounds = {0, 0, room.cx > 0 ? room.cx : 1, 0};
    DrawTextA(dc, text.c_str(), length, &bounds, format);
    RECT line = {0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), length, &line,
              (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    needed.cx = bounds.right;
    needed.cy = bounds.bottom;
    lineWidth = line.right;
    return true;
}

void CFitCheck::CheckDialog(HMODULE module, unsigned id, HWND owner,
                            std::vector<std::string>& findings) {
    const std::string where = "dialog " + std::to_string(id);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG);
    HGLOBAL loaded = info != nullptr ? LoadResource(module, info) : nullptr;
    const unsigned char* bytes =
        loaded != nullptr ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr) {
        findings.push_back(where + ": cannot be read");
        return;
    }
    // A copy without WS_VISIBLE, so that nothing shows while it is measured.
    std::vector<unsigned char> copy(bytes, bytes + SizeofResource(module, info));
    const size_t styleOffset = copy.size() >= 4 && copy[2] == 0xFF && copy[3] == 0xFF ? 12 : 0;
    if (copy.size() < styleOffset + 4) {
        findings.push_back(where + ": cannot be read");
        return;
    }
    copy[styleOffset + 3] &= static_cast<unsigned char>(~(WS_VISIBLE >> 24));
    HWND dialog = CreateDialogIndirectParamA(module, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()),
                                             owner, QuietProc, 0);
    if (dialog == nullptr) {
        findings.push_back(where + ": cannot be created (error " + std::to_string(GetLastError()) +
                           ")");
        return;
    }
    CheckOverlaps(dialog, where, findings);
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        SIZE needed = {};
        SIZE room = {};
        LONG lineWidth = 0;
        if (!Measure(control, needed, room, lineWidth) ||
            (needed.cx <= room.cx && needed.cy <= room.cy)) {
            continue;
        }
        char text[512] = "";
        GetWindowTextA(control, text, sizeof text);
        char line[768];
        snprintf(line, sizeof line,
                 "%s control %d \"%s\": needs %ldx%ld pixels (%ld on one line), has %ldx%ld",
                 where.c_str(), GetDlgCtrlID(control), text, needed.cx, needed.cy, lineWidth,
                 room.cx, room.cy);
        findings.push_back(line);
    }
    DestroyWindow(dialog);
}

void CFitCheck::CheckOverlaps(HWND dialog, const std::string& where,
                              std::vector<std::string>& findings) {
    // A button lying on up-down arrows takes the clicks meant for them.
    std::vector<HWND> arrows;
    std::vector<HWND> buttons;
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        char className[64] = "";
        GetClassNameA(control, className, sizeof className);
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
        if (lstrcmpiA(className, UPDOWN_CLASSA) == 0) {
            arrows.push_back(control);
        } else if (lstrcmpiA(className, "Button") == 0 && (style & BS_TYPEMASK) != BS_GROUPBOX) {
            buttons.push_back(control);
        }
    }
    for (HWND arrow : arrows) {
        RECT arrowRect;
        GetWindowRect(arrow, &arrowRect);
        for (HWND button : buttons) {
            RECT buttonRect;
            RECT both;
            GetWindowRect(button, &buttonRect);
            if (IntersectRect(&both, &arrowRect, &buttonRect)) {
                char text[256] = "";
                GetWindowTextA(button, text, sizeof text);
                findings.push_back(where + " control " + std::to_string(GetDlgCtrlID(button)) +
                                   " \"" + text + "\": lies on the up-down control " +
                                   std::to_string(GetDlgCtrlID(arrow)));
            }
        }
    }
}

std::vector<std::string> CFitCheck::Run(HMODULE module) {
    Prepare();
    std::vector<std::string> findings;
    std::vector<unsigned> ids;
    EnumResourceNamesA(module, RT_DIALOG, AddDialog, reinterpret_cast<LONG_PTR>(&ids));
    // Pages are child windows: they need a parent.
    HWND owner = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    for (unsigned id : ids) {
        CheckDialog(module, id, owner, findings);
    }
    DestroyWindow(owner);
    return findings;
}
