#include "harness/LayoutCheck.h"

#include "harness/WindowPicture.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/datetime/CDateTime.h"

#include <commctrl.h>

#include <algorithm>
#include <set>

namespace harness {

namespace {

std::string Name(HWND control) {
    return std::to_string(GetDlgCtrlID(control));
}

} // namespace

RECT RectIn(HWND window, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ItemRect(HWND window, int id) {
    return RectIn(window, GetDlgItem(window, id));
}

bool Inside(const RECT& inner, const RECT& outer) {
    RECT both = {};
    return IntersectRect(&both, &inner, &outer) && EqualRect(&both, &inner);
}

bool IsGroupBox(HWND control) {
    char name[16] = "";
    GetClassNameA(control, name, sizeof(name));
    return lstrcmpiA(name, "Button") == 0 &&
           (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool GroupBoxHolds(HWND outer, HWND inner) {
    RECT innerRect = {}, outerRect = {};
    GetWindowRect(inner, &innerRect);
    GetWindowRect(outer, &outerRect);
    return IsGroupBox(outer) && Inside(innerRect, outerRect);
}

SLayoutRules GroupBoxRules() {
    SLayoutRules rules;
    rules.mayHold = GroupBoxHolds;
    return rules;
}

SLayoutRules ContainerRules(HWND window, const std::set<int>& containers) {
    SLayoutRules rules;
    rules.mayHold = [window, containers](HWND outer, HWND inner) {
        return containers.count(GetDlgCtrlID(outer)) != 0 &&
               Inside(RectIn(window, inner), RectIn(window, outer));
    };
    return rules;
}

std::vector<HWND> VisibleChildren(HWND parent) {
    std::vector<HWND> shown;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            shown.push_back(child);
        }
    }
    return shown;
}

std::string CheckLayout(HWND window, const std::vector<HWND>& controls, const SLayoutRules& rules) {
    std::string faults;
    RECT client = {};
    GetClientRect(window, &client);
    for (size_t i = 0; i < controls.size(); ++i) {
        const RECT rect = RectIn(window, controls[i]);
        const std::string name = Name(controls[i]);
        if (rules.everyShown && (!IsWindowVisible(controls[i]) || IsRectEmpty(&rect))) {
            faults += name + " not shown\n";
        } else if (!Inside(rect, client)) {
            faults += name + " outside the client area\n";
        }
        for (size_t j = 0; j < i; ++j) {
            const RECT other = RectIn(window, controls[j]);
            RECT overlap = {};
            if (IntersectRect(&overlap, &rect, &other) &&
                !(rules.mayHold && (rules.mayHold(controls[i], controls[j]) ||
                                    rules.mayHold(controls[j], controls[i])))) {
                faults += name + " overlaps " + Name(controls[j]) + "\n";
            }
        }
        if (rules.alsoCheck) {
            faults += rules.alsoCheck(controls[i], rect);
        }
    }
    return faults;
}

std::string CheckLayout(HWND window, const SLayoutRules& rules) {
    return CheckLayout(window, VisibleChildren(window), rules);
}

std::string CheckShownControls(HWND window, const std::vector<int>& ids) {
    std::vector<HWND> controls;
    for (int id : ids) {
        controls.push_back(GetDlgItem(window, id));
    }
    SLayoutRules rules;
    rules.everyShown = true;
    return CheckLayout(window, controls, rules);
}

int TextWidth(HWND control, bool keepMarks) {
    char text[256] = "";
    GetWindowTextA(control, text, sizeof(text));
    std::string shown;
    for (const char* c = text; *c != '\0'; ++c) {
        if (keepMarks || *c != '&') {
            shown += *c;
        }
    }
    // The measure adds a margin of 4 to the text's own extent.
    return shown.empty() ? 0 : CDialogWindow::GetTextSize(control, shown).width - 4;
}

int HiddenLines(HWND label) {
    char text[1024] = "";
    GetWindowTextA(label, text, sizeof(text));
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    RECT client = {};
    GetClientRect(label, &client);
    const int lines = 1 + static_cast<int>(std::count(text, text + lstrlenA(text), '\n'));
    return std::max(0, lines - static_cast<int>(client.bottom / std::max(1L, metrics.tmHeight)));
}

std::string CheckCalendar(HWND window, int calendarId, int groupId) {
    HWND calendar = GetDlgItem(window, calendarId);
    std::string faults;
    RECT needed = {}, client = {};
    SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed));
    GetClientRect(calendar, &client);
    if (client.right < needed.right - needed.left || client.bottom < needed.bottom - needed.top) {
        faults += Name(calendar) + " smaller than it needs\n";
    }
    if (!Inside(RectIn(window, calendar), RectIn(window, GetDlgItem(window, groupId)))) {
        faults += Name(calendar) + " outside its group\n";
    }
    size_t mostWeekdays = 0;
    for (int y = client.bottom / 3; y < client.bottom; y += 4) {
        std::set<int> weekdays;
        for (int x = 0; x < client.right; x += 2) {
            MCHITTESTINFO hit = {};
            hit.cbSize = sizeof(hit);
            hit.pt = {x, y};
            if (SendMessageA(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) ==
                MCHT_CALENDARDATE) {
                weekdays.insert(CDateTime(hit.st).GetDayOfWeek());
            }
        }
        mostWeekdays = std::max(mostWeekdays, weekdays.size());
    }
    if (mostWeekdays != 7) {
        faults += Name(calendar) + " shows " + std::to_string(mostWeekdays) + " day columns\n";
    }
    return faults;
}

bool KeepPicture(HWND window, const std::string& file) {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    return SaveWindowPicture(window, std::string(folder) + "\\" + file);
}

} // namespace harness
