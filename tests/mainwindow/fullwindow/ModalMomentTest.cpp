// What arrives from outside while the program is inside a modal moment (the save file
// dialog, a question, the exit question, a launcher dialog, the new-project dialog, the
// notice that the clock shows a time before the start of work): a close request and the end of the
// session are refused, a hand-over waits for the moment's end, a posted command is ignored whatever
// its notification code, a click on the window's start button starts nothing, and the
// project file stays loadable. A detected inactivity waits for the moment's end too.

#include "MainWindowFixture.h"

#include "app/services/CInactiveEvent.h"
#include "dialogs/CPropsDlg.h"
#include "dialogs/DialogRegistry.h"
#include "library/dialogs/CModalScope.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "resources/ExchangeDialogIds.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <string>
#include <tuple>
#include <vector>

using harness::CUiScript;
using mainwindowtest::CMainWindowFixture;
using mainwindowtest::CStandInDialog;
using mainwindowtest::SFixtureActivity;

namespace {

const std::vector<SFixtureActivity> kTree = {{"Build", -1, 2}, {"Test", -1, 1}};

enum class EMoment {
    SaveAsDialog,
    CloseQuestion,
    ExitQuestion,
    LauncherDialog,
    NewProjectDialog,
    ClockNotice
};
enum class ETrigger {
    CloseRequest,
    EndOfSession,
    HandOver,
    PostedCommand,
    PostedNotification,
    ClickedStart,
    ActivatedRow
};

const char* const kSaveDialog = "Tallymarks - Save project";
const char* const kStandIn = "Stand-in dialog";
const char* const kNewProjectDialog = "Tallymarks - New project properties";
const char* const kInactivityDialog = "Tallymarks - Detected computer inactivity";
const double kHour = 1.0 / 24.0;

// The moment leaves the project changed: the exit asks about it.
bool AsksAQuestion(EMoment moment) {
    return moment == EMoment::CloseQuestion || moment == EMoment::ExitQuestion ||
           moment == EMoment::ClockNotice;
}

CActivity* TopActivity(CProject* project, const std::string& name) {
    for (CActivity* child = project->GetState()->GetRootActivity()->GetFirstChild();
         child != nullptr; child = child->GetNextSibling()) {
        if (child->GetName() == name) {
            return child;
        }
    }
    return nullptr;
}

CProject* FindProject(const CProjects& projects, const std::string& name) {
    for (size_t index = 0; index < projects.GetNumProjects(); ++index) {
        if (projects.GetProject(index)->GetState()->GetName() == name) {
            return projects.GetProject(index);
        }
    }
    return nullptr;
}

// The activity of the project's running tally mark, or "none".
std::string WorkedOn(CProject* project) {
    const CTallymark* running =
        project != nullptr ? project->GetState()->GetCurrentTallymark() : nullptr;
    return running != nullptr ? running->GetActivity()->GetName() : "none";
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

std::string MomentName(EMoment moment) {
    static const char* const moments[] = {"SaveAsDialog",   "CloseQuestion",    "ExitQuestion",
                                          "LauncherDialog", "NewProjectDialog", "ClockNotice"};
    return moments[static_cast<int>(moment)];
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<EMoment, ETrigger>>& info) {
    static const char* const triggers[] = {"CloseRequest",  "EndOfSession",       "HandOver",
                                           "PostedCommand", "PostedNotification", "ClickedStart",
                                           "ActivatedRow"};
    return MomentName(std::get<0>(info.param)) + "_" +
           triggers[static_cast<int>(std::get<1>(info.param))];
}

} // namespace

class ModalMomentTest : public CMainWindowFixture {
protected:
    ~ModalMomentTest() override { CDialogLauncher::Clear(); }

    void Post(UINT message, WPARAM wParam = 0) { PostMessageA(Hwnd(), message, wParam, 0); }

    // Steps that start work on Build, an hour before now; the steps after it know it.
    void StartWork(CUiScript& script) {
        m_working = true;
        script.Do([this] {
            CProject* project = App().GetProjects().GetCurrentProject();
            ASSERT_TRUE(App().GetProjects().StartWorking(project, TopActivity(project, "Build")));
            project->GetState()->GetCurrentTallymark()->SetStart(
                CDateTime(CDateTime::Now(true).GetValue() - kHour));
        });
    }

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
                .HoldMessageBox(m_working ? "You are still working" : "unsaved changes");
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
        case EMoment::ClockNotice:
            // Work on Build began in an hour's time by the clock (a start set by hand, so
            // the time that passed is unknown): starting Test ends it at its start, and the
            // notice tells it.
            if (!m_working) {
                StartWork(script);
            }
            script
                .Do([this] {
                    CProject* project = App().GetProjects().GetCurrentProject();
                    project->GetState()->GetCurrentTallymark()->SetStart(
                        CDateTime(CDateTime::Now(true).GetValue() + kHour));
                    project->GetState()->SetSelectedActivity(TopActivity(project, "Test"));
                    Post(WM_COMMAND, IDM_TIME_START);
                })
                .HoldMessageBox("the time you worked cannot be known");
            break;
        }
    }

    // Steps that end the moment the way that keeps everything (the save is confirmed
    // over the project's own file); with waitForEnd, until no moment runs any more.
    void Finish(CUiScript& script, EMoment moment, bool waitForEnd = true) {
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
        case EMoment::ClockNotice:
            script.AnswerHeldMessageBox(IDOK);
            break;
        }
        if (waitForEnd) {
            script.WaitFor([] { return !CModalScope::IsActive(); }, 5000, "the moment's end");
        }
    }

    // The exit at the end of a run: the work goes on in the file as it was, nothing saved.
    void ExitUnsaved(CUiScript& script, EMoment moment) {
        script.Do([this] { Post(WM_COMMAND, IDM_PROJECT_EXIT); });
        if (m_working) {
            script.AnswerMessageBox(IDNO, "You are still working");
        }
        // The save dialog's moment ends with the project saved.
        if ((m_working || AsksAQuestion(moment)) && moment != EMoment::SaveAsDialog) {
            script.AnswerMessageBox(IDNO, "unsaved changes");
        }
    }

    bool m_working = false;
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
    std::string workBefore;
    std::string workDuring;
    LRESULT sessionAnswer = -1;
    std::string shownAfter;
    std::string workedOnAfter;
    script.WaitFor(WindowShown());
    Open(script, moment);
    script
        .Do([&] {
            before = App().GetProjects().GetNumProjects();
            workBefore = WorkedOn(FindProject(App().GetProjects(), "Work"));
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
            case ETrigger::ActivatedRow: {
                // As the list reports a double click on its first row.
                NMITEMACTIVATE activate = {};
                activate.hdr.hwndFrom = GetDlgItem(Hwnd(), IDC_MAIN_ACTIVITIES);
                activate.hdr.idFrom = IDC_MAIN_ACTIVITIES;
                activate.hdr.code = LVN_ITEMACTIVATE;
                activate.iItem = 0;
                SendMessageA(Hwnd(), WM_NOTIFY, IDC_MAIN_ACTIVITIES,
                             reinterpret_cast<LPARAM>(&activate));
                break;
            }
            }
        })
        // Posted messages go before the timer's next tick.
        .Do([&] {
            during = App().GetProjects().GetNumProjects();
            windowKept = Hwnd() != nullptr && IsWindow(Hwnd()) && IsWindowVisible(Hwnd());
            workDuring = WorkedOn(FindProject(App().GetProjects(), "Work"));
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
        workedOnAfter = WorkedOn(FindProject(App().GetProjects(), "Work"));
    });
    ExitUnsaved(script, moment);
    EXPECT_EQ(Run(script, work), 0);
    // The start that raised the notice went on, after it, to the activity asked for.
    EXPECT_EQ(workedOnAfter, moment == EMoment::ClockNotice ? "Test" : "none");
    EXPECT_TRUE(windowKept);
    EXPECT_EQ(workDuring, workBefore);
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
                                         EMoment::NewProjectDialog, EMoment::ClockNotice),
                       ::testing::Values(ETrigger::CloseRequest, ETrigger::EndOfSession,
                                         ETrigger::HandOver, ETrigger::PostedCommand,
                                         ETrigger::PostedNotification, ETrigger::ClickedStart,
                                         ETrigger::ActivatedRow)),
    CaseName);

namespace {

// The inactivity that the detector reports from its timer, once.
CAppMain* g_reportingApp = nullptr;
void CALLBACK ReportInactivity(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    CInactiveEvent event(SClockReading{CDateTime(CDateTime::Now(true).GetValue() - kHour / 3)},
                         false);
    g_reportingApp->GetInactivityDetector().CSignal<CInactiveEvent>::Emit(event);
}

} // namespace

class ModalMomentInactivityTest : public ModalMomentTest,
                                  public ::testing::WithParamInterface<EMoment> {};

// Work runs on Build; an inactivity is reported during the moment. Its dialog waits until
// the moment has ended, then comes over the disabled main window for the tally mark that
// runs then (Test, after the clock notice's start).
TEST_P(ModalMomentInactivityTest, TheInactivityDialogWaitsForTheMomentsEnd) {
    const EMoment moment = GetParam();
    RegisterExchangeDialogs();
    const std::string work = MakeProject("Work.wkp", "Work", kTree);
    CUiScript script;
    bool shownDuring = true;
    bool mainEnabledUnder = true;
    std::string workedOn;
    script.WaitFor(WindowShown());
    StartWork(script);
    Open(script, moment);
    script
        .Do([this] {
            g_reportingApp = &App();
            SetTimer(nullptr, 0, 10, &ReportInactivity);
        })
        .Do([&] { shownDuring = harness::FindThreadWindow(kInactivityDialog) != nullptr; });
    // The inactivity dialog follows at once, a moment of its own.
    Finish(script, moment, false);
    script
        .WaitFor(
            [] {
                HWND dialog = harness::FindThreadWindow(kInactivityDialog);
                return dialog != nullptr && IsWindowVisible(dialog);
            },
            5000, "the inactivity dialog")
        .Do([&] {
            HWND dialog = harness::FindThreadWindow(kInactivityDialog);
            mainEnabledUnder = IsWindowEnabled(Hwnd()) != FALSE;
            workedOn = harness::GetItemText(dialog, IDC_INACTIVITY_ACTIVITY);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        })
        .WaitFor([] { return harness::FindThreadWindow(kInactivityDialog) == nullptr; });
    ExitUnsaved(script, moment);
    EXPECT_EQ(Run(script, work), 0);
    EXPECT_FALSE(shownDuring);
    EXPECT_FALSE(mainEnabledUnder);
    EXPECT_EQ(workedOn, moment == EMoment::ClockNotice ? "Test" : "Build");
}

INSTANTIATE_TEST_SUITE_P(Moments, ModalMomentInactivityTest,
                         ::testing::Values(EMoment::SaveAsDialog, EMoment::CloseQuestion,
                                           EMoment::ExitQuestion, EMoment::LauncherDialog,
                                           EMoment::ClockNotice),
                         [](const ::testing::TestParamInfo<EMoment>& info) {
                             return MomentName(info.param);
                         });

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
