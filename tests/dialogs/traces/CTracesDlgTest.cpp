#include "TracesFixture.h"
#include "model/CClockNotices.h"
#include "model/CTallymarksByDate.h"
#include "model/CTickClock.h"
#include "model/EProjectFileFormat.h"

#include <string>
#include <vector>

using namespace tracestest;

namespace {

using CTracesDlgTest = CTracesFixture;

TEST_F(CTracesDlgTest, HeaderClicksStackTheSortKeys) {
    Build({"A", " A1", "B", "a"});
    Add("a", "A", 10, 12);
    Add("b", "B", 10); // open: ends last, lasts longest
    Add("c", "A1", 8, 13);
    Add("d", "a", 9, 10);
    Add("e", "B", 11, 9); // invalid: counts as the open one
    // After each header click (-1: none): the rows and "column:image" of the header picture.
    const std::vector<std::pair<int, std::string>> steps = {
        {-1, "e b a d c | 0:1"}, // start desc, end desc, duration asc, activity asc
        {0, "c d b a e | 0:0"},  // equal starts: the open one first (end desc)
        {3, "a c b e d | 3:0"},  // paths as bytes: "A" < "A\A1" < "B" < "a"; then start
        {2, "d a c b e | 2:0"},  // equal durations: by activity, then start
        {2, "b e c a d | 2:1"},  {1, "b e c a d | 1:1"}, {1, "d a c b e | 1:0"},
    };
    CUiScript script;
    std::vector<std::string> shown, expected, cells;
    for (const auto& step : steps) {
        script.Do([&] {
            if (step.first >= 0) {
                ClickHeader(step.first);
            }
            std::string picture;
            HWND header = reinterpret_cast<HWND>(ToList(LVM_GETHEADER, 0));
            for (int column = 0; column < 4; ++column) {
                HDITEMA item = {};
                item.mask = HDI_FORMAT | HDI_IMAGE;
                SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column),
                             reinterpret_cast<LPARAM>(&item));
                if ((item.fmt & HDF_IMAGE) != 0) {
                    picture += std::to_string(column) + ":" + std::to_string(item.iImage);
                }
            }
            shown.push_back(Shown() + "| " + picture);
        });
        expected.push_back(step.second);
    }
    script.Do([&] {
        for (int row = 3; row <= 4; ++row) { // b and e: end and duration
            cells.push_back(harness::GetListCell(Hwnd(), IDC_TRACES_LIST, row, 1) + "|" +
                            harness::GetListCell(Hwnd(), IDC_TRACES_LIST, row, 2));
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
        const char* selected; // and focused
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
                    ToList(WM_KEYDOWN, c.key);
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
        EXPECT_EQ(result, std::string(c.left) + "| " + c.selected + "| " + c.selected) << c.focus;
        EXPECT_EQ(indexed * 3, std::string(c.left).size());
        EXPECT_EQ(State()->GetTallymarksByDate().GetCount(), 5u) << "only the edit copy changes";
    }
}

TEST_F(CTracesDlgTest, OnlyOkCommitsTheEdits) {
    Build({"A", "B"});
    for (int i = 0; i < 8; ++i) {
        Add("t" + std::to_string(i), i % 2 == 0 ? "A" : "B", i, i + 0.75);
    }
    // The committed state as saved to the file, read once the project holds another file
    // (it keeps its own file closed to others).
    auto saved = [&](const std::string& name) {
        for (const std::string& file : {name, name + ".next"}) {
            EXPECT_TRUE(m_project->Save(false, nullptr, (m_folder.Path() + "\\" + file).c_str(),
                                        pffBinary));
        }
        return m_folder.Read(name);
    };
    const std::string before = saved("before.wkp");
    ASSERT_GT(before.size(), 100u);
    const std::vector<std::pair<std::string, std::function<void(HWND)>>> ways = {
        {"Cancel", [](HWND dialog) { harness::Click(dialog, IDCANCEL); }},
        {"close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Escape",
         [](HWND dialog) {
             PostMessageA(GetDlgItem(dialog, IDC_TRACES_LIST), WM_KEYDOWN, VK_ESCAPE, 0);
         }},
        {"OK", [](HWND dialog) { harness::Click(dialog, IDC_TRACES_OK); }},
    };
    auto moveTo = [](int index) {
        return [index](HWND move) {
            harness::SelectComboItem(move, IDC_TRACES_ACTIVITY_TARGET, index);
        };
    };
    for (const auto& way : ways) {
        // Remove t7 and t2; move t6, t5 and t4 to B, then t5 and t3 to A.
        CUiScript script;
        script.Do([&] {
                  Choose({0, 5}, 0);
              })
            .WaitFor([&] { return harness::IsItemEnabled(Hwnd(), IDC_TRACES_REMOVE); })
            .Do([&] { ToList(WM_KEYDOWN, VK_DELETE); })
            .Do([&] {
                Choose({0, 1, 2}, 1);
            });
        Through(script, IDC_TRACES_MODIFY, IDC_TRACES_ACTIVITY_OK, moveTo(1));
        script.Do([&] { Choose({1, 3}, 3); });
        Through(script, IDC_TRACES_MODIFY, IDC_TRACES_ACTIVITY_OK, moveTo(0));
        script.Do([&] { way.second(Hwnd()); });
        const int exitCode = Run(script);
        m_dialog.reset();
        const bool committed = way.first == "OK";
        EXPECT_EQ(saved(way.first + ".wkp") == before, !committed) << way.first;
        EXPECT_EQ(exitCode, committed ? 0 : 1) << way.first;
        EXPECT_EQ(State()->GetTallymarksByDate().GetCount(), committed ? 6u : 8u) << way.first;
        EXPECT_EQ(m_project->GetStateCount(), 1u) << way.first;
    }
    CActivity* b = State()->GetRootActivity()->GetFirstChild()->GetNextSibling();
    EXPECT_EQ(b->GetTallymarks().GetCount(), 3u); // t6, t4, t1
}

TEST_F(CTracesDlgTest, SplitModifyAndNewGoThroughTheirDialogs) {
    Build({"A", "B"});
    Add("t0", "A", 0, 2);
    Add("t1", "A", 3, 5);
    Add("t2", "A", 6, 8);
    // Each row's start and end time and activity.
    auto rows = [&] {
        std::string text;
        for (int row = 0; row < harness::GetListRowCount(Hwnd(), IDC_TRACES_LIST); ++row) {
            for (int column : {0, 1, 3}) {
                const std::string cell = harness::GetListCell(Hwnd(), IDC_TRACES_LIST, row, column);
                text += column == 3 ? cell + ", "
                                    : cell.substr(cell.size() >= 8 ? cell.size() - 8 : 0, 5) + " ";
            }
        }
        return text;
    };
    auto activity = [](int control, int index) {
        return [control, index](HWND dialog) { harness::SelectComboItem(dialog, control, index); };
    };
    std::vector<std::string> steps;
    CUiScript script;
    script.Do([&] { ClickHeader(0); }).Do([&] { Choose({1}, 1); }); // start ascending
    Through(script, IDC_TRACES_SPLIT, IDC_SPLIT_OK, activity(IDC_SPLIT_SECOND_ACTIVITY, 1));
    script.Do([&] { steps.push_back(rows()); }).Do([&] { Choose({0}, 0); });
    Through(script, IDC_TRACES_MODIFY, IDC_TRACE_OK, activity(IDC_TRACE_ACTIVITY, 1));
    script.Do([&] {
        steps.push_back(rows());
        ToList(WM_KEYDOWN, VK_INSERT);
    });
    Through(script, 0, IDC_TRACE_OK, activity(IDC_TRACE_ACTIVITY, 0));
    script.Do([&] {
        steps.push_back(std::to_string(ToList(LVM_GETSELECTEDCOUNT, 0)) + " of " +
                        std::to_string(harness::GetListRowCount(Hwnd(), IDC_TRACES_LIST)) +
                        " selected, focus " + std::to_string(FocusedRow()));
        ClickHeader(3); // by activity, then start: 03:00, 06:00, new on A; 00:00, 04:00 on B
    });
    script.Do([&] { Choose({1}, 1); });
    Through(script, IDC_TRACES_MODIFY, IDC_TRACE_OK, activity(IDC_TRACE_ACTIVITY, 1));
    script.Do([&] {
        steps.push_back(Shown(LVIS_FOCUSED) + Shown(LVIS_SELECTED) + std::to_string(FocusedRow()));
        harness::Click(Hwnd(), IDC_TRACES_OK);
    });
    Run(script);
    EXPECT_EQ(steps, (std::vector<std::string>{
                         // Split at the middle: the first part stands below the split one.
                         "00:00 02:00 A, 04:00 05:00 B, 03:00 04:00 A, 06:00 08:00 A, ",
                         // Modifying sorts again.
                         "00:00 02:00 B, 03:00 04:00 A, 04:00 05:00 B, 06:00 08:00 A, ",
                         // The new one, today, is the latest start.
                         "1 of 5 selected, focus 4",
                         // The 06:00 row moved to B: last among the B rows.
                         "t2 t2 4"}));
    EXPECT_EQ(State()->GetTallymarksByDate().GetCount(), 5u);
}

// Two hours of work begun in this run, the clock set back an hour: Modify, Stop and OK in
// the tally mark dialog tell nothing until the manage dialog's OK stores the two hours; its
// Cancel leaves the work running. Removed, or given another end, before OK, it tells
// nothing; split, its second part keeps the end and the notice.
TEST_F(CTracesDlgTest, AStopTellsOfTheClockOnlyWhenOkStoresIt) {
    static CDateTime clock;
    static std::uint64_t ticks = 1000;
    CDateTime::SetNowSource([](bool) { return clock; });
    CTickClock::Set([] { return ticks; });
    Build({"Build", "Test"});
    const struct {
        int button, then, okId; // then, after Stop and OK: Remove, or a dialog fill fills in
        void (*fill)(HWND);
        double end; // hours after kDay; -1: no tally mark left on Build
    } cases[] = {
        {IDCANCEL, 0, 0, nullptr, 9},
        {IDC_TRACES_OK, 0, 0, nullptr, 10},
        {IDC_TRACES_OK, IDC_TRACES_REMOVE, 0, nullptr, -1},
        {IDC_TRACES_OK, IDC_TRACES_MODIFY, IDC_TRACE_OK,
         [](HWND dialog) { SetDlgItemTextA(dialog, IDC_TRACE_END_MINUTES, "45"); }, 10.75},
        {IDC_TRACES_OK, IDC_TRACES_SPLIT, IDC_SPLIT_OK,
         [](HWND dialog) { harness::SelectComboItem(dialog, IDC_SPLIT_SECOND_ACTIVITY, 1); }, 9},
    };
    for (const auto& c : cases) {
        clock = CDateTime(kDay + 8 * kHour);
        State()->GetRootActivity()->GetFirstChild()->GetTallymarks().Clear();
        ASSERT_TRUE(m_app->GetProjects().StartWorking(m_project,
                                                      State()->GetRootActivity()->GetFirstChild()));
        clock = CDateTime(kDay + 9 * kHour);
        ticks += 2 * 3600 * 1000;
        CClockNotices::Get().TakePending();
        CUiScript script;
        script.Do([&] { Choose({0}, 0); });
        Through(script, IDC_TRACES_MODIFY, IDC_TRACE_OK,
                [](HWND dialog) { harness::Click(dialog, IDC_TRACE_STOP); });
        script.Do([&] { Choose({0}, 0); });
        if (c.okId != 0) {
            Through(script, c.then, c.okId, c.fill);
        } else if (c.then != 0) {
            script.WaitFor([&] { return harness::IsItemEnabled(Hwnd(), c.then); }).Do([&] {
                harness::Click(Hwnd(), c.then);
            });
        }
        script.Do([&] { harness::Click(Hwnd(), c.button); });
        Run(script);
        m_dialog.reset();
        const bool told = c.button == IDC_TRACES_OK && (c.then == 0 || c.then == IDC_TRACES_SPLIT);
        EXPECT_EQ(CClockNotices::Get().TakePending().size(), told ? 1u : 0u) << c.then;
        // The committed state's Build (a commit replaces it); running, it ends now (09:00).
        CTallymarks& marks = State()->GetRootActivity()->GetFirstChild()->GetTallymarks();
        const double end =
            marks.GetFirst() != nullptr ? marks.GetFirst()->GetEnd(true).GetValue() : kDay - kHour;
        EXPECT_NEAR(end, kDay + c.end * kHour, 1e-9) << c.then;
    }
    CTickClock::Set(nullptr);
    CDateTime::SetNowSource(nullptr);
}

// The project is closed (as the tray could) while the manage dialog, or one that it opened,
// runs: every dialog ends by itself as cancelled and lets go of the deleted project. The
// running tally mark keeps the timers of the dialogs over it going meanwhile.
TEST_F(CTracesDlgTest, ProjectClosedUnderTheDialogsEndsThem) {
    const struct {
        const char* what;
        std::initializer_list<int> rows;
        int button; // 0: none, the manage dialog alone
        int okId;   // the dialog over it, known by its OK button
    } cases[] = {
        {"manage", {0}, 0, 0},
        {"tally mark", {0}, IDC_TRACES_MODIFY, IDC_TRACE_OK},
        {"move", {0, 1}, IDC_TRACES_MODIFY, IDC_TRACES_ACTIVITY_OK},
        {"split", {0}, IDC_TRACES_SPLIT, IDC_SPLIT_OK},
    };
    for (const auto& c : cases) {
        if (m_project == nullptr) {
            m_project = m_app->GetProjects().CreateNew();
        }
        Build({"A"});
        Add("running", "A", 10);
        Add("done", "A", 8, 9);
        CUiScript script;
        script.Do([&] { Choose(c.rows, 0); });
        if (c.button != 0) {
            const int okId = c.okId;
            script.WaitFor([this, &c] { return harness::IsItemEnabled(Hwnd(), c.button); })
                .Do([this, &c] { harness::Click(Hwnd(), c.button); })
                .WaitFor([okId] {
                    HWND active = harness::ActiveWindow();
                    return active != nullptr && GetDlgItem(active, okId) != nullptr;
                });
        }
        script.Do([&] { EXPECT_TRUE(m_app->GetProjects().Close(m_project, true)); });
        EXPECT_EQ(Run(script), 1) << c.what;
        m_project = nullptr;
        EXPECT_EQ(m_dialog->GetState(), nullptr) << c.what;
        m_dialog.reset();
        EXPECT_EQ(m_app->GetProjects().GetNumProjects(), 0u) << c.what;
    }
}

} // namespace
