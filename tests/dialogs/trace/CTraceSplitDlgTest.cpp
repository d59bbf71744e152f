#include "dialogs/CTraceSplitDlg.h"

#include "TraceFixture.h"

#include <memory>
#include <string>
#include <vector>

using harness::CUiScript;
using namespace tracetest;

namespace {

class CTraceSplitDlgTest : public CTraceFixture {
protected:
    CTraceSplitDlgTest() { Build({"A", "B", "-Off"}); }

    void Run(CUiScript& script, CTraceSplitDlg& dialog) {
        SDialogParams params;
        params.dialogId = IDD_TRACE_SPLIT;
        params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
        script.Run([&] { dialog.Create(params); });
    }
    static HWND Hwnd() { return harness::ActiveWindow(); }
};

TEST_F(CTraceSplitDlgTest, SplitsAtTheChosenMomentOntoTwoActivities) {
    CTallymark* record = Add("A", Date(2023, 5, 1, 9), Date(2023, 5, 2, 17));
    CTraceSplitDlg dialog(m_project, State(), record);
    CUiScript script;
    std::string middle, firstLength, secondLength;
    script
        .Do([&] {
            middle = ShownTime(Hwnd(), IDC_SPLIT_HOURS);
            // Across midnight: the next day at 01:30.
            PickDay(Hwnd(), IDC_SPLIT_DATE, Date(2023, 5, 2));
            EnterTime(Hwnd(), IDC_SPLIT_HOURS, Date(2023, 5, 2, 1, 30, 0));
            harness::SelectComboItem(Hwnd(), IDC_SPLIT_SECOND_ACTIVITY, 1);
        })
        .Do([&] {
            firstLength = harness::GetItemText(Hwnd(), IDC_SPLIT_FIRST_LENGTH);
            secondLength = harness::GetItemText(Hwnd(), IDC_SPLIT_SECOND_LENGTH);
            harness::Click(Hwnd(), IDC_SPLIT_OK);
        });
    Run(script, dialog);
    EXPECT_EQ(middle, "1:0:0");
    EXPECT_EQ(firstLength, "16:30:00");
    EXPECT_EQ(secondLength, "15:30:00");
    ASSERT_FALSE(dialog.IsCancelled());
    std::unique_ptr<CTallymark> first(dialog.GetNewTallymark());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetActivity(), m_a["A"]);
    EXPECT_EQ(first->GetStart(), Date(2023, 5, 1, 9));
    EXPECT_EQ(first->GetEnd(false), Date(2023, 5, 2, 1, 30));
    EXPECT_EQ(Marks("B"), std::vector<std::string>{"B 2023-05-02 01:30:00-2023-05-02 17:00:00"});
    EXPECT_TRUE(Marks("A").empty());
}

TEST_F(CTraceSplitDlgTest, RefusesPointsOutsideTheRecordAndActivitiesThatCannotBeBooked) {
    // Each case: the split time on the record's day, the items of the two boxes, and the
    // refusal expected (a text part), answered with answer.
    struct SCase {
        const char* what;
        CDateTime point;
        int first;
        int second;
        const char* refusal;
        int answer;
    };
    const SCase cases[] = {
        {"a second before the start", Date(2023, 5, 1, 8, 59, 59), 0, 1,
         "before the start date/time", IDOK},
        {"after the end", Date(2023, 5, 1, 17, 0, 1), 0, 1, "after the end date/time", IDOK},
        {"second box empty", Date(2023, 5, 1, 12), 0, -1,
         "You must select an activity for the second tally mark.", IDOK},
        {"disabled first", Date(2023, 5, 1, 12), 2, 1,
         "You cannot use the selected activity in the first tally mark.", IDOK},
        {"same activity, declined", Date(2023, 5, 1, 12), 0, 0, "same activity", IDNO},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.what);
        CTallymark* record = Add("A", Date(2023, 5, 1, 9), Date(2023, 5, 1, 17));
        const std::string before = SavedBytes();
        CTraceSplitDlg dialog(m_project, State(), record);
        CUiScript script;
        script
            .Do([&] {
                EnterTime(Hwnd(), IDC_SPLIT_HOURS, test.point);
                harness::SelectComboItem(Hwnd(), IDC_SPLIT_FIRST_ACTIVITY, test.first);
                if (test.second >= 0) {
                    harness::SelectComboItem(Hwnd(), IDC_SPLIT_SECOND_ACTIVITY, test.second);
                } else {
                    SendDlgItemMessageA(Hwnd(), IDC_SPLIT_SECOND_ACTIVITY, CB_SETCURSEL,
                                        static_cast<WPARAM>(-1), 0);
                    SendMessageA(
                        Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SPLIT_SECOND_ACTIVITY, CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(GetDlgItem(Hwnd(), IDC_SPLIT_SECOND_ACTIVITY)));
                }
                harness::Click(Hwnd(), IDC_SPLIT_OK);
            })
            .AnswerMessageBox(test.answer, test.refusal)
            .Do([&] { harness::Click(Hwnd(), IDCANCEL); });
        Run(script, dialog);
        EXPECT_TRUE(dialog.IsCancelled());
        EXPECT_EQ(dialog.GetNewTallymark(), nullptr);
        EXPECT_EQ(SavedBytes(), before);
        delete record;
    }
}

TEST_F(CTraceSplitDlgTest, RunningRecordStaysRunningAndTheFutureIsRefused) {
    CTallymark* running = Add("A", Date(2023, 6, 15, 8));
    CTraceSplitDlg dialog(m_project, State(), running);
    CUiScript script;
    bool endShown = true;
    std::string stillWorking;
    script
        .Do([&] {
            endShown = IsWindowVisible(GetDlgItem(Hwnd(), IDC_SPLIT_END)) != FALSE;
            stillWorking = harness::GetItemText(Hwnd(), IDC_SPLIT_STILL_WORKING);
            EnterTime(Hwnd(), IDC_SPLIT_HOURS, Date(2023, 6, 15, 14, 0, 1));
            harness::SelectComboItem(Hwnd(), IDC_SPLIT_SECOND_ACTIVITY, 1);
            harness::Click(Hwnd(), IDC_SPLIT_OK);
        })
        .AnswerMessageBox(IDOK, "The split point is in the future.")
        .Do([&] {
            EnterTime(Hwnd(), IDC_SPLIT_HOURS, Date(2023, 6, 15, 10, 0, 0));
            harness::Click(Hwnd(), IDC_SPLIT_OK);
        });
    Run(script, dialog);
    EXPECT_FALSE(endShown);
    EXPECT_EQ(stillWorking, "You are still working on this activity");
    ASSERT_FALSE(dialog.IsCancelled());
    delete dialog.GetNewTallymark();
    EXPECT_EQ(Marks("B"), std::vector<std::string>{"B 2023-06-15 10:00:00-open"});
}

TEST_F(CTraceSplitDlgTest, AnEmptiedFieldIsRefusedWithTheFocusOnIt) {
    CTallymark* record = Add("A", Date(2023, 5, 1, 9), Date(2023, 5, 1, 17));
    CTraceSplitDlg dialog(m_project, State(), record);
    CUiScript script;
    int focused = 0;
    std::string lengths;
    script
        .Do([&] {
            harness::SetItemText(Hwnd(), IDC_SPLIT_MINUTES, "");
            lengths = harness::GetItemText(Hwnd(), IDC_SPLIT_FIRST_LENGTH) + " " +
                      harness::GetItemText(Hwnd(), IDC_SPLIT_SECOND_LENGTH);
            harness::Click(Hwnd(), IDC_SPLIT_OK);
        })
        .Do([&] {
            focused = GetDlgCtrlID(GetFocus());
            harness::Click(Hwnd(), IDCANCEL);
        });
    Run(script, dialog);
    EXPECT_EQ(lengths, "------ ------");
    EXPECT_EQ(focused, IDC_SPLIT_MINUTES);
    EXPECT_TRUE(script.GetMessageBoxes().empty());
    EXPECT_TRUE(dialog.IsCancelled());
    EXPECT_EQ(Marks("A"), std::vector<std::string>{"A 2023-05-01 09:00:00-2023-05-01 17:00:00"});
}

} // namespace
