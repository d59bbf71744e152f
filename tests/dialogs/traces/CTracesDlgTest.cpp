#include "dialogs/CTracesDlg.h"

#include "TracesFixture.h"
#include "model/CTallymarksByDate.h"
#include "model/EProjectFileFormat.h"

#include <set>
#include <string>
#include <vector>

using harness::CUiScript;
using tracestest::CTracesFixture;

namespace {

const int kList = IDC_TRACES_LIST;
const char* const kMoveCaption = "Tallymarks - Modify tally mark activity";

class CTracesDlgTest : public CTracesFixture {
protected:
    int Run(CUiScript& script) {
        m_dialog.reset(); // its transaction ends before the next one opens
        m_dialog = std::make_unique<CTracesDlg>(m_project);
        int exitCode = -1;
        script.Run([&] { exitCode = m_dialog->Create(CTracesDlg::MakeParams(nullptr)); });
        return exitCode;
    }
    HWND Hwnd() const { return m_dialog->GetHwnd(); }
    HWND List() const { return GetDlgItem(Hwnd(), kList); }
    std::string Shown(UINT state = 0) const { return Rows(Hwnd(), kList, state); }

    // A click on the column's header, as the mouse gives it.
    void ClickHeader(int column) const {
        HWND header = reinterpret_cast<HWND>(SendMessageA(List(), LVM_GETHEADER, 0, 0));
        RECT rect = {};
        SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(header, WM_LBUTTONUP, 0, at);
    }
    // The header's sort picture: "<column>:<image>" of the one column that shows one.
    std::string SortPicture() const {
        HWND header = reinterpret_cast<HWND>(SendMessageA(List(), LVM_GETHEADER, 0, 0));
        std::string pictures;
        for (int column = 0; column < 4; ++column) {
            HDITEMA item = {};
            item.mask = HDI_FORMAT | HDI_IMAGE;
            SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column),
                         reinterpret_cast<LPARAM>(&item));
            if ((item.fmt & HDF_IMAGE) != 0) {
                pictures += std::to_string(column) + ":" + std::to_string(item.iImage) + " ";
            }
        }
        return pictures;
    }
    // Selects the rows and puts the focus on focusRow (none for -1), as clicks would.
    void Choose(std::initializer_list<int> rows, int focusRow) const {
        SetRowsState(Hwnd(), kList, rows, LVIS_SELECTED);
        LVITEMA focus = {};
        focus.stateMask = LVIS_FOCUSED;
        SendMessageA(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&focus));
        if (focusRow >= 0) {
            focus.state = LVIS_FOCUSED;
            SendMessageA(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(focusRow),
                         reinterpret_cast<LPARAM>(&focus));
        }
    }
    // Moves the chosen rows to the activity at comboIndex through the move dialog.
    void MoveChosen(CUiScript& script, int comboIndex) const {
        script.WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_TRACES_MODIFY); })
            .Do([&] { harness::Click(Hwnd(), IDC_TRACES_MODIFY); })
            .WaitFor([] { return harness::FindThreadWindow(kMoveCaption) != nullptr; })
            .Do([comboIndex] {
                HWND move = harness::FindThreadWindow(kMoveCaption);
                harness::SelectComboItem(move, IDC_TRACES_ACTIVITY_TARGET, comboIndex);
                harness::Click(move, IDC_TRACES_ACTIVITY_OK);
            })
            .WaitFor([] { return harness::FindThreadWindow(kMoveCaption) == nullptr; });
    }

    // The committed state's bytes as saved to the file name, read once the project holds
    // another file (it keeps its file open to writers).
    std::string SavedBytes(const std::string& name) const {
        for (const std::string& file : {name, name + ".next"}) {
            EXPECT_TRUE(m_project->Save(false, nullptr, (m_folder.Path() + "\\" + file).c_str(),
                                        pffBinary));
        }
        return m_folder.Read(name);
    }

    std::unique_ptr<CTracesDlg> m_dialog;
};

TEST_F(CTracesDlgTest, HeaderClicksStackTheSortKeys) {
    Build({"A", " A1", "B", "a"});
    Add("a", "A", 10, 12);
    Add("b", "B", 10); // open: ends last, lasts longest
    Add("c", "A1", 8, 13);
    Add("d", "a", 9, 10);
    Add("e", "B", 11, 9); // invalid: counts as the open one
    // After each click (-1: none): the rows and the header's picture (image 0 ascending,
    // 1 descending).
    const struct {
        int column;
        const char* rows;
        const char* picture;
    } steps[] = {
        {-1, "e b a d c ", "0:1 "}, // start desc, end desc, duration asc, activity asc
        {0, "c d b a e ", "0:0 "},  // start ascending; equal starts: the open one first
        {3, "a c b e d ", "3:0 "},  // paths as bytes: "A" < "A\A1" < "B" < "a"; then start
        {2, "d a c b e ", "2:0 "},  // duration; equal ones by activity, then start
        {2, "b e c a d ", "2:1 "},
        {1, "b e c a d ", "1:1 "}, // end descending, then duration, activity, start
        {1, "d a c b e ", "1:0 "},
    };
    CUiScript script;
    std::vector<std::string> shown, expected;
    for (const auto& step : steps) {
        script.Do([&] {
            if (step.column >= 0) {
                ClickHeader(step.column);
            }
            shown.push_back(Shown() + "| " + SortPicture());
        });
        expected.push_back(std::string(step.rows) + "| " + step.picture);
    }
    std::vector<std::string> cells;
    script.Do([&] {
        for (int row = 3; row <= 4; ++row) { // b and e
            cells.push_back(harness::GetListCell(Hwnd(), kList, row, 1) + "|" +
                            harness::GetListCell(Hwnd(), kList, row, 2));
        }
        harness::Click(Hwnd(), IDCANCEL);
    });
    Run(script);
    EXPECT_EQ(shown, expected);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0], "|working");
    EXPECT_NE(cells[1].find(" 09:00:00|invalid start!"), std::string::npos) << cells[1];
}

TEST_F(CTracesDlgTest, RemovingMovesTheFocusAsRowsGo) {
    Build({"A"});
    for (int i = 0; i < 5; ++i) {
        Add("t" + std::to_string(i), "A", i, i + 0.5); // rows t4 t3 t2 t1 t0
    }
    const struct {
        std::initializer_list<int> rows;
        int focus;
        WORD key; // 0: the Remove button
        const char* left;
        const char* selected; // also the focused one
    } cases[] = {
        {{1, 3}, 3, VK_DELETE, "t4 t2 t0 ", "t0 "}, // the focused row's place, less one
        {{4}, 4, VK_BACK, "t4 t3 t2 t1 ", "t1 "},   // beyond the end: the last row
        {{0, 1}, 2, 0, "t2 t1 t0 ", "t2 "},         // the focus stays where it was
        {{0, 1, 2, 3, 4}, 2, 0, "", ""},
        {{2}, -1, VK_DELETE, "t4 t3 t1 t0 ", ""}, // no focus: nothing selected afterwards
    };
    for (const auto& c : cases) {
        CUiScript script;
        std::string result;
        size_t indexed = 0;
        script.Do([&] { Choose(c.rows, c.focus); })
            .WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_TRACES_REMOVE); })
            .Do([&] {
                if (c.key != 0) {
                    SendMessageA(List(), WM_KEYDOWN, c.key, 0);
                } else {
                    harness::Click(Hwnd(), IDC_TRACES_REMOVE);
                }
            })
            .Do([&] {
                result = Shown() + "| " + Shown(LVIS_SELECTED) + "| " + Shown(LVIS_FOCUSED);
                indexed = m_dialog->GetState()->GetTallymarksByDate().GetCount();
                harness::Click(Hwnd(), IDCANCEL);
            });
        Run(script);
        EXPECT_EQ(result, std::string(c.left) + "| " + c.selected + "| " + c.selected)
            << "focus " << c.focus;
        EXPECT_EQ(indexed * 3, std::string(c.left).size());
        EXPECT_EQ(State()->GetTallymarksByDate().GetCount(), 5u) << "only the edit copy changes";
    }
}

TEST_F(CTracesDlgTest, OnlyOkCommitsTheEdits) {
    Build({"A", "B"});
    for (int i = 0; i < 8; ++i) {
        Add("t" + std::to_string(i), i % 2 == 0 ? "A" : "B", i, i + 0.75);
    }
    const std::string before = SavedBytes("before.wkp");
    ASSERT_GT(before.size(), 100u);
    // Each way out, after removing rows and moving others to B, then A.
    const struct {
        const char* name;
        std::function<void(HWND)> close;
        bool committed;
    } ways[] = {
        {"Cancel", [](HWND dialog) { harness::Click(dialog, IDCANCEL); }, false},
        {"close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
        {"Escape",
         [](HWND dialog) { PostMessageA(GetDlgItem(dialog, kList), WM_KEYDOWN, VK_ESCAPE, 0); },
         false},
        {"OK", [](HWND dialog) { harness::Click(dialog, IDC_TRACES_OK); }, true},
    };
    for (const auto& way : ways) {
        CUiScript script;
        script.Do([&] {
                  Choose({0, 5}, 0);
              })
            .WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_TRACES_REMOVE); })
            .Do([&] { SendMessageA(List(), WM_KEYDOWN, VK_DELETE, 0); })
            .Do([&] {
                Choose({0, 1, 2}, 1);
            });
        MoveChosen(script, 1);
        script.Do([&] { Choose({1, 3}, 3); });
        MoveChosen(script, 0);
        script.Do([&] { way.close(Hwnd()); });
        const int exitCode = Run(script);
        m_dialog.reset();
        EXPECT_EQ(SavedBytes(std::string(way.name) + ".wkp") == before, !way.committed) << way.name;
        EXPECT_EQ(exitCode, way.committed ? 0 : 1) << way.name;
        EXPECT_EQ(State()->GetTallymarksByDate().GetCount(), way.committed ? 6u : 8u) << way.name;
        EXPECT_EQ(m_project->GetStateCount(), 1u) << way.name;
    }
    // t7 and t2 went; t6, t5 and t4 moved to B, then t5 and t3 to A.
    CActivity* b = State()->GetRootActivity()->GetFirstChild()->GetNextSibling();
    EXPECT_EQ(b->GetTallymarks().GetCount(), 3u);
}

// The dialog that shows, once it is the one a person would use: the one holding the control.
HWND ActiveDialogWith(int controlId) {
    HWND active = harness::ActiveWindow();
    return active != nullptr && GetDlgItem(active, controlId) != nullptr ? active : nullptr;
}

TEST_F(CTracesDlgTest, SplitModifyAndNewGoThroughTheirDialogs) {
    Build({"A", "B"});
    Add("t0", "A", 0, 2);
    Add("t1", "A", 3, 5);
    Add("t2", "A", 6, 8);
    // Each row: start, end and activity cells (times only).
    auto shown = [&] {
        std::string rows;
        for (int row = 0; row < harness::GetListRowCount(Hwnd(), kList); ++row) {
            for (int column : {0, 1}) {
                const std::string cell = harness::GetListCell(Hwnd(), kList, row, column);
                rows += cell.substr(cell.size() >= 8 ? cell.size() - 8 : 0, 5) + " ";
            }
            rows += harness::GetListCell(Hwnd(), kList, row, 3) + ", ";
        }
        return rows;
    };
    auto through = [](CUiScript& script, int okId, std::function<void(HWND)> fill) {
        script.WaitFor([okId] { return ActiveDialogWith(okId) != nullptr; })
            .Do([okId, fill] {
                HWND dialog = ActiveDialogWith(okId);
                fill(dialog);
                harness::Click(dialog, okId);
            })
            .WaitFor([okId] { return ActiveDialogWith(okId) == nullptr; });
    };
    std::vector<std::string> steps;
    CUiScript script;
    script.Do([&] { ClickHeader(0); }).Do([&] { Choose({1}, 1); });
    script.WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_TRACES_SPLIT); }).Do([&] {
        harness::Click(Hwnd(), IDC_TRACES_SPLIT);
    });
    through(script, IDC_SPLIT_OK,
            [](HWND split) { harness::SelectComboItem(split, IDC_SPLIT_SECOND_ACTIVITY, 1); });
    script.Do([&] { steps.push_back(shown()); }).Do([&] { Choose({0}, 0); });
    script.WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_TRACES_MODIFY); }).Do([&] {
        harness::Click(Hwnd(), IDC_TRACES_MODIFY);
    });
    through(script, IDC_TRACE_OK,
            [](HWND trace) { harness::SelectComboItem(trace, IDC_TRACE_ACTIVITY, 1); });
    script.Do([&] {
        steps.push_back(shown());
        SendMessageA(List(), WM_KEYDOWN, VK_INSERT, 0);
    });
    through(script, IDC_TRACE_OK,
            [](HWND trace) { harness::SelectComboItem(trace, IDC_TRACE_ACTIVITY, 0); });
    int rows = 0, focused = -1;
    size_t selected = 0;
    script.Do([&] {
        rows = harness::GetListRowCount(Hwnd(), kList);
        selected = static_cast<size_t>(SendMessageA(List(), LVM_GETSELECTEDCOUNT, 0, 0));
        focused = static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                MAKELPARAM(LVNI_FOCUSED, 0)));
        // By activity, then start: first part, 06:00, new | 00:00, 04:00 on B.
        ClickHeader(3);
    });
    // The 06:00 row moves to B: among the sorted rows it goes to its place, the last.
    script.Do([&] { Choose({1}, 1); })
        .WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_TRACES_MODIFY); })
        .Do([&] { harness::Click(Hwnd(), IDC_TRACES_MODIFY); });
    through(script, IDC_TRACE_OK,
            [](HWND trace) { harness::SelectComboItem(trace, IDC_TRACE_ACTIVITY, 1); });
    std::string activities, moved;
    script.Do([&] {
        for (int row = 0; row < harness::GetListRowCount(Hwnd(), kList); ++row) {
            activities += harness::GetListCell(Hwnd(), kList, row, 3);
        }
        moved = Shown(LVIS_FOCUSED) + Shown(LVIS_SELECTED) +
                std::to_string(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                            MAKELPARAM(LVNI_FOCUSED, 0)));
        harness::Click(Hwnd(), IDC_TRACES_OK);
    });
    Run(script);
    EXPECT_EQ(activities, "AABBB");
    EXPECT_EQ(moved, "t2 t2 4");
    // Split at the middle: the first part stands right below the split one, out of order.
    // Modifying sorts again.
    EXPECT_EQ(steps, (std::vector<std::string>{
                         "00:00 02:00 A, 04:00 05:00 B, 03:00 04:00 A, 06:00 08:00 A, ",
                         "00:00 02:00 B, 03:00 04:00 A, 04:00 05:00 B, 06:00 08:00 A, "}));
    // The new one, today, is the latest start: last, alone selected, focused.
    EXPECT_EQ(rows, 5);
    EXPECT_EQ(selected, 1u);
    EXPECT_EQ(focused, 4);
    EXPECT_EQ(State()->GetTallymarksByDate().GetCount(), 5u);
}

} // namespace
