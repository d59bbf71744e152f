// The tip, about and statistics dialogs from the running program: the tip at start-up
// from the stored settings, the menu commands enabled and opening their dialogs.

#include "mainwindow/fullwindow/MainWindowFixture.h"

#include "dialogs/DialogRegistry.h"
#include "mainwindow/CDialogLauncher.h"
#include "resources/ResourceIds.h"

#include <string>
#include <utility>
#include <vector>

using harness::CUiScript;
using mainwindowtest::CMainWindowFixture;

namespace {

const char kTipCaption[] = "Tallymarks - Tip of the Day";
const char kAboutCaption[] = "Tallymarks - About Tallymarks";
const char kStatsCaption[] = "Tallymarks - Project statistics";

class InfoWindowTest : public CMainWindowFixture {
protected:
    InfoWindowTest() { RegisterInfoDialogs(); }
    ~InfoWindowTest() override { CDialogLauncher::Clear(); }
    void WriteSettings(const std::string& tips) {
        m_folder.Write("UserSettings.ini",
                       "[InactivityDetector]\r\nDetect=n\r\n[Settings]\r\n" + tips);
        StartApp();
    }
    static std::function<bool()> Shown(const char* caption) {
        return [caption] { return harness::FindThreadWindow(caption) != nullptr; };
    }
    bool MenuEnabled(int id) {
        return (GetMenuState(GetMenu(Hwnd()), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) ==
               0;
    }
};

// A hand-edited index of -1 opens the last tip at start-up; closing it stores the first.
TEST_F(InfoWindowTest, TipShowsAtStartupFromAnyStoredIndex) {
    WriteSettings("ShowTips=y\r\nTipIndex=-1\r\n");
    CUiScript script;
    std::string heading;
    script.WaitFor(Shown(kTipCaption))
        .Do([&] {
            HWND tip = harness::FindThreadWindow(kTipCaption);
            heading = harness::GetItemText(tip, IDC_TIP_HEADING);
            harness::Click(tip, IDCANCEL);
        })
        .WaitFor(WindowShown())
        .Do([&] { Command(IDM_PROJECT_EXIT); });
    EXPECT_EQ(Run(script), 0);
    EXPECT_EQ(heading, "Tip of the Day number 22");
    const std::string settings = ReadUserSettings();
    EXPECT_NE(settings.find("TipIndex=0"), std::string::npos) << settings;
    EXPECT_NE(settings.find("ShowTips=y"), std::string::npos) << settings;
}

// Each command is enabled and opens its dialog; the statistics show the current project.
TEST_F(InfoWindowTest, MenuCommandsOpenTipAboutAndStatistics) {
    const std::string path = MakeProject("Work.wkp", "Work", {{"Dev", -1, 2}});
    const std::pair<int, const char*> commands[] = {{IDM_HELP_TIP, kTipCaption},
                                                    {IDM_HELP_ABOUT, kAboutCaption},
                                                    {IDM_PROJECT_STATISTICS, kStatsCaption}};
    CUiScript script;
    std::vector<std::string> seen;
    script.WaitFor(WindowShown());
    for (const auto& command : commands) {
        script
            .Do([&, command] {
                seen.push_back(MenuEnabled(command.first) ? "enabled" : "greyed");
                PostMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(command.first, 0), 0);
            })
            .WaitFor(Shown(command.second))
            .Do([&, command] {
                HWND dialog = harness::FindThreadWindow(command.second);
                seen.push_back(harness::GetItemText(dialog, IDC_STATS_PROJECT));
                harness::Click(dialog, IDCANCEL);
            });
    }
    script.Do([&] { Command(IDM_PROJECT_EXIT); });
    EXPECT_EQ(Run(script, path), 0);
    EXPECT_EQ(seen,
              std::vector<std::string>({"enabled", "", "enabled", "", "enabled", "02:00:00"}));
    EXPECT_EQ(App().GetSetTips().GetTipIndex(), 1u);
}

} // namespace
