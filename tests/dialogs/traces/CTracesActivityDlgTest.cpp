#include "dialogs/CTracesActivityDlg.h"

#include "TracesFixture.h"
#include "library/datetime/CDateTimeFormat.h"

#include <set>
#include <string>

using namespace tracestest;

namespace {

// "Now" for the dialog, in hours after kDay; a test moves it on.
double s_nowHours = 0.0;
CDateTime PinnedNow(bool utc) {
    const CDateTime now(kDay + s_nowHours * kHour);
    return utc ? now : now.UtcToLocal();
}

class CTracesActivityDlgTest : public CTracesFixture {
protected:
    CTracesActivityDlgTest() {
        s_nowHours = 10.0;
        CDateTime::SetNowSource(&PinnedNow);
        Build({"A", "B", "-D"});
    }
    ~CTracesActivityDlgTest() override { CDateTime::SetNowSource(nullptr); }

    void RunMove(CUiScript& script, const std::set<CTallymark*>& selection) {
        m_move = std::make_unique<CTracesActivityDlg>(m_project, State(), &selection);
        SDialogParams params;
        params.dialogId = IDD_TRACES_ACTIVITY;
        m_app->SetDialogModules(params);
        script.Run([&] { m_move->Create(params); });
    }
    HWND Move() const { return m_move->GetHwnd(); }
    // Count, first start, last end, total and the used activities (sorted).
    std::string Summary() const {
        std::string shown;
        for (int id : {IDC_TRACES_ACTIVITY_COUNT, IDC_TRACES_ACTIVITY_FIRST_START,
                       IDC_TRACES_ACTIVITY_LAST_END, IDC_TRACES_ACTIVITY_TOTAL}) {
            shown += harness::GetItemText(Move(), id) + "|";
        }
        HWND used = GetDlgItem(Move(), IDC_TRACES_ACTIVITY_USED);
        std::set<std::string> paths;
        for (WPARAM i = 0; i < static_cast<WPARAM>(SendMessageA(used, LB_GETCOUNT, 0, 0)); ++i) {
            char path[64] = {};
            SendMessageA(used, LB_GETTEXT, i, reinterpret_cast<LPARAM>(path));
            paths.insert(path);
        }
        for (const std::string& path : paths) {
            shown += path + " ";
        }
        return shown;
    }
    static std::string Shown(double utcHours) {
        const CDateTimeFormat& formats = CDateTimeFormat::Instance();
        return CDateTime(kDay + utcHours * kHour)
            .UtcToLocal()
            .FormatDateTime(formats.GetWeekdayDateFormat(), formats.GetTimeOfDayFormat());
    }

    std::unique_ptr<CTracesActivityDlg> m_move;
};

TEST_F(CTracesActivityDlgTest, SummarisesTheClosedTallymarksAndCountsTheRunningOneLive) {
    CTallymark* x = Add("x", "A", 1, 2);
    const std::set<CTallymark*> closed = {x, Add("y", "A", 3, 5), Add("z", "B", 2, 2.5)};
    // Running since an hour before now: the total grows with the clock.
    const std::set<CTallymark*> withRunning = {x, Add("r", "B", s_nowHours - 1.0)};
    std::string summaries[2];
    for (int i = 0; i < 2; ++i) {
        CUiScript script;
        script.Do([&] { summaries[i] = Summary(); });
        if (i == 1) {
            script.Do([] { s_nowHours += 0.5; })
                .WaitFor(
                    [&] {
                        return harness::GetItemText(Move(), IDC_TRACES_ACTIVITY_TOTAL) ==
                               "02:30:00";
                    },
                    5000, "the total counting the half hour that passed");
        }
        script.Do([&] { harness::Click(Move(), IDCANCEL); });
        RunMove(script, i == 0 ? closed : withRunning);
        EXPECT_TRUE(m_move->IsCancelled());
    }
    EXPECT_EQ(summaries[0], "3|" + Shown(1) + "|" + Shown(5) + "|03:30:00|A B ");
    EXPECT_EQ(summaries[1], "2|" + Shown(1) + "|still working|02:00:00|A B ");
    EXPECT_EQ(m_a.at("B")->GetTallymarks().GetCount(), 2u) << "Cancel moves nothing";
}

TEST_F(CTracesActivityDlgTest, RefusesADisabledTarget) {
    CUiScript script;
    script.Do([&] { harness::SelectComboItem(Move(), IDC_TRACES_ACTIVITY_TARGET, 2); })
        .Do([&] { harness::Click(Move(), IDC_TRACES_ACTIVITY_OK); })
        .AnswerMessageBox(IDOK, "You cannot book hours on the chosen activity.")
        .Do([&] { harness::Click(Move(), IDCANCEL); });
    RunMove(script, {Add("x", "A", 1, 2), Add("y", "B", 3, 5)});
    ASSERT_EQ(script.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Invalid activity");
    EXPECT_EQ(script.GetMessageBoxes()[0].icon, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_TRUE(m_move->IsCancelled());
    EXPECT_EQ(m_a.at("D")->GetTallymarks().GetCount(), 0u);
}

TEST_F(CTracesActivityDlgTest, MovesAThousandSelectedRowsFromTheManageDialog) {
    for (int i = 0; i < 1000; ++i) {
        Add("t", "A", i, i + 0.5);
    }
    Add("b", "B", -2, -1); // the last row, left out of the selection
    std::string summary, onB;
    CUiScript script(60000);
    script.Do([&] {
        Choose({-1}, 0);
        LVITEMA last = {};
        last.stateMask = LVIS_SELECTED;
        ToList(LVM_SETITEMSTATE, 1000, &last);
    });
    Through(script, IDC_TRACES_MODIFY, IDC_TRACES_ACTIVITY_OK, [&](HWND move) {
        summary = harness::GetItemText(move, IDC_TRACES_ACTIVITY_COUNT) + "|" +
                  harness::GetItemText(move, IDC_TRACES_ACTIVITY_TOTAL);
        harness::SelectComboItem(move, IDC_TRACES_ACTIVITY_TARGET, 1);
    });
    script.Do([&] {
        for (int row = 0; row < harness::GetListRowCount(Hwnd(), IDC_TRACES_LIST); ++row) {
            onB += harness::GetListCell(Hwnd(), IDC_TRACES_LIST, row, 3);
        }
        onB += " " + std::to_string(ToList(LVM_GETSELECTEDCOUNT, 0));
        harness::Click(Hwnd(), IDC_TRACES_OK);
    });
    Run(script);
    EXPECT_EQ(summary, "1000|500:00:00");
    EXPECT_EQ(onB, std::string(1001, 'B') + " 1000");
    EXPECT_EQ(State()->GetRootActivity()->GetFirstChild()->GetTallymarks().GetCount(), 0u);
}

} // namespace
