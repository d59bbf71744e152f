// The chooser dialogs on a real display: every control inside the window, no two controls
// overlapping except a group or frame around what it holds, the calendars showing all seven
// day columns inside their groups; a picture of each is kept for people to look at.

#include "dialogs/CChooseActivitiesDlg.h"
#include "dialogs/CChooseTimePeriodDlg.h"

#include "../chooseactivities/ChooserFixture.h"
#include "harness/WindowPicture.h"
#include "resources/ResourceIds.h"

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

using harness::CUiScript;

namespace {

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Name(HWND control) {
    return std::to_string(GetDlgCtrlID(control));
}

// What is wrong with the layout, one line per fault; empty when nothing is. Controls in
// containers (group boxes, frames) may lie inside them, but nowhere else on another control.
std::string CheckLayout(HWND dialog, const std::set<int>& containers) {
    std::string faults;
    RECT client = {};
    GetClientRect(dialog, &client);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            shown.push_back(child);
        }
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        const RECT rect = ClientRectOf(dialog, shown[i]);
        if (!Inside(rect, client)) {
            faults += Name(shown[i]) + " outside the client area\n";
        }
        for (size_t j = 0; j < i; ++j) {
            const RECT other = ClientRectOf(dialog, shown[j]);
            RECT overlap = {};
            if (!IntersectRect(&overlap, &rect, &other)) {
                continue;
            }
            const bool held =
                (containers.count(GetDlgCtrlID(shown[i])) != 0 && Inside(other, rect)) ||
                (containers.count(GetDlgCtrlID(shown[j])) != 0 && Inside(rect, other));
            if (!held) {
                faults += Name(shown[i]) + " overlaps " + Name(shown[j]) + "\n";
            }
        }
    }
    return faults;
}

// The calendar is at least as large as it needs, inside its group, and a row of its days
// holds seven different weekdays.
std::string CheckCalendar(HWND dialog, int calendarId, int groupId) {
    HWND calendar = GetDlgItem(dialog, calendarId);
    std::string faults;
    RECT needed = {}, client = {};
    SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed));
    GetClientRect(calendar, &client);
    if (client.right < needed.right - needed.left || client.bottom < needed.bottom - needed.top) {
        faults += Name(calendar) + " smaller than it needs\n";
    }
    if (!Inside(ClientRectOf(dialog, calendar),
                ClientRectOf(dialog, GetDlgItem(dialog, groupId)))) {
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

std::string PicturePath(const char* name) {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder) + "\\" + name;
}

class ChooserPictureTest : public choosertest::CChooserFixture {
protected:
    ChooserPictureTest() {
        Build({"Planning", " Quotes", " Permits", "Demolition", "Plumbing", " Pipes"});
        const double today = CDateTime::Now(true).GetDayStart().GetValue();
        AddTallymark("Quotes", today - 3.5, today - 3.25);
        AddTallymark("Pipes", today - 1.5, today - 1.2);
    }
};

TEST_F(ChooserPictureTest, PeriodDialogLaysOutAroundWholeCalendars) {
    CChooseTimePeriodDlg dialog(*m_project, *State(), CTallymark::GetNullDate(),
                                CTallymark::GetNullDate());
    CUiScript script;
    std::string layout, calendars;
    const std::string picture = PicturePath("choose-time-period.bmp");
    script.Do([&] { harness::Click(dialog.GetHwnd(), IDC_PERIOD_THIS_WEEK); }).Do([&] {
        HWND window = dialog.GetHwnd();
        layout = CheckLayout(window, {IDC_PERIOD_PRESETS_GROUP, IDC_PERIOD_START_GROUP,
                                      IDC_PERIOD_END_GROUP, IDC_PERIOD_START_TIME_FRAME,
                                      IDC_PERIOD_END_TIME_FRAME});
        calendars = CheckCalendar(window, IDC_PERIOD_START_DATE, IDC_PERIOD_START_GROUP) +
                    CheckCalendar(window, IDC_PERIOD_END_DATE, IDC_PERIOD_END_GROUP);
        harness::SaveWindowPicture(window, picture);
        harness::Click(window, IDCANCEL);
    });
    script.Run([&] { dialog.Create(CChooseTimePeriodDlg::MakeParams(nullptr)); });
    EXPECT_EQ(layout, "");
    EXPECT_EQ(calendars, "");
    EXPECT_NE(GetFileAttributesA(picture.c_str()), INVALID_FILE_ATTRIBUTES) << picture;
}

TEST_F(ChooserPictureTest, ActivitiesDialogLaysOutCleanlyAtEverySize) {
    std::set<CActivity*> chosen = {m_a["Quotes"], m_a["Pipes"]};
    CChooseActivitiesDlg dialog(*m_project, *State(), chosen, IDS_CHOOSE_ACTS_EXPORT);
    CUiScript script;
    std::string atTemplate, stretched;
    const std::string picture = PicturePath("choose-activities.bmp");
    script
        .Do([&] {
            HWND window = dialog.GetHwnd();
            atTemplate = CheckLayout(window, {});
            harness::SaveWindowPicture(window, picture);
            RECT rect = {};
            GetWindowRect(window, &rect);
            SetWindowPos(window, nullptr, 0, 0, (rect.right - rect.left) * 3 / 2,
                         (rect.bottom - rect.top) * 3 / 2, SWP_NOMOVE | SWP_NOZORDER);
        })
        .Do([&] {
            stretched = CheckLayout(dialog.GetHwnd(), {});
            harness::Click(dialog.GetHwnd(), IDCANCEL);
        });
    script.Run([&] { dialog.Create(CChooseActivitiesDlg::MakeParams(nullptr)); });
    EXPECT_EQ(atTemplate, "");
    EXPECT_EQ(stretched, "");
    EXPECT_NE(GetFileAttributesA(picture.c_str()), INVALID_FILE_ATTRIBUTES) << picture;
}

} // namespace
