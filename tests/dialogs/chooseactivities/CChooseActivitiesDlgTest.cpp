#include "dialogs/CChooseActivitiesDlg.h"

#include "ChooserFixture.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <set>
#include <string>
#include <vector>

using harness::CUiScript;

namespace {

class CChooseActivitiesDlgTest : public choosertest::CChooserFixture {
protected:
    CChooseActivitiesDlgTest() { Build({"A", " A1", "  A1a", " A2", "B", " B1", "C"}); }

    // Runs the dialog on the chosen set while the script runs; the exit code.
    int Run(CUiScript& script, const std::set<CActivity*>& chosen = {}) {
        m_dialog = std::make_unique<CChooseActivitiesDlg>(*m_project, *State(), chosen,
                                                          IDS_CHOOSE_ACTS_REPORT);
        int exitCode = -1;
        script.Run([&] { exitCode = m_dialog->Create(CChooseActivitiesDlg::MakeParams(nullptr)); });
        return exitCode;
    }
    HWND Hwnd() const { return m_dialog->GetHwnd(); }
    std::string Count() const { return harness::GetItemText(Hwnd(), IDC_CHOOSE_ACTS_COUNT); }
    // The names of the ticked rows, in row order.
    std::string Ticked() const {
        std::string names;
        for (int row = 0; row < harness::GetListRowCount(Hwnd(), IDC_CHOOSE_ACTS_LIST); ++row) {
            if (harness::IsListRowChecked(Hwnd(), IDC_CHOOSE_ACTS_LIST, row)) {
                names += harness::GetListCell(Hwnd(), IDC_CHOOSE_ACTS_LIST, row, 0) + " ";
            }
        }
        return names;
    }
    std::set<CActivity*> Chosen() const {
        std::set<CActivity*> chosen = {m_a.at("C")}; // overwritten by GetChosenActivities
        m_dialog->GetChosenActivities(chosen);
        return chosen;
    }

    std::unique_ptr<CChooseActivitiesDlg> m_dialog;
};

TEST_F(CChooseActivitiesDlgTest, ButtonsTickRowsAndTheCountFollows) {
    // Each step: what is done, then the ticked rows and the count line it must give.
    struct SStep {
        int row; // selected first when not -1
        int button;
        const char* ticked;
        const char* count;
    };
    const SStep steps[] = {
        {-1, IDC_CHOOSE_ACTS_ADD_ALL, "A A1 A1a A2 B B1 C ", "7 of 7 activities"},
        {-1, IDC_CHOOSE_ACTS_REMOVE_ALL, "", "0 of 7 activities"},
        {0, IDC_CHOOSE_ACTS_ADD_BRANCH, "A A1 A1a A2 ", "4 of 7 activities"},
        {2, IDC_CHOOSE_ACTS_REMOVE_BRANCH, "A A1 A2 ", "3 of 7 activities"},
        {-1, IDC_CHOOSE_ACTS_INVERT, "A1a B B1 C ", "4 of 7 activities"},
        {-1, IDC_CHOOSE_ACTS_INVERT, "A A1 A2 ", "3 of 7 activities"},
        {6, IDC_CHOOSE_ACTS_ADD_BRANCH, "A A1 A2 C ", "4 of 7 activities"},
        {0, IDC_CHOOSE_ACTS_REMOVE_BRANCH, "C ", "1 of 7 activity"},
    };
    CUiScript script;
    std::vector<std::string> shown, expected;
    script.Do([&] { shown.push_back(Ticked() + "| " + Count()); });
    for (const SStep& step : steps) {
        if (step.row >= 0) {
            script.Do([&] { harness::SelectListRow(Hwnd(), IDC_CHOOSE_ACTS_LIST, step.row); })
                .WaitFor(
                    [&] { return harness::IsItemEnabled(Hwnd(), IDC_CHOOSE_ACTS_ADD_BRANCH); });
        }
        script.Do([&] { harness::Click(Hwnd(), step.button); }).Do([&] {
            shown.push_back(Ticked() + "| " + Count());
        });
        expected.push_back(std::string(step.ticked) + "| " + step.count);
    }
    script.Do([&] { harness::Click(Hwnd(), IDC_CHOOSE_ACTS_OK); });
    expected.insert(expected.begin(), "| 0 of 7 activities");

    EXPECT_EQ(Run(script), 0);
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(m_dialog->IsCancelled());
    EXPECT_EQ(Chosen(), std::set<CActivity*>({m_a["C"]}));
}

TEST_F(CChooseActivitiesDlgTest, UserTicksCountAndNoSelectionDisablesTheBranchButtons) {
    CUiScript script;
    std::string instruction;
    bool branchEnabledWithoutSelection = true;
    script
        .Do([&] {
            instruction = harness::GetItemText(Hwnd(), IDC_CHOOSE_ACTS_INSTRUCTION);
            // A tick by the user, as the list's check box gives it.
            LVITEMA item = {};
            item.stateMask = LVIS_STATEIMAGEMASK;
            item.state = INDEXTOSTATEIMAGEMASK(2);
            SendDlgItemMessageA(Hwnd(), IDC_CHOOSE_ACTS_LIST, LVM_SETITEMSTATE, 5,
                                reinterpret_cast<LPARAM>(&item));
            item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            item.state = 0;
            SendDlgItemMessageA(Hwnd(), IDC_CHOOSE_ACTS_LIST, LVM_SETITEMSTATE,
                                static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        })
        .WaitFor([&] { return Count() == "3 of 7 activities"; })
        .WaitFor([&] { return !harness::IsItemEnabled(Hwnd(), IDC_CHOOSE_ACTS_ADD_BRANCH); })
        .Do([&] {
            branchEnabledWithoutSelection =
                harness::IsItemEnabled(Hwnd(), IDC_CHOOSE_ACTS_REMOVE_BRANCH);
            harness::Click(Hwnd(), IDC_CHOOSE_ACTS_OK);
        });
    // The caller's set may hold an activity that is not in the tree: it is not counted.
    CActivity stranger(State(), "Stranger", true);
    EXPECT_EQ(Run(script, {m_a["A1"], m_a["C"], &stranger}), 0);
    EXPECT_EQ(instruction, "Choose the activities from which you want to generate a report:");
    EXPECT_FALSE(branchEnabledWithoutSelection);
    EXPECT_EQ(Chosen(), std::set<CActivity*>({m_a["A1"], m_a["B1"], m_a["C"]}));
}

TEST_F(CChooseActivitiesDlgTest, OnlyTheOkButtonAccepts) {
    // Cancel, closing the window, and commands that carry OK's id without coming from the
    // button (a menu or accelerator, a click on the disabled button) leave the caller's set.
    const std::vector<std::function<void(HWND)>> endings = {
        [](HWND dialog) { harness::Click(dialog, IDCANCEL); },
        [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); },
        [](HWND dialog) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CHOOSE_ACTS_OK, BN_CLICKED), 0);
            HWND ok = GetDlgItem(dialog, IDC_CHOOSE_ACTS_OK);
            EnableWindow(ok, FALSE);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CHOOSE_ACTS_OK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(ok));
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        },
    };
    for (size_t i = 0; i < endings.size(); ++i) {
        CUiScript script;
        script.Do([&] { harness::Click(Hwnd(), IDC_CHOOSE_ACTS_REMOVE_ALL); }).Do([&] {
            endings[i](Hwnd());
        });
        EXPECT_EQ(Run(script, {m_a["A"]}), 1) << i;
        EXPECT_TRUE(m_dialog->IsCancelled()) << i;
        EXPECT_EQ(Chosen(), std::set<CActivity*>({m_a["A"]})) << i;
    }
}

TEST_F(CChooseActivitiesDlgTest, ClosingTheProjectEndsTheDialogCancelled) {
    CUiScript script;
    script.Do([&] { m_app->GetProjects().Close(m_project, true); });
    EXPECT_EQ(Run(script, {m_a["A"]}), 1);
    EXPECT_TRUE(m_dialog->IsCancelled());
    EXPECT_TRUE(Chosen().empty());
}

TEST_F(CChooseActivitiesDlgTest, WindowRectangleAndColumnWidthPersist) {
    RECT first = {}, second = {};
    int firstWidth = 0, secondWidth = 0;
    CUiScript script;
    script
        .Do([&] {
            SetWindowPos(Hwnd(), nullptr, 40, 30, 620, 480, SWP_NOZORDER);
            SendDlgItemMessageA(Hwnd(), IDC_CHOOSE_ACTS_LIST, LVM_SETCOLUMNWIDTH, 0, 233);
            GetWindowRect(Hwnd(), &first);
            firstWidth = static_cast<int>(
                SendDlgItemMessageA(Hwnd(), IDC_CHOOSE_ACTS_LIST, LVM_GETCOLUMNWIDTH, 0, 0));
        })
        .Do([&] { harness::Click(Hwnd(), IDCANCEL); });
    Run(script);
    CUiScript again;
    again
        .Do([&] {
            GetWindowRect(Hwnd(), &second);
            secondWidth = static_cast<int>(
                SendDlgItemMessageA(Hwnd(), IDC_CHOOSE_ACTS_LIST, LVM_GETCOLUMNWIDTH, 0, 0));
        })
        .Do([&] { harness::Click(Hwnd(), IDCANCEL); });
    Run(again);
    EXPECT_EQ(firstWidth, 233);
    EXPECT_EQ(secondWidth, 233);
    EXPECT_TRUE(EqualRect(&first, &second))
        << second.left << "," << second.top << " " << second.right << "," << second.bottom;
    EXPECT_EQ(m_app->GetSetChooseActivitiesDlg().GetColumnWidths().at(0), 233);
}

} // namespace
