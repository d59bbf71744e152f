#pragma once

// The application object on a folder of its own with the settings dialog run by itself:
// helpers that act on the controls of its pages as a person would (the page chosen
// first), a summary of every setting the dialog writes, and the user settings file.

#include "app/main/CAppMain.h"
#include "app/settings/CSetAutoStart.h"
#include "dialogs/CSettingsDlg.h"
#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace settingstest {

// The settings that the fixture's user file holds before each test.
const char kUserSettings[] = "[Application]\r\nFirstDayOfWeek=1\r\nStdWorkHoursStartH=8\r\n"
                             "StdWorkHoursStartM=30\r\nStdWorkHoursStartS=0\r\n"
                             "StdWorkHoursEndH=17\r\nStdWorkHoursEndM=15\r\nStdWorkHoursEndS=0\r\n"
                             "HotKey=1910\r\nMinimizeToNotArea=n\r\n"
                             "[MainWindow]\r\nNumColumns=3\r\n[RecentProjects]\r\nMaxSize=6\r\n"
                             "[TimeDisplay]\r\nEmptyMode=1\r\nShowCumulativeTime=y\r\n"
                             "[InactivityDetector]\r\nDetect=y\r\nNumMinutes=25\r\n"
                             "[PowerStateTracker]\r\nDetect=n\r\n"
                             "[Settings]\r\nShowTips=y\r\nLanguage=en\r\n";
// Ctrl+Alt+Shift+F7, as the stored value above.
const uint16_t kStoredHotKey = 1910;

class CSettingsFixture : public harness::CDialogAppFixture {
protected:
    ~CSettingsFixture() override {
        if (m_hotKeyWindow != nullptr) {
            m_app->GetHotKey().SetWindow(nullptr);
            DestroyWindow(m_hotKeyWindow);
        }
    }

    // A portable installation reads and writes the user file of the folder; otherwise
    // no file is opened and the settings keep their defaults, but for the hotkey and the
    // columns. The hotkey is bound to a
    // window of the test, so that its registration can be seen.
    void StartApp(bool portable) {
        if (!portable) {
            m_folder.Write("InstallSettings.ini", "[Settings]\r\n");
        }
        m_folder.Write("UserSettings.ini", kUserSettings);
        CDialogAppFixture::StartApp(portable);
        if (portable) {
            m_app->OpenSettingsFiles();
        } else {
            m_app->GetSetHotKey().SetHotKey(kStoredHotKey);
            m_app->GetSetMainDlg().SetNumColumns(3);
        }
        m_app->LoadLanguageModules();
        m_hotKeyWindow =
            CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        m_app->GetHotKey().SetWindow(m_hotKeyWindow);
    }

    // Runs the dialog modally from its template while the script runs.
    static void Run(harness::CUiScript& script, CSettingsDlg& dialog) {
        harness::RunDialog(script, dialog, IDD_SETTINGS);
    }

    // Every setting that the dialog writes, as one line.
    std::string Describe() {
        CAppMain& app = *m_app;
        std::ostringstream text;
        text << "day " << app.GetSetDateTime().GetFirstDayOfWeek() << " work "
             << app.GetSetDateTime().GetWorkStart().GetValue() << "-"
             << app.GetSetDateTime().GetWorkEnd().GetValue() << " recent "
             << app.GetSetRecentProjects().GetMaxSize() << " columns "
             << app.GetSetMainDlg().GetNumColumns() << " empty "
             << app.GetSetTimeDisplay().GetEmptyMode() << " cumulative "
             << app.GetSetTimeDisplay().GetShowCumulativeTime() << " hotkey "
             << app.GetSetHotKey().GetHotKey() << " minimise "
             << app.GetSetMinToNotArea().GetMinimizeToNotArea() << " standby "
             << app.GetSetPowerStateTracker().GetDetect() << " inactivity "
             << app.GetSetInactivityDetector().GetDetect() << "/"
             << app.GetSetInactivityDetector().GetNumMinutes() << " tips "
             << app.GetSetTips().GetShowTips() << " language "
             << app.GetSetLanguage().GetLanguage();
        return text.str();
    }

    std::string SaveAndReadUserSettings() {
        EXPECT_TRUE(m_app->GetUserSettings().Save());
        std::ifstream file(m_folder.File("UserSettings.ini"), std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    HWND m_hotKeyWindow = nullptr;
};

// The value of key in section of an INI text; "<missing>" when it is not there.
inline std::string IniValue(const std::string& ini, const std::string& section,
                            const std::string& key) {
    std::istringstream lines(ini);
    std::string line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line[0] == '[') {
            inSection = line == "[" + section + "]";
        } else if (inSection && line.compare(0, key.size() + 1, key + "=") == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return "<missing>";
}

// Shows the page as a click on its tab does.
inline void SelectPage(const CSettingsDlg& dialog, int page) {
    HWND tab = GetDlgItem(dialog.GetHwnd(), IDC_SET_TABS);
    SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    NMHDR header = {tab, IDC_SET_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(dialog.GetHwnd(), WM_NOTIFY, IDC_SET_TABS, reinterpret_cast<LPARAM>(&header));
}

// What a control of a page shows: an edit its text, a list its chosen entry, a hotkey
// control its value, a button "checked" or "unchecked"; " disabled" when it is.
inline std::string Shown(const CSettingsDlg& dialog, int id) {
    HWND control = dialog.GetControl(id);
    if (control == nullptr) {
        return "<missing>";
    }
    char name[32] = "";
    GetClassNameA(control, name, sizeof(name));
    std::string shown;
    if (lstrcmpiA(name, "ComboBox") == 0) {
        const LRESULT index = SendMessageA(control, CB_GETCURSEL, 0, 0);
        char text[64] = "";
        if (index >= 0) {
            SendMessageA(control, CB_GETLBTEXT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(text));
        }
        shown = text;
    } else if (lstrcmpiA(name, HOTKEY_CLASSA) == 0) {
        shown = std::to_string(SendMessageA(control, HKM_GETHOTKEY, 0, 0));
    } else if (lstrcmpiA(name, "Button") == 0) {
        shown = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "checked" : "unchecked";
    } else {
        shown = harness::GetText(control);
    }
    return IsWindowEnabled(control) ? shown : shown + " disabled";
}

// One change a person makes on a page.
struct SChange {
    enum EKind { Text, Click, Choose, HotKey };
    int page;
    int id;
    EKind kind;
    std::string text;
    int number;
};

inline void Make(const CSettingsDlg& dialog, const SChange& change) {
    SelectPage(dialog, change.page);
    HWND control = dialog.GetControl(change.id);
    ASSERT_TRUE(control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control))
        << "control " << change.id << " cannot be used";
    switch (change.kind) {
    case SChange::Text:
        SetWindowTextA(control, change.text.c_str());
        break;
    case SChange::Click:
        SendMessageA(control, BM_CLICK, 0, 0);
        break;
    case SChange::Choose:
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(change.number), 0);
        SendMessageA(dialog.GetHwnd(), WM_COMMAND, MAKEWPARAM(change.id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
        break;
    case SChange::HotKey:
        SendMessageA(control, HKM_SETHOTKEY, static_cast<WPARAM>(change.number), 0);
        break;
    }
}

} // namespace settingstest
