// The manage activities dialog: whole-tree commands, the "In use" column, and how its
// edit transaction ends: OK only from the OK button, nested in another transaction, and
// with its project closed under it.

#include "ActivitiesDlgFixture.h"

#include "harness/UiControls.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <string>
#include <vector>

using harness::Click;
using harness::CUiScript;

namespace activitiestest {

namespace {

using RowList = std::vector<std::string>;

class ActivitiesDlgEditTest : public CActivitiesDlgFixture {};

TEST_F(ActivitiesDlgEditTest, RemoveUnusedKeepsUsedBranchesAndTheButtonsFollow) {
    CProject* project = OpenFixture({"A", " A1*", " A2", "  A2a", "B", "C*"});
    CUiScript script;
    std::vector<std::string> inUse;
    RowList afterNo, afterYes, afterSingle;
    std::vector<int> enabledAfterYes;
    script.Do([&] { SelectName("B"); })
        .Do([&] {
            for (int row = 0; row < 6; ++row) {
                inUse.push_back(harness::GetListCell(Dlg(), IDC_ACTIVITIES_LIST, row, 1));
            }
            Click(Dlg(), IDC_ACTIVITIES_REMOVE_UNUSED);
        })
        .AnswerMessageBox(IDNO, "There are 3 unused activities.")
        .Do([&] {
            afterNo = Rows();
            Click(Dlg(), IDC_ACTIVITIES_REMOVE_UNUSED);
        })
        .AnswerMessageBox(IDYES, "There are 3 unused activities.")
        .Do([&] {
            afterYes = Rows();
            enabledAfterYes = EnabledButtons();
            Click(Dlg(), IDC_ACTIVITIES_NEW);
        })
        .Do([&] { FinishEdit("Lone"); })
        .Do([&] { Click(Dlg(), IDC_ACTIVITIES_REMOVE_UNUSED); })
        .AnswerMessageBox(IDYES, "There is 1 unused activity.")
        .Do([&] {
            afterSingle = Rows();
            Click(Dlg(), IDC_ACTIVITIES_OK);
        });
    EXPECT_EQ(RunDialog(script, project), 0);
    EXPECT_EQ(inUse, std::vector<std::string>({"", "yes", "", "", "", "yes"}));
    EXPECT_EQ(afterNo, RowList({"A", " A1", " A2", "  A2a", "B", "C"}));
    EXPECT_EQ(afterYes, RowList({"A", " A1", "C"}));
    // The selected activity went: nothing is selected, so nothing acts on an activity.
    EXPECT_EQ(enabledAfterYes, std::vector<int>({IDC_ACTIVITIES_NEW, IDC_ACTIVITIES_SORT}));
    EXPECT_EQ(afterSingle, RowList({"A", " A1", "C"}));
    ASSERT_EQ(script.GetMessageBoxes().size(), 3u);
    EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Remove unused activities");
    EXPECT_EQ(script.GetMessageBoxes()[0].buttons, std::vector<int>({IDYES, IDNO}));
    EXPECT_EQ(TreeRows(project->GetState()), RowList({"A", " A1", "C"}));
}

TEST_F(ActivitiesDlgEditTest, SortAllAndDisableThenOkWritesTheEditedTree) {
    CProject* project = OpenFixture({"b", " z", " Y", " x", "A", "a", "C"});
    CUiScript script;
    RowList sorted;
    std::string selectedAfterSort;
    std::vector<std::string> captions;
    script.Do([&] { SelectName("a"); })
        .Do([&] { Click(Dlg(), IDC_ACTIVITIES_SORT); })
        .Do([&] {
            sorted = Rows();
            selectedAfterSort = (*m_dialog->GetActivityList().GetSelected().begin())->GetName();
            SelectName("A");
        })
        .Do([&] {
            captions.push_back(harness::GetItemText(Dlg(), IDC_ACTIVITIES_ENABLE));
            Click(Dlg(), IDC_ACTIVITIES_ENABLE);
        })
        .Do([&] {
            captions.push_back(harness::GetItemText(Dlg(), IDC_ACTIVITIES_ENABLE));
            SelectName("C");
        })
        .Do([&] { Click(Dlg(), IDC_ACTIVITIES_ENABLE); })
        .Do([&] { Click(Dlg(), IDC_ACTIVITIES_ENABLE); })
        .Do([&] {
            captions.push_back(harness::GetItemText(Dlg(), IDC_ACTIVITIES_ENABLE));
            Click(Dlg(), IDC_ACTIVITIES_OK);
        });
    EXPECT_EQ(RunDialog(script, project), 0);
    // Of "A" and "a" only the first takes part; the second follows every sorted sibling.
    const RowList expected = {"A", "b", " x", " Y", " z", "C", "a"};
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(selectedAfterSort, "a");
    EXPECT_EQ(captions, std::vector<std::string>({"Disabl&e", "Enabl&e", "Disabl&e"}));

    const std::string saved = SaveCopyAndClose(project);
    EXPECT_NE(saved, OriginalBytes());
    CProject reloaded;
    ASSERT_EQ(reloaded.Load(CFilePath(m_folder.File("copy.wkp"))).GetCode(), -1);
    EXPECT_EQ(TreeRows(reloaded.GetState()), expected);
    CActivity* root = reloaded.GetState()->GetRootActivity();
    EXPECT_FALSE(root->GetFirstChild()->IsEnabled());
    EXPECT_TRUE(root->GetLastChild()->GetPrevSibling()->IsEnabled());
}

// Only a click of the OK button commits: a command with its id from elsewhere (here
// without a control window) is ignored, and Cancel then leaves the file as it was.
TEST_F(ActivitiesDlgEditTest, OkCountsOnlyFromTheOkButton) {
    CProject* project = OpenFixture({"A", " A1*", "B"});
    CUiScript script;
    bool openAfterFakeOk = false;
    script.Do([&] { SelectName("A1"); })
        .Do([&] { Key(VK_LEFT, true); })
        .Do([&] { Key(VK_F2); })
        .Do([&] { FinishEdit("Renamed"); })
        .Do([&] { PostMessageA(Dlg(), WM_COMMAND, MAKEWPARAM(IDC_ACTIVITIES_OK, BN_CLICKED), 0); })
        .Do([&] {
            openAfterFakeOk = m_dialog->IsOpen();
            PostMessageA(Dlg(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
    EXPECT_EQ(RunDialog(script, project), 1);
    EXPECT_TRUE(openAfterFakeOk);
    EXPECT_EQ(project->GetStateCount(), 1u);
    EXPECT_EQ(TreeRows(project->GetState()), RowList({"A", " A1", "B"}));
    EXPECT_EQ(SaveCopyAndClose(project), OriginalBytes());
}

// Opened inside another dialog's transaction, OK commits into that transaction: the
// outer dialog's OK writes everything, its Cancel nothing.
TEST_F(ActivitiesDlgEditTest, InsideAnOuterTransactionTheOuterEndDecides) {
    for (const bool outerCommits : {false, true}) {
        SCOPED_TRACE(outerCommits ? "outer OK" : "outer Cancel");
        m_app->GetProjects().CloseAll();
        CProject* project = OpenFixture({"A", " A1*", "B", "C"});
        project->StartStateTracking();
        project->GetState(true)->SetName("Renamed outside");
        CUiScript script;
        script.Do([&] { SelectName("C"); })
            .Do([&] { Key(VK_DELETE); })
            .Do([&] { SelectName("A1"); })
            .Do([&] { Click(Dlg(), IDC_ACTIVITIES_OUTDENT); })
            .Do([&] { Click(Dlg(), IDC_ACTIVITIES_OK); });
        EXPECT_EQ(RunDialog(script, project), 0);
        ASSERT_EQ(project->GetStateCount(), 2u);
        const RowList edited = {"A", "A1", "B"};
        EXPECT_EQ(TreeRows(project->GetState(true)), edited);
        EXPECT_EQ(project->GetState(true)->GetName(), "Renamed outside");
        EXPECT_EQ(TreeRows(project->GetState(false)), RowList({"A", " A1", "B", "C"}));
        project->EndStateTracking(outerCommits);
        if (outerCommits) {
            EXPECT_EQ(TreeRows(project->GetState()), edited);
            EXPECT_NE(SaveCopyAndClose(project), OriginalBytes());
        } else {
            EXPECT_EQ(SaveCopyAndClose(project), OriginalBytes());
        }
    }
}

// The project is closed (as the tray could) while the dialog runs: the dialog ends by
// itself and never touches the deleted project again.
TEST_F(ActivitiesDlgEditTest, ProjectClosedUnderTheDialogEndsItUntouched) {
    CProject* project = OpenFixture({"A", "B"});
    CUiScript script;
    script.Do([&] { SelectName("B"); }).Do([&] { Key(VK_DELETE); }).Do([&] {
        EXPECT_TRUE(m_app->GetProjects().Close(project, true));
    });
    EXPECT_EQ(RunDialog(script, project), 1);
    EXPECT_EQ(m_app->GetProjects().GetNumProjects(), 0u);
}

} // namespace

} // namespace activitiestest
