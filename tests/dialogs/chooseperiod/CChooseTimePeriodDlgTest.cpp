#include "dialogs/CChooseTimePeriodDlg.h"

#include "../chooseactivities/ChooserFixture.h"
#include "app/ui/DescriptionTexts.h"
#include "dialogs/PeriodPresets.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

using harness::CUiScript;

namespace {

// "Now" for the dialog, in local time: Monday 1 April 2024 10:15:30, the day after the
// change to summer time in central Europe.
CDateTime s_now;
CDateTime FixedNow(bool utc) {
    return utc ? s_now.LocalToUtc() : s_now;
}

CDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    CDateTime value;
    value.SetDateTime(year, month, day, hour, minute, second);
    return value;
}

std::string Text(const CDateTime& value) {
    return value.IsValid() ? value.Format("%Y-%m-%d %H:%M:%S") : "invalid";
}

TEST(PeriodPresetsTest, EdgesOfMonthsWeeksAndTheProject) {
    SPeriodPresetBasis basis;
    basis.now = At(2024, 1, 15, 8, 0, 0);
    CDateTime start = At(2000, 1, 1), end = start;
    ASSERT_TRUE(ApplyPeriodPreset(EPeriodPreset::PrevMonth, basis, start, end));
    EXPECT_EQ(Text(start) + " " + Text(end), "2023-12-01 00:00:00 2024-01-01 00:00:00");

    basis.now = At(2024, 3, 31, 12, 0, 0); // a Sunday
    for (const auto& week : {std::make_pair(1, "2024-03-25 00:00:00 2024-04-01 00:00:00"),
                             std::make_pair(0, "2024-03-31 00:00:00 2024-04-07 00:00:00")}) {
        basis.firstDayOfWeek = week.first;
        ASSERT_TRUE(ApplyPeriodPreset(EPeriodPreset::ThisWeek, basis, start, end));
        EXPECT_EQ(Text(start) + " " + Text(end), week.second) << week.first;
    }

    // While working the entire project ends now.
    basis.hasData = basis.working = true;
    basis.firstAvailable = At(2024, 2, 1, 9, 0, 0);
    basis.lastAvailable = At(2024, 3, 1);
    ASSERT_TRUE(ApplyPeriodPreset(EPeriodPreset::EntireProject, basis, start, end));
    EXPECT_EQ(Text(start) + " " + Text(end), "2024-02-01 09:00:00 2024-03-31 12:00:00");
}

class CChooseTimePeriodDlgTest : public choosertest::CChooserFixture {
protected:
    CChooseTimePeriodDlgTest() {
        s_now = At(2024, 4, 1, 10, 15, 30);
        CDateTime::SetNowSource(&FixedNow);
        m_app->GetSetDateTime().GetFirstDayOfWeek() = 1;
        Build({"A", "B"});
    }
    ~CChooseTimePeriodDlgTest() override { CDateTime::SetNowSource(nullptr); }

    // Runs the dialog on the period while the script runs; the exit code.
    int Run(CUiScript& script, const CDateTime& start = CTallymark::GetNullDate(),
            const CDateTime& end = CTallymark::GetNullDate()) {
        m_dialog = std::make_unique<CChooseTimePeriodDlg>(*m_project, *State(), start, end);
        int exitCode = -1;
        script.Run([&] { exitCode = m_dialog->Create(CChooseTimePeriodDlg::MakeParams(nullptr)); });
        return exitCode;
    }
    HWND Hwnd() const { return m_dialog->GetHwnd(); }
    // The period as the controls show it: "<start> <end>".
    std::string Shown() const {
        return Text(Read(IDC_PERIOD_START_DATE, IDC_PERIOD_START_HOURS)) + " " +
               Text(Read(IDC_PERIOD_END_DATE, IDC_PERIOD_END_HOURS));
    }
    CDateTime Read(int calendar, int firstField) const {
        SYSTEMTIME day = {};
        SendDlgItemMessageA(Hwnd(), calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
        CDateTime value;
        value.SetDateTime(day.wYear, day.wMonth, day.wDay,
                          std::stoi(harness::GetItemText(Hwnd(), firstField)),
                          std::stoi(harness::GetItemText(Hwnd(), firstField + 1)),
                          std::stoi(harness::GetItemText(Hwnd(), firstField + 2)));
        return value;
    }
    // A day picked in a calendar, as the control reports a click.
    void PickDay(int calendar, const CDateTime& day) {
        SYSTEMTIME picked = day.GetAsSystemTime();
        HWND control = GetDlgItem(Hwnd(), calendar);
        SendMessageA(control, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&picked));
        NMSELCHANGE change = {};
        change.nmhdr = {control, static_cast<UINT_PTR>(calendar), MCN_SELCHANGE};
        change.stSelStart = change.stSelEnd = picked;
        SendMessageA(Hwnd(), WM_NOTIFY, static_cast<WPARAM>(calendar),
                     reinterpret_cast<LPARAM>(&change));
    }
    bool OkEnabled() const { return harness::IsItemEnabled(Hwnd(), IDC_PERIOD_OK); }
    std::string Period() const {
        CDateTime start, end;
        m_dialog->GetPeriod(start, end);
        return Text(start) + " " + Text(end);
    }

    std::unique_ptr<CChooseTimePeriodDlg> m_dialog;
};

TEST_F(CChooseTimePeriodDlgTest, EveryPresetButtonSetsItsPeriod) {
    // A closed tally mark across the change to summer time (UTC).
    AddTallymark("A", At(2024, 3, 30, 22, 0, 0).GetValue(), At(2024, 3, 31, 3, 0, 0).GetValue());
    const std::string project = Text(At(2024, 3, 30, 22, 0, 0).UtcToLocal()) + " " +
                                Text(At(2024, 3, 31, 3, 0, 0).UtcToLocal());
    const std::vector<std::pair<int, std::string>> presets = {
        {IDC_PERIOD_ENTIRE_PROJECT, project},
        {IDC_PERIOD_THIS_YEAR, "2024-01-01 00:00:00 2025-01-01 00:00:00"},
        {IDC_PERIOD_PREV_YEAR, "2023-01-01 00:00:00 2024-01-01 00:00:00"},
        {IDC_PERIOD_THIS_MONTH, "2024-04-01 00:00:00 2024-05-01 00:00:00"},
        {IDC_PERIOD_PREV_MONTH, "2024-03-01 00:00:00 2024-04-01 00:00:00"},
        {IDC_PERIOD_THIS_WEEK, "2024-04-01 00:00:00 2024-04-08 00:00:00"},
        {IDC_PERIOD_PREV_WEEK, "2024-03-25 00:00:00 2024-04-01 00:00:00"},
        {IDC_PERIOD_TODAY, "2024-04-01 00:00:00 2024-04-02 00:00:00"},
        {IDC_PERIOD_YESTERDAY, "2024-03-31 00:00:00 2024-04-01 00:00:00"},
        {IDC_PERIOD_THIS_HOUR, "2024-04-01 10:00:00 2024-04-01 11:00:00"},
        {IDC_PERIOD_PREV_HOUR, "2024-04-01 09:00:00 2024-04-01 10:00:00"},
        {IDC_PERIOD_SET_TO_NOW, "2024-04-01 09:00:00 2024-04-01 10:15:30"},
    };
    CUiScript script;
    std::string opened;
    std::vector<std::string> shown, expected;
    script.Do([&] { opened = Shown(); });
    for (const auto& preset : presets) {
        script.Do([&] { harness::Click(Hwnd(), preset.first); }).Do([&] {
            shown.push_back(Shown() + (OkEnabled() ? "" : " OK off"));
        });
        expected.push_back(preset.second);
    }
    script.Do([&] { harness::Click(Hwnd(), IDC_PERIOD_OK); });
    EXPECT_EQ(Run(script), 0);
    EXPECT_EQ(opened, "2024-04-01 00:00:00 2024-04-02 00:00:00");
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(m_dialog->IsCancelled());
    EXPECT_EQ(Period(), expected.back());
}

TEST_F(CChooseTimePeriodDlgTest, OkStaysOffWhileTheStartOrEndIsInvalidOrTheEndInTheFuture) {
    // Each edit of the controls and whether OK may then be pressed.
    const std::vector<std::pair<std::function<void()>, bool>> steps = {
        {[&] { harness::SetItemText(Hwnd(), IDC_PERIOD_END_SECONDS, ""); }, false},
        {[&] { harness::SetItemText(Hwnd(), IDC_PERIOD_END_SECONDS, "7"); }, true},
        {[&] { harness::SetItemText(Hwnd(), IDC_PERIOD_START_HOURS, "99"); }, false},
        {[&] { harness::SetItemText(Hwnd(), IDC_PERIOD_START_HOURS, "3"); }, true},
        {[&] { harness::SetItemText(Hwnd(), IDC_PERIOD_START_HOURS, "1"); }, true},
        {[&] { harness::SetItemText(Hwnd(), IDC_PERIOD_START_SECONDS, "7"); }, false}, // empty
        {[&] { PickDay(IDC_PERIOD_END_DATE, At(2024, 4, 2)); }, false}, // after now, working
        {[&] { harness::Click(Hwnd(), IDC_PERIOD_SET_TO_NOW); }, true},
        {[&] { harness::SetItemText(Hwnd(), IDC_PERIOD_END_HOURS, ""); }, false},
    };
    m_a["B"]->StartTallymark();
    CUiScript script;
    std::vector<bool> enabled, expected;
    std::string invalidText;
    for (const auto& step : steps) {
        script.Do(step.first).Do([&] { enabled.push_back(OkEnabled()); });
        expected.push_back(step.second);
    }
    script
        .Do([&] {
            invalidText = harness::GetItemText(Hwnd(), IDC_PERIOD_CHOSEN);
            // A click that reaches the disabled button, and its id without the button.
            HWND ok = GetDlgItem(Hwnd(), IDC_PERIOD_OK);
            SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PERIOD_OK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(ok));
            harness::SetItemText(Hwnd(), IDC_PERIOD_END_HOURS, "10");
            SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PERIOD_OK, BN_CLICKED), 0);
        })
        .Do([&] { harness::Click(Hwnd(), IDCANCEL); });
    EXPECT_EQ(Run(script, At(2024, 3, 29, 0, 0, 0), At(2024, 3, 29, 1, 0, 0)), 0);
    EXPECT_EQ(enabled, expected);
    EXPECT_EQ(invalidText, "No choice made");
    EXPECT_TRUE(m_dialog->IsCancelled());
}

TEST_F(CChooseTimePeriodDlgTest, AnEndBeforeTheStartIsSwitchedOnlyWhenTheUserAgrees) {
    CUiScript script;
    std::string chosenText;
    script.Do([&] { PickDay(IDC_PERIOD_END_DATE, At(2024, 3, 20)); })
        .Do([&] {
            chosenText = harness::GetItemText(Hwnd(), IDC_PERIOD_CHOSEN);
            harness::Click(Hwnd(), IDC_PERIOD_OK);
        })
        .AnswerMessageBox(IDCANCEL, "switch the starting and ending date")
        .Do([&] { harness::Click(Hwnd(), IDC_PERIOD_OK); })
        .AnswerMessageBox(IDOK, "switch the starting and ending date");
    EXPECT_EQ(Run(script, At(2024, 3, 25, 8, 0, 0), At(2024, 3, 26, 17, 30, 0)), 0);
    EXPECT_EQ(chosenText,
              FormatPeriodDescription(1, At(2024, 3, 20, 17, 30, 0), At(2024, 3, 25, 8, 0, 0)));
    ASSERT_EQ(script.GetMessageBoxes().size(), 2u);
    EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Starting date past ending date");
    EXPECT_EQ(script.GetMessageBoxes()[0].icon, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(Period(), "2024-03-20 17:30:00 2024-03-25 08:00:00");
}

TEST_F(CChooseTimePeriodDlgTest, ClosingTheProjectEndsTheDialogCancelled) {
    AddTallymark("A", At(2024, 3, 1, 8, 0, 0).GetValue(), At(2024, 3, 1, 9, 0, 0).GetValue());
    CUiScript script;
    script.Do([&] { m_app->GetProjects().Close(m_project, true); });
    Run(script);
    EXPECT_TRUE(m_dialog->IsCancelled());
}

TEST_F(CChooseTimePeriodDlgTest, WithoutDataTheEntireProjectIsOffAndThePositionIsKept) {
    CUiScript script;
    std::string available;
    bool entireProject = true;
    script
        .Do([&] {
            available = harness::GetItemText(Hwnd(), IDC_PERIOD_AVAILABLE);
            entireProject = harness::IsItemEnabled(Hwnd(), IDC_PERIOD_ENTIRE_PROJECT);
            SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PERIOD_ENTIRE_PROJECT, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(Hwnd(), IDC_PERIOD_ENTIRE_PROJECT)));
            SetWindowPos(Hwnd(), nullptr, 70, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        })
        .Do([&] { PostMessageA(Hwnd(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(Run(script), 0);
    EXPECT_EQ(available, "No time registration data available in project");
    EXPECT_FALSE(entireProject);
    EXPECT_TRUE(m_dialog->IsCancelled());
    EXPECT_EQ(Period(), "2024-04-01 00:00:00 2024-04-02 00:00:00");
    int32_t x = 0, y = 0;
    m_app->GetSetDialogPosNSize().GetPosition(SlotIndex(CChooseTimePeriodDlg::kIdentity.slot), x,
                                              y);
    EXPECT_EQ(x, 70);
    EXPECT_EQ(y, 50);
}

} // namespace
