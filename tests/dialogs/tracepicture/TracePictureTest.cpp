// The tally mark and split dialogs on a real display: a picture of each, and their layout
// checked once the calendars were fitted to the size the display's fonts need.

#include "dialogs/CTraceDlg.h"
#include "dialogs/CTraceSplitDlg.h"

#include "../trace/TraceFixture.h"
#include "harness/WindowPicture.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace tracetest;

namespace {

RECT Rect(HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool IsGroupBox(HWND control) {
    char name[16] = {};
    GetClassNameA(control, name, sizeof(name));
    return lstrcmpiA(name, "Button") == 0 &&
           (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Every fault of the layout: a calendar cut (narrower than its seven day columns need) or
// outside its group, a control outside the dialog, two visible controls on one another
// unless a group box holds the other or both are parts of one time field (its frame, fields
// and separators).
std::vector<std::string> Faults(HWND dialog, const std::vector<std::pair<int, int>>& calendars,
                                const std::vector<std::set<int>>& timeFields) {
    std::vector<std::string> faults;
    for (const auto& [calendar, group] : calendars) {
        HWND control = GetDlgItem(dialog, calendar);
        RECT minimum = {}, client = {};
        SendMessageA(control, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&minimum));
        GetClientRect(control, &client);
        if (client.right < minimum.right - minimum.left ||
            !Inside(Rect(control), Rect(GetDlgItem(dialog, group)))) {
            faults.push_back("calendar " + std::to_string(calendar));
        }
    }
    RECT area = {};
    GetClientRect(dialog, &area);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&area), 2);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            shown.push_back(child);
            if (!Inside(Rect(child), area)) {
                faults.push_back(std::to_string(GetDlgCtrlID(child)) + " outside");
            }
        }
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const RECT a = Rect(shown[i]), b = Rect(shown[j]);
            const int idA = GetDlgCtrlID(shown[i]), idB = GetDlgCtrlID(shown[j]);
            RECT common = {};
            const bool intended =
                (IsGroupBox(shown[i]) && Inside(b, a)) || (IsGroupBox(shown[j]) && Inside(a, b)) ||
                std::any_of(timeFields.begin(), timeFields.end(),
                            [&](const std::set<int>& f) { return f.count(idA) && f.count(idB); });
            if (IntersectRect(&common, &a, &b) && !intended) {
                faults.push_back(std::to_string(idA) + " on " + std::to_string(idB));
            }
        }
    }
    return faults;
}

class CTracePictureTest : public CTraceFixture {
protected:
    void Look(CDialogWindow& dialog, int dialogId, const char* picture,
              const std::vector<std::pair<int, int>>& calendars,
              const std::vector<std::set<int>>& fields) {
        harness::CUiScript script;
        std::vector<std::string> faults = {"not shown"};
        bool saved = false;
        script
            .Do([] {
                RedrawWindow(Hwnd(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            })
            .Do([&] {
                faults = Faults(Hwnd(), calendars, fields);
                char folder[MAX_PATH] = "";
                GetCurrentDirectoryA(MAX_PATH, folder);
                saved = harness::SaveWindowPicture(Hwnd(), std::string(folder) + "\\" + picture);
                harness::Click(Hwnd(), IDCANCEL);
            });
        Run(script, dialog, dialogId);
        EXPECT_EQ(faults, std::vector<std::string>());
        EXPECT_TRUE(saved);
    }
};

TEST_F(CTracePictureTest, TallymarkDialog) {
    CTraceDlg dialog(m_project, State(),
                     Add("A1", Date(2023, 6, 12, 9), Date(2023, 6, 13, 17, 30)));
    Look(dialog, IDD_TRACE, "tally-mark-dialog.bmp",
         {{IDC_TRACE_START_DATE, IDC_TRACE_START_GROUP}, {IDC_TRACE_END_DATE, IDC_TRACE_END_GROUP}},
         {{IDC_TRACE_START_FRAME, IDC_TRACE_START_HOURS, IDC_TRACE_START_MINUTES,
           IDC_TRACE_START_SECONDS, IDC_TRACE_START_SEPARATOR1, IDC_TRACE_START_SEPARATOR2},
          {IDC_TRACE_END_FRAME, IDC_TRACE_END_HOURS, IDC_TRACE_END_MINUTES, IDC_TRACE_END_SECONDS,
           IDC_TRACE_END_SEPARATOR1, IDC_TRACE_END_SEPARATOR2}});
}

TEST_F(CTracePictureTest, SplitDialog) {
    CTraceSplitDlg dialog(m_project, State(),
                          Add("A1", Date(2023, 6, 12, 9), Date(2023, 6, 13, 17, 30)));
    Look(dialog, IDD_TRACE_SPLIT, "split-dialog.bmp", {{IDC_SPLIT_DATE, IDC_SPLIT_POINT_GROUP}},
         {{IDC_SPLIT_FRAME, IDC_SPLIT_HOURS, IDC_SPLIT_MINUTES, IDC_SPLIT_SECONDS,
           IDC_SPLIT_SEPARATOR1, IDC_SPLIT_SEPARATOR2}});
}

} // namespace
