#pragma once

// CAppMain: the application object. It owns every long-lived part of the program (the
// language modules, the open projects, both settings files with their objects, the tray
// icon, the hotkey, the invisible window and the background services), runs the start-up
// in a fixed order and then the main windows, one at a time.
//
//   CAppMain app(SAppOptions{});            // the program entry makes exactly one ...
//   app.SetMainWindowFactory(makeWindow);   // ... tells it how to build its windows ...
//   int exitCode = app.Run(commandLine);    // ... (WinMain's: the arguments only)
//   // ... and destroys it before any static object goes (explicit shut-down order).
//
// Usage notes:
// - Windows and dialogs reach the one object through CAppMain::Get(); it exists from the
//   construction of the application object to its destruction.
// - The main-window layer sits above this one: the program entry hands in a factory
//   for the full and the compact window, and optionally the runner of the new-project
//   properties dialog. Without the latter a new project becomes current at once.
// - SAppOptions lets tests run the real start-up on a folder of their own, without the
//   program-wide single-instance names.
// - The entry makes one resource module both the module of CText and the current one
//   (CResourceModule::SetCurrent); the chosen language module becomes its primary
//   instance, and the destructor gives it back the program.
// - User-interface thread only.

#include "app/ui/CClockNoticeBox.h"
#include "app/services/CCurrentHour.h"
#include "app/services/CHotKey.h"
#include "app/services/CInactivityDetector.h"
#include "app/services/CPowerStateChangedEvent.h"
#include "app/services/CPowerStateTracker.h"
#include "app/services/IHotKeyClient.h"
#include "app/services/IMainWindow.h"
#include "app/main/CCmdLineParser.h"
#include "app/main/CHandOverQueue.h"
#include "app/settings/CSetActivitiesDlg.h"
#include "app/settings/CSetAutoStart.h"
#include "app/settings/CSetChooseActivitiesDlg.h"
#include "app/settings/CSetDataExchangeDlg.h"
#include "app/settings/CSetDateTime.h"
#include "app/settings/CSetDialogPosNSize.h"
#include "app/settings/CSetHotKey.h"
#include "app/settings/CSetInactivityDetector.h"
#include "app/settings/CSetInstall.h"
#include "app/settings/CSetLanguage.h"
#include "app/settings/CSetLastProjects.h"
#include "app/settings/CSetMainDlg.h"
#include "app/settings/CSetMinToNotArea.h"
#include "app/settings/CSetPowerStateTracker.h"
#include "app/settings/CSetRecentProjects.h"
#include "app/settings/CSetReportDlg.h"
#include "app/settings/CSetTimeDisplay.h"
#include "app/settings/CSetTips.h"
#include "app/settings/CSetTracesDlg.h"
#include "app/settings/CSetView.h"
#include "app/tray/CNotAreaImpl.h"
#include "library/events/CSlot.h"
#include "library/settings/CHTMLHelp.h"
#include "library/settings/CSettings.h"
#include "library/system/CApp.h"
#include "library/system/CLanguageModules.h"
#include "library/windows/CInvisibleWindow.h"
#include "model/CProjects.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

struct SDialogParams;

// How one run of the application is set up; the defaults are the program's own.
struct SAppOptions {
    // The folder of the install settings, the portable user settings and the language
    // modules; empty: the program's own folder.
    std::string programFolder;
    // The single-instance names; an empty mutex name skips the single-instance check.
    std::string mutexName = "Tallymarks_Run_Check";
    std::string windowClass = "TallymarksMain";
};

class CAppMain : public CSlot<CPowerStateChangedEvent>, public IHotKeyClient {
public:
    // Builds a main window of the display mode (0 full, 1 compact); the window is
    // deleted after its run. A factory that cannot build that display builds the other
    // and sets displayMode to it: the window runs from the template of the display it
    // is, and the next display switch asks for the other one again.
    using MainWindowFactory =
        std::function<std::unique_ptr<IMainWindow>(EDisplayMode& displayMode)>;
    // Runs the properties dialog of a new project over owner; true when the user
    // confirmed it.
    using NewProjectDialog = std::function<bool(CProject& project, HWND owner)>;

    // Becomes the one application object; a second one while this exists is refused
    // (std::logic_error).
    explicit CAppMain(const SAppOptions& options = SAppOptions());
    CAppMain(const CAppMain&) = delete;
    CAppMain& operator=(const CAppMain&) = delete;
    ~CAppMain() override;

    // The application object of this run; std::logic_error while none exists.
    static CAppMain& Get();
    static bool Exists();

    void SetMainWindowFactory(MainWindowFactory factory) { m_windowFactory = std::move(factory); }
    void SetNewProjectDialog(NewProjectDialog dialog) { m_newProjectDialog = std::move(dialog); }

    // The whole run after the entry's preparations: command line (the arguments, without
    // the program's name), single instance, settings, language, services, main windows.
    // Returns the exit code (0 after a hand-over to the instance that already runs).
    int Run(const std::string& commandLine);
    // The main loop: full and compact windows alternate while one ends for a display
    // switch (0xFFFF); while the resources hold no compact template, the full window
    // stands in for it. Returns the last window's exit code; 1 when a window could not
    // be created (after showing why).
    int RunMainWindows();

    IMainWindow* GetMainDlg() const { return m_mainWindow; }
    // The running main window's handle, null when none runs: the owner of the
    // application's message boxes.
    HWND GetMainWindowHandle() const;
    // The chosen language module first, the program's own resources as fallback.
    void SetDialogModules(SDialogParams& params) const;

    // Asks every open project whether it may close (the user exits, or the session ends),
    // records the open projects, stores the window placement and saves the user
    // settings; on consent closes every project. False when the program must go on.
    // The questions and the closing are one modal moment (CModalScope).
    bool QueryExit(EExitReason reason);
    void OnMainWindowCreated();
    void OpenStartupProjects();
    void NewProject();
    void BrowseAndOpenProject();
    void MakePortableInstallation();

    // Settings files, language and help.
    void OpenSettingsFiles();
    void LoadLanguageModules();
    void SetHelpFile();
    bool ShowHelpPage(int topicStringId, HWND owner);

    // The parts that windows and dialogs use directly.
    CLanguageModules& GetLanguageModules() { return m_languageModules; }
    CProjects& GetProjects() { return m_projects; }
    // The project paths handed over by later starts, opened once no modal moment runs.
    CHandOverQueue& GetHandOvers() { return m_handOvers; }
    CHTMLHelp& GetHelp() { return m_help; }
    CSettings& GetInstallSettings() { return m_installSettings; }
    CSettings& GetUserSettings() { return m_userSettings; }
    CSetInstall& GetSetInstall() { return m_setInstall; }
    CSetLastProjects& GetSetLastProjects() { return m_setLastProjects; }
    CSetRecentProjects& GetSetRecentProjects() { return m_setRecentProjects; }
    CSetReportDlg& GetSetReportDlg() { return m_setReportDlg; }
    CSetDateTime& GetSetDateTime() { return m_setDateTime; }
    CSetMinToNotArea& GetSetMinToNotArea() { return m_setMinToNotArea; }
    CSetHotKey& GetSetHotKey() { return m_setHotKey; }
    CSetDialogPosNSize& GetSetDialogPosNSize() { return m_setDialogPosNSize; }
    CSetMainDlg& GetSetMainDlg() { return m_setMainDlg; }
    CSetActivitiesDlg& GetSetActivitiesDlg() { return m_setActivitiesDlg; }
    CSetDataExchangeDlg& GetSetImportDlg() { return m_setImportDlg; }
    CSetDataExchangeDlg& GetSetExportDlg() { return m_setExportDlg; }
    CSetTracesDlg& GetSetTracesDlg() { return m_setTracesDlg; }
    CSetAutoStart& GetSetAutoStart() { return m_setAutoStart; }
    CSetView& GetSetView() { return m_setView; }
    CSetTips& GetSetTips() { return m_setTips; }
    CSetTimeDisplay& GetSetTimeDisplay() { return m_setTimeDisplay; }
    CSetInactivityDetector& GetSetInactivityDetector() { return m_setInactivityDetector; }
    CSetPowerStateTracker& GetSetPowerStateTracker() { return m_setPowerStateTracker; }
    CSetLanguage& GetSetLanguage() { return m_setLanguage; }
    CSetChooseActivitiesDlg& GetSetChooseActivitiesDlg() { return m_setChooseActivitiesDlg; }
    CNotAreaImpl& GetNotArea() { return m_notArea; }
    CHotKey& GetHotKey() { return m_hotKey; }
    CInvisibleWindow& GetInvisibleWindow() { return m_invisibleWindow; }
    CClockNoticeBox& GetClockNoticeBox() { return m_clockNoticeBox; }
    CCurrentHour& GetCurrentHour() { return m_currentHour; }
    CApp& GetApp() { return m_app; }
    CInactivityDetector& GetInactivityDetector() { return m_inactivityDetector; }
    CCmdLineParser& GetCmdLineParser() { return m_cmdLineParser; }
    CPowerStateTracker& GetPowerStateTracker() { return m_powerStateTracker; }
    const std::string& GetProgramFolder();

    // IHotKeyClient
    void OnActivationHotKey() override;
    void OnHotKeyTextChanged(const std::string& keyText) override;

protected:
    bool OnEvent(CPowerStateChangedEvent& event) override { return OnPowerStateChanged(event); }
    virtual bool OnPowerStateChanged(CPowerStateChangedEvent& event);

private:
    // The invisible window with the power-state tracker, the hour clock and, where the
    // system supports it, the inactivity detector.
    void StartServices();
    // Runs one main window of the display mode (set to the display the factory built)
    // and gives its exit code; false (after showing why) when it could not be made or
    // created.
    bool RunMainWindow(EDisplayMode& displayMode, SDialogParams& params, int& exitCode);

    SAppOptions m_options;
    MainWindowFactory m_windowFactory;
    NewProjectDialog m_newProjectDialog;

    CLanguageModules m_languageModules;
    CProjects m_projects;
    CHandOverQueue m_handOvers{m_projects};
    CHTMLHelp m_help;
    CSettings m_installSettings;
    CSetInstall m_setInstall;
    CSettings m_userSettings;
    CSetLastProjects m_setLastProjects;
    CSetRecentProjects m_setRecentProjects;
    CSetReportDlg m_setReportDlg;
    CSetDateTime m_setDateTime;
    CSetMinToNotArea m_setMinToNotArea;
    CSetHotKey m_setHotKey;
    CSetDialogPosNSize m_setDialogPosNSize;
    CSetMainDlg m_setMainDlg;
    CSetActivitiesDlg m_setActivitiesDlg;
    CSetDataExchangeDlg m_setImportDlg{false};
    CSetDataExchangeDlg m_setExportDlg{true};
    CSetTracesDlg m_setTracesDlg;
    CSetAutoStart m_setAutoStart;
    CSetView m_setView;
    CSetTips m_setTips;
    CSetTimeDisplay m_setTimeDisplay;
    CSetInactivityDetector m_setInactivityDetector;
    CSetPowerStateTracker m_setPowerStateTracker;
    CSetLanguage m_setLanguage;
    CSetChooseActivitiesDlg m_setChooseActivitiesDlg;
    CNotAreaImpl m_notArea;
    CHotKey m_hotKey;
    CInvisibleWindow m_invisibleWindow;
    CCurrentHour m_currentHour;
    CApp m_app;
    CInactivityDetector m_inactivityDetector;
    CCmdLineParser m_cmdLineParser;
    IMainWindow* m_mainWindow = nullptr;
    // The window that opens the hand-overs kept during a moment, once it has ended.
    HWND m_handOverWindow = nullptr;
    bool m_startupProjectsOpened = false;
    bool m_mainWindowShownOnce = false;
    CPowerStateTracker m_powerStateTracker;
    // Tells the user when the clock refused a start or stop, or was set back.
    CClockNoticeBox m_clockNoticeBox;
    // Whether a language module became the primary resource instance.
    bool m_languageChosen = false;
};
