#include "dialogs/CTracesActivityDlg.h"
#include "dialogs/CTracesDlg.h"

#include "TracesFixture.h"
#include "library/datetime/CDateTimeFormat.h"

#include <set>
#include <string>
#include <vector>

using harness::CUiScript;
using tracestest::CTracesFixture;
using tracestest::kDay;
using tracestest::kHour;

namespace {

const char* const kMoveCaption = "Tallymarks - Modify tally mark activity";

class CTracesActivityDlgTest : public CTracesFixture {
protected:
    CTracesActivityDlgTest() { Build({"A", "B", "-D"}); }

    // Runs the move dialog on the selection while the script runs.
    void Run(CUiScript& script, const std::set<CTallymark*>& selection) {
        m_dialog = std::make_unique<CTracesActivityDlg>(m_project, State(), &selection);
        SDialogParams params;
        params.dialogId = IDD_TRACES_ACTIVITY;
        m_app->SetDialogModules(params);
        params.sizeGrip = true;
        script.Run([&] { m_dialog->Create(params); });
    }
    HWND Hwnd() const { return m_dialog->GetHwnd(); }
    // The summary lines: count, first start, last end, total, and the used activities.
    std::string Summary() const {
        std::string text;
        for (int id : {IDC_TRACES_ACTIVITY_COUNT, IDC_TRACES_ACTIVITY_FIRST_START,
                       IDC_TRACES_ACTIVITY_LAST_END, IDC_TRACES_ACTIVITY_TOTAL}) {
            text += harness::GetItemText(Hwnd(), id) + "|";
        }
        HWND used = GetDlgItem(Hwnd(), IDC_TRACES_ACTIVITY_USED);
        std::set<std::string> paths;
        for (int i = 0; i < static_cast<int>(SendMessageA(used, LB_GETCOUNT, 0, 0)); ++i) {
            char path[64] = {};
            SendMessageA(used, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(path));
            paths.insert(path);
        }
        for (const std::string& path : paths) {
            text += path + " ";
        }
        return text;
    }
    static std::string Shown(double utcHours) {
        const CDateTimeFormat& formats = CDateTimeFormat::Instance();
        return CDateTime(kDay + utcHours * kHour)
            .UtcToLocal()
            .FormatDateTime(formats.GetWeekdayDateFormat(), formats.GetTimeOfDayFormat());
    }

    std::unique_ptr<CTracesActivityDlg> m_dialog;
};

TEST_F(CTracesActivityDlgTest, SummarisesTheClosedTallymarksAndCountsTheRunningOneLive) {
    std::set<CTallymark*> closed = {Add("x", "A", 1, 2), Add("y", "A", 3, 5),
                                    Add("z", "B", 2, 2.5)};
    // Started an hour before now: the total grows with it.
    const double now = CDateTime::Now(true).GetValue();
    std::set<CTallymark*> withRunning = {*closed.begin(),
                                         Add("r", "B", (now - kDay) / kHour - 1.0)};
    std::string summaries[2];
    for (int i = 0; i < 2; ++i) {
        CUiScript script;
        script.Do([&] {
            summaries[i] = Summary();
            harness::Click(Hwnd(), IDCANCEL);
        });
        Run(script, i == 0 ? closed : withRunning);
        EXPECT_TRUE(m_dialog->IsCancelled());
    }
    EXPECT_EQ(summaries[0], "3|" + Shown(1) + "|" + Shown(5) + "|03:30:00|A B ");
    const CTallymark* first = *closed.begin();
    const double firstStart = (first->GetStart().GetValue() - kDay) / kHour;
    EXPECT_EQ(summaries[1].substr(0, summaries[1].find("|0")),
              "2|" + Shown(firstStart) + "|still working");
    EXPECT_NE(summaries[1].find("|02:00:0"), std::string::npos) << summaries[1];
    EXPECT_EQ(m_a.at("B")->GetTallymarks().GetCount(), 2u) << "Cancel moves nothing";
}

TEST_F(CTracesActivityDlgTest, RefusesADisabledTarget) {
    std::set<CTallymark*> selection = {Add("x", "A", 1, 2), Add("y", "B", 3, 5)};
    CUiScript script;
    script.Do([&] { harness::SelectComboItem(Hwnd(), IDC_TRACES_ACTIVITY_TARGET, 2); })
        .Do([&] { harness::Click(Hwnd(), IDC_TRACES_ACTIVITY_OK); })
        .AnswerMessageBox(IDOK, "You cannot book hours on the chosen activity.")
        .Do([&] { harness::Click(Hwnd(), IDCANCEL); });
    Run(script, selection);
    ASSERT_EQ(script.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Invalid activity");
    EXPECT_EQ(script.GetMessageBoxes()[0].icon, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_TRUE(m_dialog->IsCancelled());
    EXPECT_EQ(m_a.at("D")->GetTallymarks().GetCount(), 0u);
}

TEST_F(CTracesActivityDlgTest, MovesAThousandSelectedRowsFromTheManageDialog) {
    for (int i = 0; i < 1000; ++i) {
        Add("t", "A", i, i + 0.5);
    }
    Add("b", "B", -2, -1);
    CTracesDlg manage(m_project);
    std::string summary;
    int onB = 0;
    size_t selected = 0;
    CUiScript script(60000);
    script
        .Do([&] {
            // Every row but the last (the oldest, on B).
            const int rows = harness::GetListRowCount(manage.GetHwnd(), IDC_TRACES_LIST);
            for (int row = 0; row + 1 < rows; ++row) {
                LVITEMA item = {};
                item.state = item.stateMask = LVIS_SELECTED;
                SendMessageA(GetDlgItem(manage.GetHwnd(), IDC_TRACES_LIST), LVM_SETITEMSTATE,
                             static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            }
        })
        .WaitFor([&] { return harness::IsItemEnabled(manage.GetHwnd(), IDC_TRACES_MODIFY); })
        .Do([&] { harness::Click(manage.GetHwnd(), IDC_TRACES_MODIFY); })
        .WaitFor([] { return harness::FindThreadWindow(kMoveCaption) != nullptr; })
        .Do([&] {
            HWND move = harness::FindThreadWindow(kMoveCaption);
            summary = harness::GetItemText(move, IDC_TRACES_ACTIVITY_COUNT) + "|" +
                      harness::GetItemText(move, IDC_TRACES_ACTIVITY_TOTAL);
            harness::SelectComboItem(move, IDC_TRACES_ACTIVITY_TARGET, 1);
            harness::Click(move, IDC_TRACES_ACTIVITY_OK);
        })
        .WaitFor([] { return harness::FindThreadWindow(kMoveCaption) == nullptr; })
        .Do([&] {
            HWND dialog = manage.GetHwnd();
            for (int row = 0; row < harness::GetListRowCount(dialog, IDC_TRACES_LIST); ++row) {
                onB += harness::GetListCell(dialog, IDC_TRACES_LIST, row, 3) == "B" ? 1 : 0;
            }
            selected = static_cast<size_t>(
                SendMessageA(GetDlgItem(dialog, IDC_TRACES_LIST), LVM_GETSELECTEDCOUNT, 0, 0));
            harness::Click(dialog, IDC_TRACES_OK);
        });
    script.Run([&] { manage.Create(CTracesDlg::MakeParams(nullptr)); });
    EXPECT_EQ(summary, "1000|500:00:00");
    EXPECT_EQ(onB, 1001);
    EXPECT_EQ(selected, 1000u);
    CActivity* a = State()->GetRootActivity()->GetFirstChild();
    EXPECT_EQ(a->GetTallymarks().GetCount(), 0u);
    EXPECT_EQ(a->GetNextSibling()->GetTallymarks().GetCount(), 1001u);
}

} // namespace
