// The project properties dialog from the main window: a renamed project and a renamed
// activity show in the window at once after OK; the new-project road through the
// application object.

#include "mainwindow/fullwindow/MainWindowFixture.h"

#include "dialogs/DialogRegistry.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

using harness::Click;
using harness::CUiScript;
using harness::FindThreadWindow;
using mainwindowtest::CMainWindowFixture;

namespace {

const char kCaption[] = "Tallymarks - Project properties";
const char kNewCaption[] = "Tallymarks - New project properties";
const char kActivitiesCaption[] = "Tallymarks - Manage activities";

class PropertiesWindowTest : public CMainWindowFixture {
protected:
    PropertiesWindowTest() {
        RegisterManageActivitiesDialogs();
        RegisterProjectPropertiesDialogs();
    }
    ~PropertiesWindowTest() override { CDialogLauncher::Clear(); }
    void Post(int id) { PostMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    std::function<bool()> Shown(const char* caption) {
        return [caption] { return FindThreadWindow(caption) != nullptr; };
    }
};

TEST_F(PropertiesWindowTest, RenamedProjectAndActivityShowInTheWindowAtOnce) {
    const std::string path = MakeProject("Work.wkp", "Work", {{"Dev", -1, 1}, {"Code", 0, 2}});
    CUiScript script;
    std::string title, workingOn;
    script.WaitFor(WindowShown())
        .Do([&] {
            CProjects& projects = App().GetProjects();
            CActivity* code = projects.GetCurrentProject()
                                  ->GetState()
                                  ->GetRootActivity()
                                  ->GetFirstChild()
                                  ->GetFirstChild();
            EXPECT_TRUE(projects.StartWorking(nullptr, code));
            Post(IDM_PROJECT_PROPERTIES);
        })
        .WaitFor(Shown(kCaption))
        .Do([] { Click(FindThreadWindow(kCaption), IDC_PROPERTIES_ACTIVITIES); })
        // Rename starts once the list has reported its focused row (its notifications are
        // coalesced).
        .WaitFor([] {
            HWND dialog = FindThreadWindow(kActivitiesCaption);
            return dialog != nullptr &&
                   IsWindowEnabled(GetDlgItem(dialog, IDC_ACTIVITIES_RENAME)) != FALSE;
        })
        .Do([] {
            harness::RenameFocusedRow(FindThreadWindow(kActivitiesCaption), IDC_ACTIVITIES_RENAME,
                                      IDC_ACTIVITIES_LIST, "Design");
        })
        .Do([] { Click(FindThreadWindow(kActivitiesCaption), IDC_ACTIVITIES_OK); })
        .Do([] { harness::SetItemText(FindThreadWindow(kCaption), IDC_PROPERTIES_NAME, "Plan"); })
        .Do([] { Click(FindThreadWindow(kCaption), IDC_PROPERTIES_OK); })
        .WaitFor([] { return FindThreadWindow(kCaption) == nullptr; })
        .Do([&] {
            title = harness::GetText(Hwnd());
            workingOn = harness::GetItemText(Hwnd(), IDC_MAIN_WORKING_ON);
            PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
        })
        .AnswerMessageBox(IDYES, "You are still working on Plan\\Design\\Code")
        .AnswerMessageBox(IDNO, "The project Plan has unsaved changes");
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(title, "Plan * - Tallymarks");
    EXPECT_EQ(workingOn, "Design\\Code");
}

// Cancel drops the new project without a question; a project closed under the dialog
// (the end of the session) ends it and is not closed twice; OK keeps the project, named,
// as the current one.
TEST_F(PropertiesWindowTest, NewProjectRoadRunsTheDialogForANewProject) {
    CUiScript script;
    std::string file;
    std::vector<size_t> open;
    const auto newProject = [&](std::function<void(HWND)> action) {
        script.Do([&] { Post(IDM_PROJECT_NEW); })
            .WaitFor(Shown(kNewCaption))
            .Do([action] { action(FindThreadWindow(kNewCaption)); })
            .WaitFor([] { return FindThreadWindow(kNewCaption) == nullptr; })
            .Do([&] { open.push_back(App().GetProjects().GetNumProjects()); });
    };
    script.WaitFor(WindowShown());
    newProject([&](HWND dialog) {
        file = harness::GetItemText(dialog, IDC_PROPERTIES_FILE);
        Click(dialog, IDCANCEL);
    });
    newProject([&](HWND) { App().GetProjects().CloseAll(); });
    newProject([&](HWND dialog) {
        harness::SetItemText(dialog, IDC_PROPERTIES_NAME, "Fresh");
        Click(dialog, IDC_PROPERTIES_OK);
    });
    script.AnswerMessageBox(IDYES, "doesn't have any activities").Do([&] {
        CProject* current = App().GetProjects().GetCurrentProject();
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(current->GetState()->GetName(), "Fresh");
        EXPECT_TRUE(current->IsInitialised());
        App().GetProjects().Close(current, true);
        PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(Run(script, std::string()), 0);
    EXPECT_EQ(file, "Project not saved yet");
    EXPECT_EQ(open, std::vector<size_t>({0, 0, 1}));
}

} // namespace
