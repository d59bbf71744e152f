// The detected inactivity and the import and export dialogs from the running program: the
// main window's inactivity loop (here on a resume from sleep) opens the inactivity dialog
// for the working project, whose OK books the away time; the menu commands open import
// and export on the current project.

#include "mainwindow/fullwindow/MainWindowFixture.h"

#include "app/services/CInactivityDetector.h"
#include "dialogs/DialogRegistry.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/CTallymarks.h"
#include "resources/ResourceIds.h"

#include <cmath>
#include <string>
#include <vector>

using harness::CUiScript;
using mainwindowtest::CMainWindowFixture;

namespace {

const char kInactivityCaption[] = "Tallymarks - Detected computer inactivity";
const double kMinute = 1.0 / 1440.0;

CAppMain* g_app = nullptr;
CDateTime g_lastInput;

// Reports the inactivity as the detector does on a resume, from the message loop.
void CALLBACK ReportInactivity(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    CInactiveEvent event(SClockReading{g_lastInput}, true);
    g_app->GetInactivityDetector().CSignal<CInactiveEvent>::Emit(event);
}

class ExchangeWindowTest : public CMainWindowFixture {
protected:
    ExchangeWindowTest() {
        RegisterExchangeDialogs();
        m_folder.Write("UserSettings.ini", "[InactivityDetector]\r\nDetect=n\r\n");
        StartApp();
        g_app = &App();
    }
    ~ExchangeWindowTest() override {
        CDialogLauncher::Clear();
        g_app = nullptr;
    }
    static std::function<bool()> Shown(const char* caption) {
        return [caption] { return harness::FindThreadWindow(caption) != nullptr; };
    }
    CActivity* Activity(const char* name) {
        CActivity* root = App().GetProjects().GetCurrentProject()->GetState()->GetRootActivity();
        for (CActivity* activity = root->GetFirstChild(); activity != nullptr;
             activity = activity->GetNextSibling()) {
            if (activity->GetName() == name) {
                return activity;
            }
        }
        return nullptr;
    }
};

// Worked on Dev for an hour, away for the last twenty minutes across a sleep: the away time
// is booked on Mail and work continues on Meet.
TEST_F(ExchangeWindowTest, InactivityLoopBooksTheAwayTimeOnResume) {
    const std::string path =
        MakeProject("Work.wkp", "Work", {{"Dev", -1, 0}, {"Mail", -1, 0}, {"Meet", -1, 0}});
    CUiScript script;
    double now = 0;
    script.WaitFor(WindowShown())
        .Do([&] {
            now = CDateTime::Now(true).GetValue();
            CActivity* dev = Activity("Dev");
            dev->GetTallymarks().Add(new CTallymark(dev, CDateTime(now - 60 * kMinute)));
            g_lastInput = CDateTime(now - 20 * kMinute);
            SetTimer(nullptr, 0, 10, &ReportInactivity);
        })
        .WaitFor(Shown(kInactivityCaption))
        .Do([&] {
            HWND dialog = harness::FindThreadWindow(kInactivityCaption);
            harness::Click(dialog, IDC_INACTIVITY_INCLUDE);
            harness::SelectComboItem(dialog, IDC_INACTIVITY_INCLUDE_ACTIVITY, 1);
            harness::Click(dialog, IDC_INACTIVITY_CONTINUE);
            harness::SelectComboItem(dialog, IDC_INACTIVITY_CONTINUE_ACTIVITY, 2);
            harness::Click(dialog, IDC_INACTIVITY_OK);
        })
        .WaitFor([] { return harness::FindThreadWindow(kInactivityCaption) == nullptr; })
        .Do([&] {
            CTallymark* dev = Activity("Dev")->GetTallymarks().GetFirst();
            CTallymark* mail = Activity("Mail")->GetTallymarks().GetFirst();
            CTallymark* meet = Activity("Meet")->GetTallymarks().GetFirst();
            ASSERT_TRUE(dev != nullptr && mail != nullptr && meet != nullptr);
            EXPECT_EQ(dev->GetEnd(false), g_lastInput);
            EXPECT_EQ(mail->GetStart(), g_lastInput);
            EXPECT_EQ(mail->GetEnd(false), meet->GetStart());
            EXPECT_LT(std::fabs(meet->GetStart().GetValue() - now), kMinute);
            EXPECT_TRUE(meet->IsOpen());
            App().GetProjects().StopWorking(nullptr);
            Command(IDM_PROJECT_EXIT);
        })
        .AnswerMessageBox(IDNO, "Work");
    EXPECT_EQ(Run(script, path), 0);
}

// Both menu commands are enabled and open their dialog on the current project.
TEST_F(ExchangeWindowTest, MenuOpensImportAndExport) {
    const std::string path = MakeProject("Work.wkp", "Work", {{"Dev", -1, 1}});
    const std::pair<int, const char*> commands[] = {
        {IDM_PROJECT_IMPORT, "Tallymarks - Import project"},
        {IDM_PROJECT_EXPORT, "Tallymarks - Export project"}};
    CUiScript script;
    std::vector<std::string> seen;
    script.WaitFor(WindowShown());
    for (const auto& command : commands) {
        script
            .Do([&, command] {
                const UINT state =
                    GetMenuState(GetMenu(Hwnd()), static_cast<UINT>(command.first), MF_BYCOMMAND);
                seen.push_back((state & MF_GRAYED) == 0 ? "enabled" : "greyed");
                PostMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(command.first, 0), 0);
            })
            .WaitFor(Shown(command.second))
            .Do([&, command] {
                HWND dialog = harness::FindThreadWindow(command.second);
                seen.push_back(harness::GetItemText(dialog, IDC_EXCHANGE_CURRENT_NAME));
                harness::Click(dialog, IDCANCEL);
            });
    }
    script.Do([&] { Command(IDM_PROJECT_EXIT); });
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(seen, std::vector<std::string>({"enabled", "Work", "enabled", "Work"}));
}

} // namespace
