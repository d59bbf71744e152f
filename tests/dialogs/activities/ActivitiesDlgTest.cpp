// The manage activities dialog driven as a person would (buttons, keys, label edits) on
// fixture trees: every row checked against an independent walk of the edited tree, the
// saved file compared after OK and after Cancel.

#include "dialogs/CActivitiesDlg.h"
#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "model/CActivity.h"
#include "model/CEditTransaction.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/ProjectFileLimits.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

using harness::Click;
using harness::CUiScript;
using RowList = std::vector<std::string>;

namespace {

const int kNew = IDC_ACTIVITIES_NEW, kRen = IDC_ACTIVITIES_RENAME, kRem = IDC_ACTIVITIES_REMOVE,
          kUp = IDC_ACTIVITIES_MOVE_UP, kDown = IDC_ACTIVITIES_MOVE_DOWN,
          kIn = IDC_ACTIVITIES_INDENT, kOut = IDC_ACTIVITIES_OUTDENT, kEn = IDC_ACTIVITIES_ENABLE,
          kSort = IDC_ACTIVITIES_SORT, kUnused = IDC_ACTIVITIES_REMOVE_UNUSED;

class ActivitiesDlgTest : public harness::CDialogAppFixture {
protected:
    ActivitiesDlgTest() { StartApp(false); }

    // One activity per line, one blank a level; "*" books a tally mark on it. The project
    // is saved, its bytes kept, and opened as a user would.
    CProject* Open(const std::vector<std::string>& lines) {
        return SaveAndOpen([&](CProjectState& state) {
            std::vector<CActivity*> parents = {state.GetRootActivity()};
            for (std::string line : lines) {
                const size_t depth = line.find_first_not_of(' ');
                const bool used = line.back() == '*';
                auto* a =
                    new CActivity(&state, line.substr(depth, line.size() - depth - used), true);
                parents.resize(depth + 1);
                parents[depth]->AddChildActivity(a, -1);
                parents.push_back(a);
                if (used) {
                    a->GetTallymarks().Add(
                        new CTallymark(a, CDateTime(45000.0), CDateTime(45000.5)));
                }
            }
        });
    }
    int Run(CUiScript& script, CProject* project) {
        CActivitiesDlg dialog(project);
        m_dialog = &dialog;
        const int exitCode = harness::RunDialog(script, dialog, IDD_ACTIVITIES);
        m_dialog = nullptr;
        return exitCode;
    }

    HWND Dlg() const { return m_dialog->GetHwnd(); }
    HWND List() const { return GetDlgItem(Dlg(), IDC_ACTIVITIES_LIST); }
    RowList Rows() const {
        RowList rows;
        for (int row = 0; row < ListView_GetItemCount(List()); ++row) {
            char text[64] = {};
            LVITEMA item = {};
            item.mask = LVIF_TEXT | LVIF_INDENT;
            item.iItem = row;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            rows.push_back(std::string(static_cast<size_t>(item.iIndent), ' ') + text);
        }
        return rows;
    }
    static RowList Tree(CProjectState* state) {
        RowList rows;
        CActivity* root = state->GetRootActivity();
        for (CActivity* a = root->GetNextInSubtree(root); a; a = a->GetNextInSubtree(root)) {
            rows.push_back(std::string(static_cast<size_t>(a->GetDepth() - 1), ' ') + a->GetName());
        }
        return rows;
    }
    std::string Selected() const {
        const auto& selected = m_dialog->GetActivityList().GetSelected();
        return selected.empty() ? "" : (*selected.begin())->GetName();
    }
    std::vector<int> Enabled() const {
        std::vector<int> ids;
        for (int id : {kNew, kRen, kRem, kUp, kDown, kIn, kOut, kEn, kSort, kUnused}) {
            if (harness::IsItemEnabled(Dlg(), id)) {
                ids.push_back(id);
            }
        }
        return ids;
    }
    void Select(const std::string& name) const {
        CActivity* root = m_dialog->GetEditState()->GetRootActivity();
        for (CActivity* a = root->GetNextInSubtree(root); a; a = a->GetNextInSubtree(root)) {
            if (a->GetName() == name) {
                harness::SelectListRow(Dlg(), IDC_ACTIVITIES_LIST,
                                       m_dialog->GetActivityList().FindRow(a));
                return;
            }
        }
        ADD_FAILURE() << "no activity " << name;
    }
    void Key(WORD key, bool control = false) const {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageA(List(), WM_KEYDOWN, key, 0);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    // Types the name into the label edit that runs and ends it with Enter.
    void Name(const std::string& name) const {
        HWND edit = ListView_GetEditControl(List());
        ASSERT_NE(edit, nullptr) << "no label edit runs";
        SetWindowTextA(edit, name.c_str());
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    }

    CActivitiesDlg* m_dialog = nullptr;
};

TEST_F(ActivitiesDlgTest, BuildsAThreeLevelTreeByKeyboardAndButtons) {
    CProject* project = Open({});
    CUiScript script;
    std::vector<int> enabledWhenEmpty;
    RowList shown;
    script.Do([&] { enabledWhenEmpty = Enabled(), Click(Dlg(), kNew); })
        .Do([&] { Name("Alpha"); })
        .Do([&] { Key(VK_INSERT); })
        .Do([&] { Name("Alpha 1"); })
        .Do([&] { Key(VK_RIGHT, true); })
        .Do([&] { Click(Dlg(), kNew); })
        .Do([&] { Name("Alpha 1a"); })
        .Do([&] { Key(VK_RIGHT, true); })
        .Do([&] { Key(VK_INSERT); })
        .Do([&] { Name("Beta"); })
        .Do([&] { Click(Dlg(), kOut); })
        .Do([&] { Key(VK_LEFT, true); })
        .Do([&] { shown = Rows(), Click(Dlg(), IDC_ACTIVITIES_OK); });
    EXPECT_EQ(Run(script, project), 0);
    EXPECT_EQ(enabledWhenEmpty, std::vector<int>({kNew}));
    EXPECT_EQ(shown, RowList({"Alpha", " Alpha 1", "  Alpha 1a", "Beta"}));
    EXPECT_EQ(Tree(project->GetState()), shown);
    EXPECT_EQ(project->GetStateCount(), 1u);
}

// Each step selects an activity and moves it by button or Ctrl+arrow; the moved activity
// stays selected, so the buttons are those of its new place. A command with OK's id that
// does not come from the OK button (here: without a control window) commits nothing.
TEST_F(ActivitiesDlgTest, MovesSubtreesRowForRowAndOnlyTheOkButtonCommits) {
    CProject* project = Open({"A", " A1", "  A1a", " A2", "B", " B1", "C"});
    const struct {
        const char* select;
        int button;
        WORD ctrlKey;
        RowList rows;
        std::vector<int> enabled;
    } steps[] = {
        {"A1",
         kDown,
         0,
         {"A", " A2", " A1", "  A1a", "B", " B1", "C"},
         {kNew, kRen, kRem, kUp, kIn, kOut, kEn, kSort, kUnused}},
        {"A1",
         0,
         VK_DOWN,
         {"A", " A2", " A1", "  A1a", "B", " B1", "C"},
         {kNew, kRen, kRem, kUp, kIn, kOut, kEn, kSort, kUnused}},
        {"B",
         kIn,
         0,
         {"A", " A2", " A1", "  A1a", " B", "  B1", "C"},
         {kNew, kRen, kRem, kUp, kIn, kOut, kEn, kSort, kUnused}},
        {"B",
         0,
         VK_LEFT,
         {"A", " A2", " A1", "  A1a", "B", " B1", "C"},
         {kNew, kRen, kRem, kUp, kDown, kIn, kEn, kSort, kUnused}},
        {"A1",
         0,
         VK_RIGHT,
         {"A", " A2", "  A1", "   A1a", "B", " B1", "C"},
         {kNew, kRen, kRem, kOut, kEn, kSort, kUnused}},
        {"A1",
         kOut,
         0,
         {"A", " A2", " A1", "  A1a", "B", " B1", "C"},
         {kNew, kRen, kRem, kUp, kIn, kOut, kEn, kSort, kUnused}},
        {"A1",
         0,
         VK_UP,
         {"A", " A1", "  A1a", " A2", "B", " B1", "C"},
         {kNew, kRen, kRem, kDown, kOut, kEn, kSort, kUnused}},
        {"A",
         0,
         VK_UP,
         {"A", " A1", "  A1a", " A2", "B", " B1", "C"},
         {kNew, kRen, kRem, kDown, kEn, kSort, kUnused}},
    };
    std::vector<RowList> shown, tree;
    std::vector<std::vector<int>> enabled;
    CUiScript script;
    for (const auto& step : steps) {
        script.Do([&] { Select(step.select); })
            .Do([&] { step.button ? Click(Dlg(), step.button) : Key(step.ctrlKey, true); })
            .Do([&] {
                shown.push_back(Rows());
                tree.push_back(Tree(m_dialog->GetEditState()));
                enabled.push_back(Enabled());
            });
    }
    bool openAfterFakeOk = false;
    script.Do([&] { PostMessageA(Dlg(), WM_COMMAND, IDC_ACTIVITIES_OK, 0); }).Do([&] {
        openAfterFakeOk = m_dialog->IsOpen(), Click(Dlg(), IDCANCEL);
    });
    EXPECT_EQ(Run(script, project), 1);
    EXPECT_TRUE(openAfterFakeOk);
    EXPECT_EQ(project->GetStateCount(), 1u);
    ASSERT_EQ(shown.size(), std::size(steps));
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i], steps[i].rows) << "step " << i;
        EXPECT_EQ(tree[i], steps[i].rows) << "step " << i;
        EXPECT_EQ(enabled[i], steps[i].enabled) << "step " << i;
    }
    EXPECT_EQ(SaveAndClose(project), m_original);
}

// The question names what goes with the activity; the row that took its place (else the
// one above it) is selected afterwards.
TEST_F(ActivitiesDlgTest, RemoveAsksByWhatGoesAndSelectsTheNextRow) {
    CProject* project = Open({"A", " A1*", " A2", "B*", "C", " C1", "D"});
    const struct {
        const char* select;
        RowList rows;
        const char* selected;
    } steps[] = {
        {"A2", {"A", " A1", "B", "C", " C1", "D"}, "B"}, // no question
        {"B", {"A", " A1", "B", "C", " C1", "D"}, "B"},  // Cancel
        {"C", {"A", " A1", "B", "D"}, "D"},
        {"D", {"A", " A1", "B"}, "B"},
        {"A", {"B"}, "B"},
        {"B", {}, ""},
    };
    std::vector<RowList> shown;
    std::vector<std::string> selected;
    std::vector<int> enabledAtEnd;
    CUiScript script;
    for (const auto& step : steps) {
        script.Do([&] { Select(step.select); }).Do([&] { Key(VK_DELETE); }).Do([&] {
            shown.push_back(Rows());
            selected.push_back(Selected());
        });
    }
    script.AnswerMessageBox(IDCANCEL, "remove all registered tally marks.")
        .AnswerMessageBox(IDOK, "remove all sub activities.")
        .AnswerMessageBox(IDOK, "remove all sub activities and registered tally marks.")
        .AnswerMessageBox(IDOK, "remove all registered tally marks.")
        .Do([&] { enabledAtEnd = Enabled(), Click(Dlg(), IDC_ACTIVITIES_OK); });
    EXPECT_EQ(Run(script, project), 0);
    ASSERT_EQ(shown.size(), std::size(steps));
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i], steps[i].rows) << "step " << i;
        EXPECT_EQ(selected[i], steps[i].selected) << "step " << i;
    }
    for (const harness::SMessageBoxRecord& box : script.GetMessageBoxes()) {
        EXPECT_EQ(box.caption, "Tallymarks - Remove activity");
        EXPECT_EQ(box.buttons, std::vector<int>({IDOK, IDCANCEL}));
    }
    EXPECT_EQ(enabledAtEnd, std::vector<int>({kNew}));
    EXPECT_TRUE(Tree(project->GetState()).empty());
}

TEST_F(ActivitiesDlgTest, RemoveUnusedKeepsUsedBranchesAndTheButtonsFollowTheSelection) {
    CProject* project = Open({"A", " A1*", " A2", "  A2a", "B", "C*"});
    CUiScript script;
    std::vector<std::string> inUse;
    RowList afterNo, afterYes;
    std::vector<int> enabledAfterYes;
    script.Do([&] { Select("B"); })
        .Do([&] {
            for (int row = 0; row < 6; ++row) {
                inUse.push_back(harness::GetListCell(Dlg(), IDC_ACTIVITIES_LIST, row, 1));
            }
            Click(Dlg(), kUnused);
        })
        .AnswerMessageBox(IDNO, "There are 3 unused activities.")
        .Do([&] { afterNo = Rows(), Click(Dlg(), kUnused); })
        .AnswerMessageBox(IDYES, "There are 3 unused activities.")
        .Do([&] { afterYes = Rows(), enabledAfterYes = Enabled(), Click(Dlg(), kNew); })
        .Do([&] { Name("Lone"); })
        .Do([&] { Click(Dlg(), kUnused); })
        .AnswerMessageBox(IDYES, "There is 1 unused activity.")
        .Do([&] { Click(Dlg(), IDC_ACTIVITIES_OK); });
    EXPECT_EQ(Run(script, project), 0);
    EXPECT_EQ(inUse, std::vector<std::string>({"", "yes", "", "", "", "yes"}));
    EXPECT_EQ(afterNo, RowList({"A", " A1", " A2", "  A2a", "B", "C"}));
    EXPECT_EQ(afterYes, RowList({"A", " A1", "C"}));
    // The selected activity went: nothing is selected, so nothing acts on an activity.
    EXPECT_EQ(enabledAfterYes, std::vector<int>({kNew, kSort}));
    EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Remove unused activities");
    EXPECT_EQ(Tree(project->GetState()), RowList({"A", " A1", "C"}));
}

TEST_F(ActivitiesDlgTest, SortAllAndDisableThenOkWritesTheEditedTree) {
    CProject* project = Open({"b", " z", " Y", " x", "A", "a", "C"});
    CUiScript script;
    std::vector<std::string> captions;
    RowList sorted;
    std::string selectedAfterSort;
    auto caption = [&] { captions.push_back(harness::GetItemText(Dlg(), kEn)); };
    script.Do([&] { Select("a"); })
        .Do([&] { Click(Dlg(), kSort); })
        .Do([&] { sorted = Rows(), selectedAfterSort = Selected(), Select("C"); })
        .Do([&] { caption(), Click(Dlg(), kEn); })
        .Do([&] { caption(), Click(Dlg(), kEn); })
        .Do([&] { caption(), Select("A"); })
        .Do([&] { Click(Dlg(), kEn); })
        .Do([&] { Click(Dlg(), IDC_ACTIVITIES_OK); });
    EXPECT_EQ(Run(script, project), 0);
    // Of "A" and "a" only the first takes part; the second follows every sorted sibling.
    const RowList expected = {"A", "b", " x", " Y", " z", "C", "a"};
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(selectedAfterSort, "a");
    EXPECT_EQ(captions, std::vector<std::string>({"Disabl&e", "Enabl&e", "Disabl&e"}));
    EXPECT_NE(SaveAndClose(project), m_original);
    CProject reloaded;
    ASSERT_EQ(reloaded.Load(CFilePath(m_folder.File("c.wkp"))).GetCode(), -1);
    EXPECT_EQ(Tree(reloaded.GetState()), expected);
    EXPECT_FALSE(reloaded.GetState()->GetRootActivity()->GetFirstChild()->IsEnabled());
}

// Inside another dialog's transaction the dialog's OK commits into that transaction: the
// outer end decides whether anything reaches the file.
TEST_F(ActivitiesDlgTest, InsideAnOuterTransactionTheOuterEndDecides) {
    for (const bool outerCommits : {false, true}) {
        CProject* project = Open({"A", " A1*", "B", "C"});
        CEditTransaction outer(*project);
        CUiScript script;
        script.Do([&] { Select("C"); })
            .Do([&] { Key(VK_DELETE); })
            .Do([&] { Select("A1"); })
            .Do([&] { Click(Dlg(), kOut); })
            .Do([&] { Click(Dlg(), IDC_ACTIVITIES_OK); });
        EXPECT_EQ(Run(script, project), 0);
        ASSERT_EQ(project->GetStateCount(), 2u);
        EXPECT_EQ(Tree(project->GetState(true)), RowList({"A", "A1", "B"}));
        EXPECT_EQ(Tree(project->GetState(false)), RowList({"A", " A1", "B", "C"}));
        if (outerCommits) {
            outer.Commit();
        } else {
            outer.Discard();
        }
        EXPECT_EQ(SaveAndClose(project) != m_original, outerCommits);
    }
}

// The project is closed (as the tray could) while the dialog runs: the dialog ends by
// itself and never touches the deleted project again.
TEST_F(ActivitiesDlgTest, ProjectClosedUnderTheDialogEndsIt) {
    CProject* project = Open({"A", "B"});
    CUiScript script;
    script.Do([&] { Select("B"); }).Do([&] { Key(VK_DELETE); }).Do([&] {
        EXPECT_TRUE(m_app->GetProjects().Close(project, true));
    });
    EXPECT_EQ(Run(script, project), 1);
    EXPECT_EQ(m_app->GetProjects().GetNumProjects(), 0u);
}

// A tree as deep as a project file holds. An indent that would take the activity, or one
// of its sub-activities, below that depth is refused with a message and changes nothing;
// an indent or a new activity that stays at that depth is made, and the tree saves and
// loads back.
TEST_F(ActivitiesDlgTest, IndentAndNewStopAtTheDepthAFileHolds) {
    RowList lines;
    for (int level = 1; level <= kMaxActivityDepth; ++level) {
        lines.push_back(std::string(static_cast<size_t>(level - 1), ' ') + "L" +
                        std::to_string(level));
    }
    // B at the deepest level below L999; C with its child C1, and D, one level higher.
    const std::string deepest(static_cast<size_t>(kMaxActivityDepth - 1), ' ');
    const std::string above(static_cast<size_t>(kMaxActivityDepth - 2), ' ');
    lines.insert(lines.end(), {deepest + "B", above + "C", deepest + "C1", above + "D"});
    CProject* project = Open(lines);
    const struct {
        const char* select;
        int button;               // 0: Ctrl+Right
        const char* refusedBelow; // null: done
    } steps[] = {
        {"B", kIn, "L1000"},
        {"C", 0, "L999"}, // C would fit, C1 not
        {"D", kIn, nullptr},
        {"B", kNew, nullptr},
    };
    // D below C after C1, and the new activity right after B, still being named.
    RowList expected = lines;
    expected.insert(expected.begin() + kMaxActivityDepth + 1, deepest + "New");
    expected.back() = deepest + "D";
    std::vector<RowList> trees;
    CUiScript script(120000);
    for (const auto& step : steps) {
        // A thousand rows take the list a while: the command waits for the selection and
        // its buttons.
        script.Do([&] { Select(step.select); })
            .WaitFor([&] {
                return Selected() == step.select &&
                       (step.button == 0 || harness::IsItemEnabled(Dlg(), step.button));
            })
            .Do([&] { step.button ? Click(Dlg(), step.button) : Key(VK_RIGHT, true); })
            .Do([&] { trees.push_back(Tree(m_dialog->GetEditState())); });
        if (step.refusedBelow != nullptr) {
            script.AnswerMessageBox(IDOK, std::string("below \"") + step.refusedBelow +
                                              "\" more than 1000 levels deep");
        }
    }
    script.Do([&] { Name("N"); }).Do([&] { Click(Dlg(), IDC_ACTIVITIES_OK); });
    EXPECT_EQ(Run(script, project), 0);
    ASSERT_EQ(trees.size(), std::size(steps));
    EXPECT_EQ(trees[0], lines);
    EXPECT_EQ(trees[1], lines);
    EXPECT_EQ(trees[3], expected);
    ASSERT_EQ(script.GetMessageBoxes().size(), 2u);
    for (const harness::SMessageBoxRecord& box : script.GetMessageBoxes()) {
        EXPECT_EQ(box.caption, "Tallymarks - Activity too deep");
        EXPECT_EQ(box.buttons, std::vector<int>({IDOK}));
    }
    expected[kMaxActivityDepth + 1] = deepest + "N";
    EXPECT_NE(SaveAndClose(project), m_original);
    CProject reloaded;
    ASSERT_EQ(reloaded.Load(CFilePath(m_folder.File("c.wkp"))).GetCode(), -1);
    EXPECT_EQ(Tree(reloaded.GetState()), expected);
}

} // namespace
