// The manage activities dialog driven as a person would: buttons, keys and label edits on
// fixture trees, with every row checked against an independent walk of the edited tree,
// and the saved file compared after OK and after Cancel.

#include "ActivitiesDlgFixture.h"

#include "harness/UiControls.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <iterator>
#include <set>
#include <string>
#include <vector>

using harness::Click;
using harness::CUiScript;

namespace activitiestest {

namespace {

using RowList = std::vector<std::string>;

class ActivitiesDlgTest : public CActivitiesDlgFixture {};

TEST_F(ActivitiesDlgTest, BuildsAThreeLevelTreeByKeyboardAndButtons) {
    CProject* project = OpenFixture({});
    CUiScript script;
    std::vector<int> enabledWhenEmpty;
    RowList shown;
    script
        .Do([&] {
            enabledWhenEmpty = EnabledButtons();
            Click(Dlg(), IDC_ACTIVITIES_NEW);
        })
        .Do([&] { FinishEdit("Alpha"); })
        .Do([&] { Key(VK_INSERT); })
        .Do([&] { FinishEdit("Alpha 1"); })
        .Do([&] { Key(VK_RIGHT, true); })
        .Do([&] { Click(Dlg(), IDC_ACTIVITIES_NEW); })
        .Do([&] { FinishEdit("Alpha 1a"); })
        .Do([&] { Key(VK_RIGHT, true); })
        .Do([&] { Key(VK_INSERT); })
        .Do([&] { FinishEdit("Beta"); })
        .Do([&] { Click(Dlg(), IDC_ACTIVITIES_OUTDENT); })
        .Do([&] { Key(VK_LEFT, true); })
        .Do([&] {
            shown = Rows();
            EXPECT_EQ(shown, TreeRows(m_dialog->GetEditState()));
            Click(Dlg(), IDC_ACTIVITIES_OK);
        });
    EXPECT_EQ(RunDialog(script, project), 0);
    EXPECT_EQ(enabledWhenEmpty, std::vector<int>({IDC_ACTIVITIES_NEW}));
    const RowList expected = {"Alpha", " Alpha 1", "  Alpha 1a", "Beta"};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(TreeRows(project->GetState()), expected);
    EXPECT_EQ(project->GetStateCount(), 1u);
}

// Each step selects an activity, acts on it and checks every row against the tree.
TEST_F(ActivitiesDlgTest, MovesIndentsAndOutdentsSubtreesThenCancelLeavesTheFile) {
    CProject* project = OpenFixture({"A", " A1", "  A1a", " A2", "B", " B1", "C"});
    struct SStep {
        const char* select;
        int button; // or a Ctrl+arrow key below
        WORD ctrlKey;
        RowList rows;
        std::vector<int> enabledAfter;
    };
    const int kNew = IDC_ACTIVITIES_NEW, kRen = IDC_ACTIVITIES_RENAME, kRem = IDC_ACTIVITIES_REMOVE,
              kUp = IDC_ACTIVITIES_MOVE_UP, kDown = IDC_ACTIVITIES_MOVE_DOWN,
              kIn = IDC_ACTIVITIES_INDENT, kOut = IDC_ACTIVITIES_OUTDENT,
              kEn = IDC_ACTIVITIES_ENABLE, kSort = IDC_ACTIVITIES_SORT,
              kUnused = IDC_ACTIVITIES_REMOVE_UNUSED;
    const SStep steps[] = {
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
        {"A",
         0,
         VK_UP,
         {"A", " A2", " A1", "  A1a", "B", " B1", "C"},
         {kNew, kRen, kRem, kDown, kEn, kSort, kUnused}},
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
        {"C",
         kUp,
         0,
         {"A", " A1", "  A1a", " A2", "C", "B", " B1"},
         {kNew, kRen, kRem, kUp, kDown, kIn, kEn, kSort, kUnused}},
    };
    std::vector<RowList> shown, tree;
    std::vector<std::vector<int>> enabled;
    CUiScript script;
    for (const SStep& step : steps) {
        script.Do([&, step] { SelectName(step.select); })
            .Do([&, step] {
                if (step.button != 0) {
                    Click(Dlg(), step.button);
                } else {
                    Key(step.ctrlKey, true);
                }
            })
            .Do([&] {
                shown.push_back(Rows());
                tree.push_back(TreeRows(m_dialog->GetEditState()));
                enabled.push_back(EnabledButtons());
            });
    }
    script.Do([&] { Click(Dlg(), IDCANCEL); });
    EXPECT_EQ(RunDialog(script, project), 1);
    ASSERT_EQ(shown.size(), std::size(steps));
    for (size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        EXPECT_EQ(shown[i], steps[i].rows);
        EXPECT_EQ(tree[i], steps[i].rows);
        EXPECT_EQ(enabled[i], steps[i].enabledAfter);
    }
    EXPECT_EQ(project->GetStateCount(), 1u);
    EXPECT_EQ(SaveCopyAndClose(project), OriginalBytes());
}

TEST_F(ActivitiesDlgTest, RemoveAsksByWhatGoesAndSelectsTheRowThatTookItsPlace) {
    CProject* project = OpenFixture({"A", " A1*", " A2", "B*", "C", " C1", "D"});
    struct SStep {
        const char* select;
        RowList rows;
        std::string selectedAfter;
    };
    const SStep steps[] = {
        {"A2", {"A", " A1", "B", "C", " C1", "D"}, "B"}, // no question
        {"B", {"A", " A1", "B", "C", " C1", "D"}, "B"},  // tally marks: Cancel
        {"C", {"A", " A1", "B", "D"}, "D"},              // sub activities: OK
        {"D", {"A", " A1", "B"}, "B"},                   // the last row: the one above
        {"A", {"B"}, "B"},                               // both: OK
        {"B", {}, ""},                                   // the only one: OK
    };
    std::vector<RowList> shown;
    std::vector<std::string> selected;
    std::vector<int> enabledAtEnd;
    CUiScript script;
    for (const SStep& step : steps) {
        script.Do([&, step] { SelectName(step.select); }).Do([&] { Key(VK_DELETE); }).Do([&] {
            shown.push_back(Rows());
            const std::set<CActivity*>& now = m_dialog->GetActivityList().GetSelected();
            selected.push_back(now.empty() ? std::string() : (*now.begin())->GetName());
        });
    }
    script.AnswerMessageBox(IDCANCEL, "remove all registered tally marks.")
        .AnswerMessageBox(IDOK, "remove all sub activities.")
        .AnswerMessageBox(IDOK, "remove all sub activities and registered tally marks.")
        .AnswerMessageBox(IDOK, "remove all registered tally marks.")
        .Do([&] {
            enabledAtEnd = EnabledButtons();
            Click(Dlg(), IDC_ACTIVITIES_OK);
        });
    EXPECT_EQ(RunDialog(script, project), 0);
    ASSERT_EQ(shown.size(), std::size(steps));
    for (size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        EXPECT_EQ(shown[i], steps[i].rows);
        EXPECT_EQ(selected[i], steps[i].selectedAfter);
    }
    for (const harness::SMessageBoxRecord& box : script.GetMessageBoxes()) {
        EXPECT_EQ(box.caption, "Tallymarks - Remove activity");
        EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONQUESTION));
        EXPECT_EQ(box.buttons, std::vector<int>({IDOK, IDCANCEL}));
    }
    EXPECT_EQ(enabledAtEnd, std::vector<int>({IDC_ACTIVITIES_NEW}));
    EXPECT_TRUE(TreeRows(project->GetState()).empty());
}

} // namespace

} // namespace activitiestest
