// The settings dialog by itself: each page shows the settings and writes them back at OK,
// every check keeps the dialog open on its page, and no way out but OK changes anything.

#include "SettingsFixture.h"

#include <functional>
#include <utility>
#include <vector>

using harness::CUiScript;
using settingstest::CSettingsFixture;
using settingstest::IniValue;
using settingstest::Make;
using settingstest::SChange;
using settingstest::SelectPage;
using settingstest::Shown;

namespace {

// A location whose key cannot even be asked: the switch is unavailable.
const SRegistryLocation kBrokenLocation = {reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)),
                                           "Run"};
const char kTestKey[] = "Software\\TallymarksSettingsDlgTest";

// A change on every page: the empty start hours count as 0.
const std::vector<SChange> kEveryPage = {
    {CSettingsDlg::DateTimePage, IDC_SET_FIRST_DAY, SChange::Choose, "", 0},
    {CSettingsDlg::DateTimePage, IDC_SET_WORK_START_HOURS, SChange::Text, "", 0},
    {CSettingsDlg::DateTimePage, IDC_SET_WORK_END_MINUTES, SChange::Text, "45", 0},
    {CSettingsDlg::DateTimePage, IDC_SET_EMPTY_ZEROS, SChange::Click, "", 0},
    {CSettingsDlg::MainWindowPage, IDC_SET_OWN_TIME, SChange::Click, "", 0},
    {CSettingsDlg::MainWindowPage, IDC_SET_NUM_COLUMNS, SChange::Text, "5", 0},
    {CSettingsDlg::MainWindowPage, IDC_SET_RECENT_SIZE, SChange::Text, "9", 0},
    {CSettingsDlg::StartClosePage, IDC_SET_HOTKEY, SChange::HotKey, "", 0x0377},
    {CSettingsDlg::StartClosePage, IDC_SET_MIN_TO_NOT_AREA, SChange::Click, "", 0},
    {CSettingsDlg::StartClosePage, IDC_SET_ACTIVATE_AFTER_STANDBY, SChange::Click, "", 0},
    {CSettingsDlg::InactivityPage, IDC_SET_INACTIVE_MINUTES, SChange::Text, "40", 0},
    {CSettingsDlg::SupportPage, IDC_SET_SHOW_TIPS, SChange::Click, "", 0},
};

// The keys of the user file that the dialog's settings write.
const std::vector<std::pair<const char*, const char*>> kWrittenKeys = {
    {"Application", "FirstDayOfWeek"},
    {"Application", "StdWorkHoursStartH"},
    {"Application", "StdWorkHoursStartM"},
    {"Application", "StdWorkHoursEndH"},
    {"Application", "StdWorkHoursEndM"},
    {"Application", "HotKey"},
    {"Application", "MinimizeToNotArea"},
    {"MainWindow", "NumColumns"},
    {"RecentProjects", "MaxSize"},
    {"TimeDisplay", "EmptyMode"},
    {"TimeDisplay", "ShowCumulativeTime"},
    {"InactivityDetector", "Detect"},
    {"InactivityDetector", "NumMinutes"},
    {"PowerStateTracker", "Detect"},
    {"Settings", "ShowTips"},
    {"Settings", "Language"},
};

std::string WrittenValues(const std::string& ini) {
    std::string values;
    for (const auto& key : kWrittenKeys) {
        values += std::string(key.first) + "/" + key.second + "=" +
                  IniValue(ini, key.first, key.second) + "\n";
    }
    return values;
}

TEST_F(CSettingsFixture, EachPageShowsTheSettingsAndOkWritesThem) {
    StartApp(true);
    const std::pair<int, const char*> shown[] = {
        {IDC_SET_FIRST_DAY, "Monday"},
        {IDC_SET_WORK_START_HOURS, "8"},
        {IDC_SET_WORK_START_MINUTES, "30"},
        {IDC_SET_WORK_START_SECONDS, "0"},
        {IDC_SET_WORK_END_HOURS, "17"},
        {IDC_SET_WORK_END_MINUTES, "15"},
        {IDC_SET_EMPTY_NOTHING, "unchecked"},
        {IDC_SET_EMPTY_DASHES, "checked"},
        {IDC_SET_EMPTY_ZEROS, "unchecked"},
        {IDC_SET_CUMULATIVE, "checked"},
        {IDC_SET_OWN_TIME, "unchecked"},
        {IDC_SET_NUM_COLUMNS, "3"},
        {IDC_SET_RECENT_SIZE, "6"},
        {IDC_SET_HOTKEY, "1910"},
        {IDC_SET_MIN_TO_NOT_AREA, "unchecked"},
        {IDC_SET_ACTIVATE_AFTER_STANDBY, "unchecked"},
        {IDC_SET_AUTO_START, "unchecked disabled"},
        {IDC_SET_DETECT_INACTIVITY, "checked"},
        {IDC_SET_INACTIVE_MINUTES, "25"},
        {IDC_SET_SHOW_TIPS, "checked"},
        {IDC_SET_LANGUAGE, "English"},
    };
    CSettingsDlg dialog;
    CUiScript script;
    bool registeredWhileOpen = true;
    script.Do([&] {
        registeredWhileOpen = m_app->GetHotKey().IsRegistered();
        for (const auto& expected : shown) {
            EXPECT_EQ(Shown(dialog, expected.first), expected.second)
                << "control " << expected.first;
        }
        for (const SChange& change : kEveryPage) {
            Make(dialog, change);
        }
        PostMessageA(dialog.GetHwnd(), WM_COMMAND, MAKEWPARAM(IDC_SET_OK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog.GetControl(IDC_SET_OK)));
    });
    Run(script, dialog);
    EXPECT_TRUE(script.GetMessageBoxes().empty()) << "the language stays English: no restart";
    EXPECT_FALSE(registeredWhileOpen);
    EXPECT_TRUE(m_app->GetHotKey().IsRegistered());
    EXPECT_EQ(m_app->GetHotKey().GetHotKey(), 0x0377);

    const std::string ini = SaveAndReadUserSettings();
    const char* const written[] = {"0", "0", "30", "17", "45", "887", "y", "5",
                                   "9", "0", "n",  "y",  "40", "y",   "n", "EN"};
    for (size_t i = 0; i < kWrittenKeys.size(); ++i) {
        const auto& key = kWrittenKeys[i];
        EXPECT_EQ(IniValue(ini, key.first, key.second), written[i])
            << key.first << "/" << key.second;
    }
}

// Cancel, Escape and the close box change nothing, also after the notice that the
// start-up switch cannot be changed; the hotkey comes back each time.
TEST_F(CSettingsFixture, NoWayOutButOkChangesAnything) {
    struct SCase {
        bool portable;
        const char* way;
    };
    const SCase cases[] = {{true, "cancel"}, {true, "close"}, {false, "cancel"}, {false, "escape"}};
    for (const SCase& test : cases) {
        SCOPED_TRACE(std::string(test.portable ? "portable " : "installed ") + test.way);
        StartApp(test.portable);
        const std::string before = Describe();
        const std::string iniBefore = test.portable ? WrittenValues(SaveAndReadUserSettings()) : "";
        CSetAutoStart broken(kBrokenLocation, "Tallymarks");
        ASSERT_FALSE(broken.IsAvailable());
        CSettingsDlg dialog(broken);
        CUiScript script;
        if (!test.portable) {
            script.AnswerMessageBox(IDOK, "cannot be modified");
        }
        script.Do([&] {
            for (const SChange& change : kEveryPage) {
                Make(dialog, change);
            }
            HWND window = dialog.GetHwnd();
            const std::string way = test.way;
            if (way == "cancel") {
                harness::Click(window, IDCANCEL);
            } else if (way == "close") {
                PostMessageA(window, WM_CLOSE, 0, 0);
            } else {
                SetFocus(dialog.GetControl(IDC_SET_NUM_COLUMNS));
                PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
            }
        });
        Run(script, dialog);
        EXPECT_EQ(script.GetMessageBoxes().size(), test.portable ? 0u : 1u);
        EXPECT_EQ(Describe(), before);
        if (test.portable) {
            EXPECT_EQ(WrittenValues(SaveAndReadUserSettings()), iniBefore);
        }
        EXPECT_TRUE(m_app->GetHotKey().IsRegistered());
        EXPECT_EQ(m_app->GetHotKey().GetHotKey(), settingstest::kStoredHotKey);
        m_app->GetHotKey().SetWindow(nullptr);
        DestroyWindow(m_hotKeyWindow);
        m_hotKeyWindow = nullptr;
        m_app.reset();
    }
}

// Each check: the message (if any) and its answer, the page shown afterwards, whether
// the dialog stayed open and what was stored.
TEST_F(CSettingsFixture, ChecksKeepTheDialogOpenOnTheirPage) {
    struct SCase {
        const char* name;
        std::vector<SChange> changes;
        const char* message; // part of the text; null: no message
        int answer;
        int page; // the page shown when the dialog stayed open; -1 closed
        std::function<void(CAppMain&)> check;
    };
    const int open = -1;
    const auto unchangedWork = [](CAppMain& app) {
        EXPECT_EQ(app.GetSetDateTime().GetWorkStart().GetHour(), 8);
        EXPECT_EQ(app.GetSetMainDlg().GetNumColumns(), 3);
    };
    const SCase cases[] = {
        {"empty columns",
         {{1, IDC_SET_NUM_COLUMNS, SChange::Text, "", 0}},
         "time information columns",
         IDOK,
         CSettingsDlg::MainWindowPage,
         unchangedWork},
        {"empty recent size first",
         {{1, IDC_SET_NUM_COLUMNS, SChange::Text, "", 0},
          {1, IDC_SET_RECENT_SIZE, SChange::Text, "", 0}},
         "open recent",
         IDOK,
         CSettingsDlg::MainWindowPage,
         unchangedWork},
        {"hours swapped",
         {{0, IDC_SET_WORK_START_HOURS, SChange::Text, "17", 0},
          {0, IDC_SET_WORK_START_MINUTES, SChange::Text, "0", 0},
          {0, IDC_SET_WORK_END_HOURS, SChange::Text, "8", 0},
          {0, IDC_SET_WORK_END_MINUTES, SChange::Text, "0", 0}},
         "switch them",
         IDYES,
         open,
         [](CAppMain& app) {
             EXPECT_EQ(app.GetSetDateTime().GetWorkStart().GetHour(), 8);
             EXPECT_EQ(app.GetSetDateTime().GetWorkEnd().GetHour(), 17);
         }},
        {"hours not swapped",
         {{0, IDC_SET_WORK_START_HOURS, SChange::Text, "17", 0},
          {0, IDC_SET_WORK_END_HOURS, SChange::Text, "8", 0},
          {1, IDC_SET_NUM_COLUMNS, SChange::Text, "4", 0}},
         "switch them",
         IDNO,
         CSettingsDlg::DateTimePage,
         unchangedWork},
        {"equal hours",
         {{0, IDC_SET_WORK_END_HOURS, SChange::Text, "8", 0},
          {0, IDC_SET_WORK_END_MINUTES, SChange::Text, "30", 0}},
         nullptr,
         0,
         open,
         [](CAppMain& app) {
             EXPECT_EQ(app.GetSetDateTime().GetWorkEnd(), app.GetSetDateTime().GetWorkStart());
         }},
        {"garbled minutes",
         {{0, IDC_SET_WORK_START_MINUTES, SChange::Text, "75", 0},
          {1, IDC_SET_NUM_COLUMNS, SChange::Text, "4", 0}},
         nullptr,
         0,
         CSettingsDlg::DateTimePage,
         unchangedWork},
        {"no minutes without detection",
         {{3, IDC_SET_INACTIVE_MINUTES, SChange::Text, "0", 0},
          {3, IDC_SET_DETECT_INACTIVITY, SChange::Click, "", 0}},
         nullptr,
         0,
         open,
         [](CAppMain& app) { EXPECT_FALSE(app.GetSetInactivityDetector().GetDetect()); }},
        {"no minutes with detection",
         {{3, IDC_SET_INACTIVE_MINUTES, SChange::Text, "", 0}},
         "inactivity must at least be 1",
         IDOK,
         CSettingsDlg::InactivityPage,
         unchangedWork},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.name);
        StartApp(true);
        CSettingsDlg dialog;
        CUiScript script;
        int page = open;
        script.Do([&] {
            for (const SChange& change : test.changes) {
                Make(dialog, change);
            }
            SelectPage(dialog, CSettingsDlg::SupportPage);
            harness::Click(dialog.GetHwnd(), IDC_SET_OK);
        });
        if (test.message != nullptr) {
            script.AnswerMessageBox(test.answer, test.message);
        }
        if (test.page != open) {
            script.Do([&] {
                page = dialog.GetTabs().GetCurrentIndex();
                harness::Click(dialog.GetHwnd(), IDCANCEL);
            });
        }
        Run(script, dialog);
        EXPECT_EQ(page, test.page);
        EXPECT_EQ(script.GetMessageBoxes().size(), test.message != nullptr ? 1u : 0u);
        for (const harness::SMessageBoxRecord& box : script.GetMessageBoxes()) {
            EXPECT_TRUE(box.captionWhole) << "caption cut short: " << box.caption;
        }
        test.check(*m_app);
        m_app->GetHotKey().SetWindow(nullptr);
        DestroyWindow(m_hotKeyWindow);
        m_hotKeyWindow = nullptr;
        m_app.reset();
    }
}

// In an installed program the start-up switch follows its check box at OK.
TEST_F(CSettingsFixture, StartupSwitchWrittenAtOk) {
    struct SRemoveKey {
        ~SRemoveKey() { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
    } removeKey;
    const std::string runKey = std::string(kTestKey) + "\\Run";
    StartApp(false);
    CSetAutoStart autoStart({HKEY_CURRENT_USER, runKey}, "Tallymarks");
    CSettingsDlg dialog(autoStart);
    CUiScript script;
    script.Do([&] {
        Make(dialog, {CSettingsDlg::StartClosePage, IDC_SET_AUTO_START, SChange::Click, "", 0});
        harness::Click(dialog.GetHwnd(), IDC_SET_OK);
    });
    Run(script, dialog);
    EXPECT_TRUE(script.GetMessageBoxes().empty());
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, runKey.c_str(), "Tallymarks", RRF_RT_REG_SZ, nullptr,
                           nullptr, nullptr),
              ERROR_SUCCESS);
}

// The start-up switch cannot be written: Cancel in the question applies nothing and keeps
// the dialog open; the next OK applies the rest.
TEST_F(CSettingsFixture, FailedStartupSwitchAsksBeforeApplyingTheRest) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    HKEY parent = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &parent, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(parent);
    struct SRemoveKey {
        ~SRemoveKey() { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
    } removeKey;
    StartApp(false);
    CSetAutoStart autoStart({HKEY_CURRENT_USER, std::string(kTestKey) + "\\Run"}, "Tallymarks");
    ASSERT_TRUE(autoStart.IsAvailable());
    CSettingsDlg dialog(autoStart);
    CUiScript script;
    int32_t columnsAfterCancel = 0;
    script
        .Do([&] {
            EXPECT_EQ(Shown(dialog, IDC_SET_AUTO_START), "unchecked");
            Make(dialog, {CSettingsDlg::StartClosePage, IDC_SET_AUTO_START, SChange::Click, "", 0});
            Make(dialog,
                 {CSettingsDlg::MainWindowPage, IDC_SET_NUM_COLUMNS, SChange::Text, "7", 0});
            harness::Click(dialog.GetHwnd(), IDC_SET_OK);
        })
        .AnswerMessageBox(IDCANCEL, "could not be modified")
        .Do([&] {
            columnsAfterCancel = m_app->GetSetMainDlg().GetNumColumns();
            EXPECT_TRUE(dialog.IsOpen());
            harness::Click(dialog.GetHwnd(), IDC_SET_OK);
        });
    Run(script, dialog);
    ASSERT_EQ(script.GetMessageBoxes().size(), 1u);
    EXPECT_NE(script.GetMessageBoxes()[0].text.find("The error was: 1"), std::string::npos)
        << script.GetMessageBoxes()[0].text;
    EXPECT_EQ(script.GetMessageBoxes()[0].icon, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(columnsAfterCancel, 3);
    EXPECT_EQ(m_app->GetSetMainDlg().GetNumColumns(), 7);
    EXPECT_FALSE(autoStart.IsEnabled());
}

// Another language is stored, with one message that it takes a restart.
TEST_F(CSettingsFixture, AnotherLanguageAsksForARestartOnce) {
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string modules(program);
    modules = modules.substr(0, modules.find_last_of('\\')) + "\\modules\\Tallymarks_XX.dll";
    ASSERT_TRUE(CopyFileA(modules.c_str(), m_folder.File("Tallymarks_XX.dll").c_str(), FALSE))
        << modules;
    StartApp(true);
    CSettingsDlg dialog;
    CUiScript script;
    script
        .Do([&] {
            ASSERT_EQ(SendMessageA(dialog.GetControl(IDC_SET_LANGUAGE), CB_GETCOUNT, 0, 0), 2);
            EXPECT_EQ(Shown(dialog, IDC_SET_LANGUAGE), "English");
            Make(dialog, {CSettingsDlg::LanguagePage, IDC_SET_LANGUAGE, SChange::Choose, "", 1});
            EXPECT_EQ(Shown(dialog, IDC_SET_LANGUAGE), "Testish (Testisch)");
            harness::Click(dialog.GetHwnd(), IDC_SET_OK);
        })
        .AnswerMessageBox(IDOK, "restart Tallymarks");
    Run(script, dialog);
    EXPECT_EQ(script.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(m_app->GetSetLanguage().GetLanguage(), "XX");
}

} // namespace
