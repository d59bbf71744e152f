#include "dialogs/CTraceSplitDlg.h"

#include "TraceFixture.h"
#include "harness/TestTimeZones.h"

using harness::CUiScript;
using namespace tracetest;

namespace {

using CTraceSplitDlgTest = CTraceFixture;

TEST_F(CTraceSplitDlgTest, SplitsAtTheChosenMomentOntoTwoActivities) {
    CTallymark* mark = Add("A", Date(2023, 5, 1, 9), Date(2023, 5, 2, 17));
    CTraceSplitDlg dialog(m_project, State(), mark);
    CUiScript script;
    std::string lengths;
    script.Do([&] {
        EXPECT_EQ(ShownTime(Hwnd(), IDC_SPLIT_HOURS), "1:0:0"); // the middle, after midnight
        Enter(Hwnd(), IDC_SPLIT_DATE, IDC_SPLIT_HOURS, Date(2023, 5, 2, 1, 30));
        harness::SelectComboItem(Hwnd(), IDC_SPLIT_SECOND_ACTIVITY, 2);
        lengths = harness::GetItemText(Hwnd(), IDC_SPLIT_FIRST_LENGTH) + " " +
                  harness::GetItemText(Hwnd(), IDC_SPLIT_SECOND_LENGTH);
        harness::Click(Hwnd(), IDC_SPLIT_OK);
    });
    Run(script, dialog, IDD_TRACE_SPLIT);
    EXPECT_EQ(lengths, "16:30:00 15:30:00");
    ASSERT_FALSE(dialog.IsCancelled());
    const std::unique_ptr<CTallymark> first(dialog.GetNewTallymark());
    EXPECT_EQ(first->GetActivity(), m_a["A"]);
    EXPECT_EQ(first->GetStart(), Date(2023, 5, 1, 9));
    EXPECT_EQ(first->GetEnd(false), Date(2023, 5, 2, 1, 30));
    EXPECT_EQ(Marks("B"), std::vector<std::string>{"B 2023-05-02 01:30:00-2023-05-02 17:00:00"});
}

// The parts shown at the start are those of the split point that the fields show, as
// after any change of a field: the middle of an odd number of seconds is not between them.
TEST_F(CTraceSplitDlgTest, OpensShowingThePartsOfTheShownSplitPoint) {
    CTallymark* mark = Add("A", Date(2023, 5, 1, 9), Date(2023, 5, 1, 17, 0, 3));
    CTraceSplitDlg dialog(m_project, State(), mark);
    CUiScript script;
    std::string shown, atOpen, afterChange;
    script.Do([&] {
        shown = ShownTime(Hwnd(), IDC_SPLIT_HOURS);
        atOpen = harness::GetItemText(Hwnd(), IDC_SPLIT_FIRST_LENGTH) + " " +
                 harness::GetItemText(Hwnd(), IDC_SPLIT_SECOND_LENGTH);
        harness::SetItemText(Hwnd(), IDC_SPLIT_SECONDS,
                             harness::GetItemText(Hwnd(), IDC_SPLIT_SECONDS));
        afterChange = harness::GetItemText(Hwnd(), IDC_SPLIT_FIRST_LENGTH) + " " +
                      harness::GetItemText(Hwnd(), IDC_SPLIT_SECOND_LENGTH);
        harness::Click(Hwnd(), IDCANCEL);
    });
    Run(script, dialog, IDD_TRACE_SPLIT);
    EXPECT_EQ(shown, "13:0:2");
    EXPECT_EQ(atOpen, "04:00:02 04:00:01");
    EXPECT_EQ(afterChange, atOpen);
}

// 01:10-01:40 UTC on 25 October 2026 is 02:10-02:40 local in the second pass of the repeated
// hour: the point proposed, 02:25:00, stays in that pass, and OK splits there.
TEST_F(CTraceSplitDlgTest, TheProposedPointStaysInTheSecondPassOfTheRepeatedHour) {
    const CTimeZone zone = harness::CentralEuropeanZone();
    CModelTimeZone::Set(&zone);
    CTraceSplitDlg dialog(m_project, State(),
                          Add("A", Date(2026, 10, 25, 1, 10), Date(2026, 10, 25, 1, 40)));
    CUiScript script;
    std::string lengths;
    script.Do([&] {
        lengths = harness::GetItemText(Hwnd(), IDC_SPLIT_FIRST_LENGTH) + " " +
                  harness::GetItemText(Hwnd(), IDC_SPLIT_SECOND_LENGTH);
        harness::SelectComboItem(Hwnd(), IDC_SPLIT_SECOND_ACTIVITY, 2);
        harness::Click(Hwnd(), IDC_SPLIT_OK);
    });
    Run(script, dialog, IDD_TRACE_SPLIT);
    EXPECT_EQ(lengths, "00:15:00 00:15:00");
    delete dialog.GetNewTallymark();
    EXPECT_EQ(Marks("B"), std::vector<std::string>{"B 2026-10-25 01:25:00-2026-10-25 01:40:00"});
}

TEST_F(CTraceSplitDlgTest, RefusalsLeaveTheRecordAsItWas) {
    const struct {
        CDateTime end; // of the record from 09:00 (invalid: running)
        CDateTime point;
        int first, second; // items of the boxes
        const char* refusal;
        int answer;
    } cases[] = {
        {Date(2023, 6, 1, 17), Date(2023, 6, 1, 8, 59, 59), 0, 2, "before the start", IDOK},
        {Date(2023, 6, 1, 17), Date(2023, 6, 1, 17, 0, 1), 0, 2, "after the end", IDOK},
        {CDateTime(), Date(2023, 6, 15, 14, 0, 1), 0, 2, "in the future", IDOK},
        {Date(2023, 6, 1, 17), Date(2023, 6, 1, 12), 3, 2,
         "cannot use the selected activity in the first tally mark", IDOK},
        {Date(2023, 6, 1, 17), Date(2023, 6, 1, 12), 0, 0, "same activity", IDNO},
        {Date(2023, 6, 1, 17), CDateTime(), 0, 2, nullptr, 0}, // a field emptied
    };
    for (const auto& test : cases) {
        CTallymark* mark = Add("A", Date(2023, 6, 1, 9), test.end);
        const std::string before = SavedBytes();
        CTraceSplitDlg dialog(m_project, State(), mark);
        CUiScript script;
        script.Do([&] {
            if (test.point.IsValid()) {
                Enter(Hwnd(), IDC_SPLIT_DATE, IDC_SPLIT_HOURS, test.point);
            } else {
                harness::SetItemText(Hwnd(), IDC_SPLIT_MINUTES, "");
            }
            harness::SelectComboItem(Hwnd(), IDC_SPLIT_FIRST_ACTIVITY, test.first);
            harness::SelectComboItem(Hwnd(), IDC_SPLIT_SECOND_ACTIVITY, test.second);
            harness::Click(Hwnd(), IDC_SPLIT_OK);
        });
        if (test.refusal != nullptr) {
            script.AnswerMessageBox(test.answer, test.refusal);
        } else {
            script.Do([] { EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_SPLIT_MINUTES); });
        }
        script.Do([] { harness::Click(Hwnd(), IDCANCEL); });
        Run(script, dialog, IDD_TRACE_SPLIT);
        EXPECT_TRUE(dialog.IsCancelled());
        EXPECT_EQ(SavedBytes(), before);
        delete mark;
    }
}

TEST_F(CTraceSplitDlgTest, RunningRecordStaysTheRunningOne) {
    CTallymark* running = Add("A", Date(2023, 6, 15, 8));
    CTraceSplitDlg dialog(m_project, State(), running);
    CUiScript script;
    script.Do([] {
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(Hwnd(), IDC_SPLIT_END)));
        Enter(Hwnd(), IDC_SPLIT_DATE, IDC_SPLIT_HOURS, Date(2023, 6, 15, 10));
        harness::SelectComboItem(Hwnd(), IDC_SPLIT_SECOND_ACTIVITY, 2);
        harness::Click(Hwnd(), IDC_SPLIT_OK);
    });
    Run(script, dialog, IDD_TRACE_SPLIT);
    delete dialog.GetNewTallymark();
    EXPECT_EQ(Marks("B"), std::vector<std::string>{"B 2023-06-15 10:00:00-open"});
}

} // namespace
