// The tally mark and split dialogs on a real display: a picture of each, and their layout
// checked once the calendars were fitted to the size the display's fonts need.

#include "dialogs/CTraceDlg.h"
#include "dialogs/CTraceSplitDlg.h"

#include "../trace/TraceFixture.h"
#include "harness/LayoutCheck.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace tracetest;

namespace {

// Every fault of the layout: a calendar not whole or outside its group, a control outside
// the dialog, two visible controls on one another unless a group box holds the other or
// both are parts of one time field (its frame, fields and separators).
std::string Faults(HWND dialog, const std::vector<std::pair<int, int>>& calendars,
                   const std::vector<std::set<int>>& timeFields) {
    std::string faults;
    for (const auto& [calendar, group] : calendars) {
        faults += harness::CheckCalendar(dialog, calendar, group);
    }
    harness::SLayoutRules rules;
    rules.mayHold = [&](HWND outer, HWND inner) {
        const int idA = GetDlgCtrlID(outer), idB = GetDlgCtrlID(inner);
        return harness::GroupBoxHolds(outer, inner) ||
               std::any_of(timeFields.begin(), timeFields.end(),
                           [&](const std::set<int>& f) { return f.count(idA) && f.count(idB); });
    };
    return faults + harness::CheckLayout(dialog, rules);
}

class CTracePictureTest : public CTraceFixture {
protected:
    void Look(CDialogWindow& dialog, int dialogId, const char* picture,
              const std::vector<std::pair<int, int>>& calendars,
              const std::vector<std::set<int>>& fields) {
        harness::CUiScript script;
        std::string faults = "not shown";
        bool saved = false;
        script
            .Do([] {
                RedrawWindow(Hwnd(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            })
            .Do([&] {
                faults = Faults(Hwnd(), calendars, fields);
                saved = harness::KeepPicture(Hwnd(), picture);
                harness::Click(Hwnd(), IDCANCEL);
            });
        Run(script, dialog, dialogId);
        EXPECT_EQ(faults, "");
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
