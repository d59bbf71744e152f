// The settings dialog from the running program: the menu command opens it, and after OK
// the main window shows the new number of time columns and the new hotkey is registered;
// the user file written at exit holds both.

#include "mainwindow/fullwindow/MainWindowFixture.h"

#include "dialogs/DialogRegistry.h"
#include "mainwindow/CDialogLauncher.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <string>

using harness::CUiScript;
using mainwindowtest::CMainWindowFixture;

namespace {

const char kCaption[] = "Tallymarks - Settings";

class SettingsWindowTest : public CMainWindowFixture {
protected:
    SettingsWindowTest() { RegisterSettingsDialogs(); }
    ~SettingsWindowTest() override { CDialogLauncher::Clear(); }

    int ColumnCount() {
        HWND header = reinterpret_cast<HWND>(
            SendDlgItemMessageA(Hwnd(), IDC_MAIN_ACTIVITIES, LVM_GETHEADER, 0, 0));
        return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    }
};

// A control on one of the dialog's pages (the pages are child windows of the dialog).
HWND FindPageControl(HWND dialog, int id) {
    for (HWND page = GetWindow(dialog, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT)) {
        if (HWND control = GetDlgItem(page, id)) {
            return control;
        }
    }
    return nullptr;
}

TEST_F(SettingsWindowTest, OkChangesTheColumnsAndTheHotkeyAtOnce) {
    SetUserSettings("[InactivityDetector]\r\nDetect=n\r\n[Settings]\r\nShowTips=n\r\n"
                    "[MainWindow]\r\nNumColumns=2\r\n[Application]\r\nHotKey=1910");
    const uint16_t newHotKey = 0x0375; // Ctrl+Shift+F6
    CUiScript script;
    bool menuEnabled = false;
    int columnsBefore = 0, columnsAfter = 0;
    bool registeredWhileOpen = true;
    bool registeredAfter = false;
    uint16_t keyAfter = 0;
    script.WaitFor(WindowShown())
        .Do([&] {
            menuEnabled = (GetMenuState(GetMenu(Hwnd()), IDM_OPTIONS_SETTINGS, MF_BYCOMMAND) &
                           MF_GRAYED) == 0;
            columnsBefore = ColumnCount();
            PostMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(IDM_OPTIONS_SETTINGS, 0), 0);
        })
        .WaitFor([] { return harness::FindThreadWindow(kCaption) != nullptr; })
        .Do([&] {
            registeredWhileOpen = App().GetHotKey().IsRegistered();
            HWND dialog = harness::FindThreadWindow(kCaption);
            SetWindowTextA(FindPageControl(dialog, IDC_SET_NUM_COLUMNS), "4");
            SendMessageA(FindPageControl(dialog, IDC_SET_HOTKEY), HKM_SETHOTKEY, newHotKey, 0);
            harness::Click(dialog, IDC_SET_OK);
        })
        .WaitFor([] { return harness::FindThreadWindow(kCaption) == nullptr; })
        .Do([&] {
            columnsAfter = ColumnCount();
            registeredAfter = App().GetHotKey().IsRegistered();
            keyAfter = App().GetHotKey().GetHotKey();
            Command(IDM_PROJECT_EXIT);
        });
    EXPECT_EQ(Run(script), 0);
    EXPECT_TRUE(menuEnabled);
    EXPECT_FALSE(registeredWhileOpen);
    EXPECT_EQ(columnsBefore, 3) << "the activity column and two time columns";
    EXPECT_EQ(columnsAfter, 5);
    EXPECT_TRUE(registeredAfter);
    EXPECT_EQ(keyAfter, newHotKey);
    const std::string settings = ReadUserSettings();
    EXPECT_NE(settings.find("NumColumns=4"), std::string::npos) << settings;
    EXPECT_NE(settings.find("HotKey=885"), std::string::npos) << settings;
}

} // namespace
