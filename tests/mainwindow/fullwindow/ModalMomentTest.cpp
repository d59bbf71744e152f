// What arrives from outside while the program is inside a modal moment (the save file
// dialog, a question, the exit question, a launcher dialog, the new-project dialog): a
// close request and the end of the session are refused, a hand-over waits for the
// moment's end, a posted command is ignored whatever its notification code, a click on
// the window's start button starts nothing, and the project file stays loadable.

#include "MainWindowFixture.h"

#include "dialogs/CPropsDlg.h"
#include "library/dialogs/CModalScope.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <string>
#include <tuple>
#include <vector>

using harness::CUiScript;
using mainwindowtest::CMainWindowFixture;
using mainwindowtest::CStandInDialog;
using mainwindowtest::SFixtureActivity;

namespace {

const std::vector<SFixtureActivity> kTree = {{"Build", -1, 2}, {"Test", -1, 1}};

enum class EMoment { SaveAsDialog, CloseQuestion, ExitQuestion, LauncherDialog, NewProjectDialog };
enum class ETrigger {
    CloseRequest,
    EndOfSession,
    HandOver,
    PostedCommand,
    PostedNotification,
    ClickedStart
};

const char* const kSaveDialog = "Tallymarks - Save project";
const char* const kStandIn = "Stand-in dialog";
const char* const kNewProjectDialog = "Tallymarks - New project properties";

// The moment's own question, about the changed project.
bool AsksAQuestion(EMoment moment) {
    return moment == EMoment::CloseQuestion || moment == EMoment::ExitQuestion;
}

// What loading the file gives: the project name and its top-level activities, or the error.
std::string LoadedContent(const std::string& path) {
    CProject project;
    const CError error = project.Load(CFilePath(path));
    if (error.IsError()) {
        return "error: " + error.GetText();
    }
    std::string content = project.GetState()->GetName();
    for (CActivity* child = project.GetState()->GetRootActivity()->GetFirstChild();
         child != nullptr; child = child->GetNextSibling()) {
        content += "/" + child->GetName();
    }
    return content;
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<EMoment, ETrigger>>& info) {
    static const char* const moments[] = {"SaveAsDialog", "CloseQuestion", "ExitQuestion",
                                          "LauncherDialog", "NewProjectDialog"};
    static const char* const triggers[] = {"CloseRequest",  "EndOfSession",       "HandOver",
                                           "PostedCommand", "PostedNotification", "ClickedStart"};
    return std::string(moments[static_cast<int>(std::get<0>(info.param))]) + "_" +
           triggers[static_cast<int>(std::get<1>(info.param))];
}

} // namespace

class ModalMomentTest : public CMainWindowFixture {
protected:
    ~ModalMomentTest() override { CDialogLauncher::Clear(); }

    void Post(UINT message, WPARAM wParam = 0) { PostMessageA(Hwnd(), message, wParam, 0); }

    // Steps that open the moment and wait until it shows.
    void Open(CUiScript& script, EMoment moment) {
        switch (moment) {
        case EMoment::SaveAsDialog:
            script.Do([this] { Post(WM_COMMAND, IDM_PROJECT_SAVE_AS); }).WaitFor([] {
                return harness::FindThreadWindow(kSaveDialog) != nullptr;
            });
            break;
        case EMoment::CloseQuestion:
        case EMoment::ExitQuestion:
            script
                .Do([this, moment] {
                    App().GetProjects().GetCurrentProject()->SetModified(ppTallymarks);
                    Post(WM_COMMAND,
                         moment == EMoment::CloseQuestion ? IDM_PROJECT_CLOSE : IDM_PROJECT_EXIT);
                })
                .HoldMessageBox("unsaved changes");
            break;
        case EMoment::LauncherDialog:
            CDialogLauncher::Register(
                EDialogKind::ProjectStatistics,
                {{990, false, EPlacementSlot::ProjectStatistics, 0}, true, [](CMainDlgBase&) {
                     return std::unique_ptr<CDialogWindow>(new CStandInDialog());
                 }});
            script.Do([this] { Post(WM_COMMAND, IDM_PROJECT_STATISTICS); }).WaitFor([] {
                return harness::FindThreadWindow(kStandIn) != nullptr;
            });
            break;
        case EMoment::NewProjectDialog:
            App().SetNewProjectDialog(&CPropsDlg::RunForNewProject);
            script.Do([this] { Post(WM_COMMAND, IDM_PROJECT_NEW); }).WaitFor([] {
                return harness::FindThreadWindow(kNewProjectDialog) != nullptr;
            });
            break;
        }
    }

    // Steps that end the moment the way that keeps everything (the save is confirmed
    // over the project's own file).
    void Finish(CUiScript& script, EMoment moment) {
        switch (moment) {
        case EMoment::SaveAsDialog:
            script
                .Do([] {
                    PostMessageA(harness::FindThreadWindow(kSaveDialog), WM_COMMAND, IDOK, 0);
                })
                .AnswerMessageBox(IDYES);
            break;
        case EMoment::CloseQuestion:
        case EMoment::ExitQuestion:
            script.AnswerHeldMessageBox(IDCANCEL);
            break;
        case EMoment::LauncherDialog:
            script.Do([] { harness::Click(harness::FindThreadWindow(kStandIn), IDOK); });
            break;
        case EMoment::NewProjectDialog:
            script.Do(
                [] { harness::Click(harness::FindThreadWindow(kNewProjectDialog), IDCANCEL); });
            break;
        }
        script.WaitFor([] { return !CModalScope::IsActive(); }, 5000, "the moment's end");
    }
};

class ModalMomentTriggerTest : public ModalMomentTest,
                               public ::testing::WithParamInterface<std::tuple<EMoment, ETrigger>> {
};

TEST_P(ModalMomentTriggerTest, NothingFromOutsideActsOnWhatTheMomentHolds) {
    const EMoment moment = std::get<0>(GetParam());
    const ETrigger trigger = std::get<1>(GetParam());
    const std::string work = MakeProject("Work.wkp", "Work", kTree);
    const std::string other = MakeProject("Other.wkp", "Other", kTree);
    const std::string original = m_folder.Read("Work.wkp");
    CUiScript script;
    size_t before = 0;
    size_t during = 0;
    bool windowKept = false;
    bool workingDuring = false;
    LRESULT sessionAnswer = -1;
    std::string shownAfter;
    script.WaitFor(WindowShown());
    Open(script, moment);
    script
        .Do([&] {
            before = App().GetProjects().GetNumProjects();
            switch (trigger) {
            case ETrigger::CloseRequest:
                Post(WM_CLOSE);
                break;
            case ETrigger::EndOfSession:
                sessionAnswer = SendMessageA(Hwnd(), WM_QUERYENDSESSION, 0, 0);
                break;
            case ETrigger::HandOver: {
                COPYDATASTRUCT copy = {112, static_cast<DWORD>(other.size() + 1),
                                       const_cast<char*>(other.c_str())};
                SendMessageA(Hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
                break;
            }
            case ETrigger::PostedCommand:
                Post(WM_COMMAND, IDM_PROJECT_NEW);
                break;
            case ETrigger::PostedNotification:
                Post(WM_COMMAND, MAKEWPARAM(IDM_PROJECT_NEW, 2));
                break;
            case ETrigger::ClickedStart:
                if (CProject* current = App().GetProjects().GetCurrentProject()) {
                    CProjectState* state = current->GetState();
                    state->SetSelectedActivity(state->GetRootActivity()->GetFirstChild());
                }
                // As the button itself reports a click.
                SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_MAIN_START, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(Hwnd(), IDC_MAIN_START)));
                break;
            }
        })
        // Posted messages go before the timer's next tick.
        .Do([&] {
            during = App().GetProjects().GetNumProjects();
            windowKept = Hwnd() != nullptr && IsWindow(Hwnd()) && IsWindowVisible(Hwnd());
            for (size_t i = 0; i < App().GetProjects().GetNumProjects(); ++i) {
                workingDuring |= App().GetProjects().GetProject(i)->GetState()->IsWorking();
            }
        });
    Finish(script, moment);
    if (trigger == ETrigger::HandOver) {
        script.WaitFor(
            [&] {
                CProject* current = App().GetProjects().GetCurrentProject();
                return current != nullptr && current->GetState()->GetName() == "Other";
            },
            5000, "the handed-over project");
    }
    script.Do([&] {
        shownAfter = harness::GetText(Hwnd());
        Post(WM_COMMAND, IDM_PROJECT_EXIT);
    });
    if (AsksAQuestion(moment)) {
        script.AnswerMessageBox(IDNO, "unsaved changes");
    }
    EXPECT_EQ(Run(script, work), 0);
    EXPECT_TRUE(windowKept);
    EXPECT_FALSE(workingDuring);
    EXPECT_EQ(during, before);
    if (trigger == ETrigger::EndOfSession) {
        EXPECT_EQ(sessionAnswer, 0);
    }
    if (trigger == ETrigger::HandOver) {
        EXPECT_NE(shownAfter.find("Other"), std::string::npos) << shownAfter;
    }
    EXPECT_EQ(LoadedContent(work), "Work/Build/Test");
    EXPECT_EQ(m_folder.Read("Work.wkp"), original);
}

INSTANTIATE_TEST_SUITE_P(
    MomentsAndTriggers, ModalMomentTriggerTest,
    ::testing::Combine(::testing::Values(EMoment::SaveAsDialog, EMoment::CloseQuestion,
                                         EMoment::ExitQuestion, EMoment::LauncherDialog,
                                         EMoment::NewProjectDialog),
                       ::testing::Values(ETrigger::CloseRequest, ETrigger::EndOfSession,
                                         ETrigger::HandOver, ETrigger::PostedCommand,
                                         ETrigger::PostedNotification, ETrigger::ClickedStart)),
    CaseName);

// Hand-overs that arrive during one moment are all opened after it, in their order.
TEST_F(ModalMomentTest, HandOversDuringAMomentOpenInOrderAfterIt) {
    const std::string work = MakeProject("Work.wkp", "Work", kTree);
    std::vector<std::string> paths;
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        paths.push_back(MakeProject(std::string(name) + ".wkp", name, kTree));
    }
    CUiScript script;
    std::vector<std::string> switched;
    script.WaitFor(WindowShown());
    Open(script, EMoment::LauncherDialog);
    script.Do([&] {
        // Gamma, Alpha, Beta, Alpha again: Alpha waits once, behind Beta.
        for (size_t index : {2u, 0u, 1u, 0u}) {
            COPYDATASTRUCT copy = {112, static_cast<DWORD>(paths[index].size() + 1),
                                   const_cast<char*>(paths[index].c_str())};
            SendMessageA(Hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
        }
        switched.push_back(App().GetProjects().GetCurrentProject()->GetState()->GetName());
    });
    Finish(script, EMoment::LauncherDialog);
    script
        .WaitFor([&] { return App().GetProjects().GetNumProjects() == 4; }, 5000,
                 "the handed-over projects")
        .Do([&] {
            switched.push_back(App().GetProjects().GetCurrentProject()->GetState()->GetName());
            Post(WM_COMMAND, IDM_PROJECT_EXIT);
        });
    EXPECT_EQ(Run(script, work), 0);
    EXPECT_EQ(switched, (std::vector<std::string>{"Work", "Alpha"}));
    EXPECT_NE(ReadUserSettings().find("Gamma"), std::string::npos);
}
