// The project properties dialog on saved fixture projects: the content texts, the name,
// and the two management dialogs inside its transaction, with the saved file compared
// after the outer OK and Cancel.

#include "dialogs/CPropsDlg.h"
#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

using harness::Click;
using harness::CUiScript;
using harness::FindThreadWindow;

namespace {

const char kActivitiesCaption[] = "Tallymarks - Manage activities";
const char kTracesCaption[] = "Tallymarks - Manage tally marks";

class PropertiesDlgTest : public harness::CDialogAppFixture {
protected:
    PropertiesDlgTest() { StartApp(false); }

    // Top-level activities "Name" or "Name*" (one tally mark), saved as "Plan" and opened
    // as a user would; the file's bytes are kept.
    CProject* Open(std::initializer_list<const char*> names) {
        return SaveAndOpen([&](CProjectState& state) {
            state.SetName("Plan");
            for (std::string name : names) {
                const bool used = name.back() == '*';
                auto* a = new CActivity(&state, name.substr(0, name.size() - used), true);
                state.GetRootActivity()->AddChildActivity(a, -1);
                if (used) {
                    a->GetTallymarks().Add(
                        new CTallymark(a, CDateTime(45000.0), CDateTime(45000.5)));
                }
            }
        });
    }
    int Run(CUiScript& script, CProject* project) {
        CPropsDlg dialog(project);
        int exitCode = -2;
        m_dialog = &dialog;
        script.Run([&] { exitCode = dialog.Create(CPropsDlg::MakeParams(nullptr)); });
        m_dialog = nullptr;
        return exitCode;
    }
    HWND Dlg() const { return m_dialog->GetHwnd(); }
    std::string Text(int id) const { return harness::GetItemText(Dlg(), id); }

    CPropsDlg* m_dialog = nullptr;
};

// A refused name and a refused "no activities" keep the dialog open; a command with OK's
// id that does not come from the button commits nothing; blanks are a name.
TEST_F(PropertiesDlgTest, OkRefusesAnEmptyNameAndCountsOnlyFromTheButton) {
    CProject* project = Open({});
    CUiScript script;
    script.Do([&] { harness::SetItemText(Dlg(), IDC_PROPERTIES_NAME, ""); })
        .Do([&] { Click(Dlg(), IDC_PROPERTIES_OK); })
        .AnswerMessageBox(IDOK, "You need to fill in a project name!")
        .Do([&] { harness::SetItemText(Dlg(), IDC_PROPERTIES_NAME, "  "); })
        .Do([&] { PostMessageA(Dlg(), WM_COMMAND, IDC_PROPERTIES_OK, 0); })
        .Do([&] { Click(Dlg(), IDC_PROPERTIES_OK); })
        .AnswerMessageBox(IDNO, "doesn't have any activities")
        .Do([&] { Click(Dlg(), IDC_PROPERTIES_OK); })
        .AnswerMessageBox(IDYES, "doesn't have any activities");
    EXPECT_EQ(Run(script, project), 0);
    ASSERT_EQ(script.GetMessageBoxes().size(), 3u);
    EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - No name");
    EXPECT_EQ(script.GetMessageBoxes()[1].caption, "Tallymarks - No activities defined");
    EXPECT_EQ(project->GetStateCount(), 1u);
    EXPECT_EQ(project->GetState()->GetName(), "  ");
    EXPECT_NE(SaveAndClose(project), m_original);
}

// An activity removed in the manage activities dialog and a tally mark removed in the
// manage tally marks dialog, each confirmed there, shown in the content lines (one and
// many): the outer OK writes both with the new name, the outer Cancel leaves the file
// byte for byte as it was.
TEST_F(PropertiesDlgTest, InnerDialogsWriteIntoItsTransactionAndItsEndDecides) {
    for (const bool outerOk : {false, true}) {
        CProject* project = Open({"A*", "B"});
        CUiScript script;
        std::string before, after;
        script
            .Do([&] {
                before = Text(IDC_PROPERTIES_NAME) + "|" + Text(IDC_PROPERTIES_FILE) + "|" +
                         Text(IDC_PROPERTIES_ACTIVITY_COUNT) + "|" +
                         Text(IDC_PROPERTIES_TALLYMARK_COUNT);
                harness::SetItemText(Dlg(), IDC_PROPERTIES_NAME, "Renamed");
            })
            .Do([&] { Click(Dlg(), IDC_PROPERTIES_ACTIVITIES); })
            .WaitFor([] { return FindThreadWindow(kActivitiesCaption) != nullptr; })
            .Do([] {
                harness::SelectListRow(FindThreadWindow(kActivitiesCaption), IDC_ACTIVITIES_LIST,
                                       1);
            })
            .Do([] { Click(FindThreadWindow(kActivitiesCaption), IDC_ACTIVITIES_REMOVE); })
            .Do([] { Click(FindThreadWindow(kActivitiesCaption), IDC_ACTIVITIES_OK); })
            .Do([&] { Click(Dlg(), IDC_PROPERTIES_TALLYMARKS); })
            .WaitFor([] { return FindThreadWindow(kTracesCaption) != nullptr; })
            .Do([] {
                harness::SelectListRow(FindThreadWindow(kTracesCaption), IDC_TRACES_LIST, 0);
            })
            .Do([] { Click(FindThreadWindow(kTracesCaption), IDC_TRACES_REMOVE); })
            .Do([] { Click(FindThreadWindow(kTracesCaption), IDC_TRACES_OK); })
            .Do([&] {
                after = Text(IDC_PROPERTIES_ACTIVITY_COUNT) + "|" +
                        Text(IDC_PROPERTIES_TALLYMARK_COUNT);
                EXPECT_EQ(project->GetStateCount(), 2u);
                Click(Dlg(), outerOk ? IDC_PROPERTIES_OK : IDCANCEL);
            });
        EXPECT_EQ(Run(script, project), outerOk ? 0 : 1);
        EXPECT_EQ(before, "Plan|" + m_folder.File("f.wkp") +
                              "|2 activities in project|1 tally mark in project");
        EXPECT_EQ(after, "1 activity in project|0 tally marks in project");
        EXPECT_EQ(project->GetStateCount(), 1u);
        CProjectState* state = project->GetState();
        EXPECT_EQ(state->GetName(), outerOk ? "Renamed" : "Plan");
        EXPECT_EQ(state->GetTallymarksByDate().GetCount(), outerOk ? 0u : 1u);
        EXPECT_EQ(project->IsModified(ppName | ppActivities | ppTallymarks), outerOk);
        EXPECT_EQ(SaveAndClose(project) != m_original, outerOk);
    }
}

// The project is closed (as the tray could) while the dialog runs, also while a dialog it
// opened runs: both end and nothing touches the deleted project.
TEST_F(PropertiesDlgTest, ProjectClosedUnderItEndsIt) {
    for (const bool nested : {false, true}) {
        CProject* project = Open({"A"});
        CUiScript script;
        if (nested) {
            script.Do([&] { Click(Dlg(), IDC_PROPERTIES_ACTIVITIES); }).WaitFor([] {
                return FindThreadWindow(kActivitiesCaption) != nullptr;
            });
        }
        script.Do([&] { EXPECT_TRUE(m_app->GetProjects().Close(project, true)); });
        EXPECT_EQ(Run(script, project), 1);
        EXPECT_EQ(m_app->GetProjects().GetNumProjects(), 0u);
    }
}

} // namespace
