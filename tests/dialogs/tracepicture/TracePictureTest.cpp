// The tally mark and split dialogs on a real display: a picture of each, and their layout
// checked once the calendars were fitted to the size the display's fonts need.

#include "dialogs/CTraceDlg.h"
#include "dialogs/CTraceSplitDlg.h"

#include "../trace/TraceFixture.h"
#include "harness/WindowPicture.h"

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

using harness::CUiScript;
using namespace tracetest;

namespace {

// Controls that are meant to lie on one another: a time field's frame with its fields and
// separators (which the template lets touch the next field).
using SCluster = std::set<int>;

struct SLayout {
    // Each calendar with the group box that holds it.
    std::vector<std::pair<int, int>> calendars;
    std::vector<SCluster> clusters;
};

RECT ControlRect(HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool IsGroupBox(HWND control) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof(name));
    return lstrcmpiA(name, "Button") == 0 &&
           (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Every finding of the layout, one line each; empty when it is sound.
std::vector<std::string> CheckLayout(HWND dialog, const SLayout& layout) {
    std::vector<std::string> findings;
    for (const auto& [calendarId, groupId] : layout.calendars) {
        HWND calendar = GetDlgItem(dialog, calendarId);
        RECT minimum = {}, client = {};
        SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&minimum));
        GetClientRect(calendar, &client);
        // Narrower than its minimum, the control cuts off day columns.
        if (client.right < minimum.right - minimum.left ||
            client.bottom < minimum.bottom - minimum.top) {
            findings.push_back("calendar " + std::to_string(calendarId) + " is cut");
        }
        if (!Inside(ControlRect(calendar), ControlRect(GetDlgItem(dialog, groupId)))) {
            findings.push_back("calendar " + std::to_string(calendarId) + " leaves its group");
        }
    }
    RECT client = {};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        if (!Inside(ControlRect(child), client)) {
            findings.push_back("control " + std::to_string(GetDlgCtrlID(child)) +
                               " leaves the dialog");
        }
        controls.push_back(child);
    }
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const RECT a = ControlRect(controls[i]);
            const RECT b = ControlRect(controls[j]);
            RECT common = {};
            if (!IntersectRect(&common, &a, &b)) {
                continue;
            }
            const int idA = GetDlgCtrlID(controls[i]);
            const int idB = GetDlgCtrlID(controls[j]);
            const bool grouped = (IsGroupBox(controls[i]) && Inside(b, a)) ||
                                 (IsGroupBox(controls[j]) && Inside(a, b));
            const bool clustered =
                std::any_of(layout.clusters.begin(), layout.clusters.end(),
                            [&](const SCluster& c) { return c.count(idA) && c.count(idB); });
            if (!grouped && !clustered) {
                findings.push_back(std::to_string(idA) + " overlaps " + std::to_string(idB));
            }
        }
    }
    return findings;
}

std::string PicturePath(const std::string& name) {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder) + "\\" + name;
}

class CTracePictureTest : public CTraceFixture {
protected:
    CTracePictureTest() { Build({"Development", " Design", "Support"}); }
    static HWND Hwnd() { return harness::ActiveWindow(); }
    // Shows the dialog, checks its layout and saves its picture.
    void Look(CDialogWindow& dialog, int dialogId, const SLayout& layout, const char* picture) {
        CUiScript script;
        std::vector<std::string> findings;
        bool saved = false;
        script
            .Do([&] {
                RedrawWindow(Hwnd(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            })
            .Do([&] {
                findings = CheckLayout(Hwnd(), layout);
                saved = harness::SaveWindowPicture(Hwnd(), PicturePath(picture));
                harness::Click(Hwnd(), IDCANCEL);
            });
        SDialogParams params;
        params.dialogId = dialogId;
        params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
        script.Run([&] { dialog.Create(params); });
        EXPECT_EQ(findings, std::vector<std::string>());
        EXPECT_TRUE(saved);
    }
};

TEST_F(CTracePictureTest, TallymarkDialog) {
    CTallymark* record = Add("Design", Date(2023, 6, 12, 9), Date(2023, 6, 13, 17, 30));
    CTraceDlg dialog(m_project, State(), record);
    const SLayout layout = {
        {{IDC_TRACE_START_DATE, IDC_TRACE_START_GROUP}, {IDC_TRACE_END_DATE, IDC_TRACE_END_GROUP}},
        {{IDC_TRACE_START_FRAME, IDC_TRACE_START_HOURS, IDC_TRACE_START_SEPARATOR1,
          IDC_TRACE_START_MINUTES, IDC_TRACE_START_SEPARATOR2, IDC_TRACE_START_SECONDS},
         {IDC_TRACE_END_FRAME, IDC_TRACE_END_HOURS, IDC_TRACE_END_SEPARATOR1, IDC_TRACE_END_MINUTES,
          IDC_TRACE_END_SEPARATOR2, IDC_TRACE_END_SECONDS}}};
    Look(dialog, IDD_TRACE, layout, "tally-mark-dialog.bmp");
}

TEST_F(CTracePictureTest, SplitDialog) {
    CTallymark* record = Add("Design", Date(2023, 6, 12, 9), Date(2023, 6, 13, 17, 30));
    CTraceSplitDlg dialog(m_project, State(), record);
    const SLayout layout = {{{IDC_SPLIT_DATE, IDC_SPLIT_POINT_GROUP}},
                            {{IDC_SPLIT_FRAME, IDC_SPLIT_HOURS, IDC_SPLIT_SEPARATOR1,
                              IDC_SPLIT_MINUTES, IDC_SPLIT_SEPARATOR2, IDC_SPLIT_SECONDS}}};
    Look(dialog, IDD_TRACE_SPLIT, layout, "split-dialog.bmp");
}

} // namespace
