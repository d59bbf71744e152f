// CAppMain: construction, the run with its start-up order, the main loop and the
// services the main windows call on the application (hotkey, power state).

#include "app/main/CAppMain.h"

#include "app/main/HandOver.h"
#include "app/services/IMainWindow.h"
#include "app/services/InactivityDetectionSupport.h"
#include "app/ui/SharedPictures.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/dialogs/CModalScope.h"
#include "library/dialogs/SDialogParams.h"
#include "library/system/CCmdLine.h"
#include "library/system/CDupAppPreventer.h"
#include "library/system/CResourceModule.h"
#include "library/text/CText.h"
#include "model/CStatUpdateNotifier.h"
#include "model/ILastProjectFolder.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <stdexcept>

namespace {

CAppMain* s_instance = nullptr;

// Templates of the two displays; the compact one has no size grip.

// The end of the program for a failure that has no message of its own: the unhandled
// error text with the system's explanation, or the unknown error text without one.
void ShowFatalError(DWORD systemError) {
    CText text;
    if (systemError != 0) {
        CText error("[ERROR]");
        error.ReplaceWithSystemError("[ERROR]", systemError, CText(IDS_UNKNOWN_ERROR), true);
        std::string reason = error.GetString();
        // The message puts its own full stop after the reason.
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                                   reason.back() == ' ' || reason.back() == '.')) {
            reason.pop_back();
        }
        text.Load(IDS_UNHANDLED_ERROR);
        text.ReplaceWithString("[ERROR]", reason, true);
    } else {
        text.Load(IDS_UNHANDLED_UNKNOWN_ERROR);
    }
    MessageBoxA(nullptr, text, CText(IDS_UNHANDLED_ERROR_CAPTION), MB_OK | MB_ICONERROR);
}

// Whether the resources of the dialog parameters hold the template.
bool HasTemplate(const SDialogParams& params, int dialogId) {
    for (HINSTANCE instance : {params.instance, params.fallbackInstance}) {
        if (FindResourceA(instance, MAKEINTRESOURCEA(dialogId), RT_DIALOG) != nullptr) {
            return true;
        }
    }
    return false;
}

} // namespace

CAppMain::CAppMain(const SAppOptions& options)
    : m_options(options), m_setInactivityDetector(IsInactivityDetectionSupported()),
      m_setLanguage(m_setInstall), m_notArea(m_projects), m_hotKey(m_setHotKey, *this),
      m_invisibleWindow(nullptr), m_app(nullptr), m_inactivityDetector(m_setInactivityDetector) {
    if (s_instance != nullptr) {
        throw std::logic_error("a second application object");
    }
    s_instance = this;
    // The project file dialogs start in the folder that the settings keep.
    ILastProjectFolder::SetCurrent(&m_setLastProjects);
}

CAppMain::~CAppMain() {
    // The invisible window goes with the members: later states must not count on it.
    CStatUpdateNotifier::SetDefaultWindow(nullptr);
    if (m_languageChosen) {
        // The language module is unloaded with the members.
        CResourceModule::GetCurrent().SetInstance(nullptr);
    }
    if (&ILastProjectFolder::GetCurrent() == &m_setLastProjects) {
        ILastProjectFolder::SetCurrent(nullptr);
    }
    if (s_instance == this) {
        s_instance = nullptr;
    }
}

CAppMain& CAppMain::Get() {
    if (s_instance == nullptr) {
        throw std::logic_error("no application object");
    }
    return *s_instance;
}

bool CAppMain::Exists() {
    return s_instance != nullptr;
}

const std::string& CAppMain::GetProgramFolder() {
    return m_options.programFolder.empty() ? m_app.GetModuleFolder() : m_options.programFolder;
}

HWND CAppMain::GetMainWindowHandle() const {
    return m_mainWindow != nullptr ? m_mainWindow->GetMainWindowHandle() : nullptr;
}

void CAppMain::SetDialogModules(SDialogParams& params) const {
    const CResourceModule& modules = CResourceModule::GetCurrent();
    params.instance = modules.GetInstance();
    params.fallbackInstance = modules.GetFallbackInstance();
}

int CAppMain::Run(const std::string& commandLine) {
    CCmdLine cmdLine(commandLine.c_str());
    // A refused option only ends the processing; it is not reported.
    cmdLine.Process(m_cmdLineParser);

    // Held until the main loop has ended: while it lives, later starts hand over.
    std::unique_ptr<CDupAppPreventer> guard;
    if (!m_options.mutexName.empty()) {
        guard = std::make_unique<CDupAppPreventer>(m_options.mutexName.c_str(),
                                                   m_options.windowClass.c_str(), true, true);
        if (guard->HasOtherWindow()) {
            SendHandOver(guard->GetOtherWindow(), m_cmdLineParser.HasFile(),
                         m_cmdLineParser.GetFile());
            return 0;
        }
    }

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES;
    InitCommonControlsEx(&controls);

    OpenSettingsFiles();
    LoadIconsAndImageLists(m_app.GetInstance());
    LoadLanguageModules();
    StartServices();
    return RunMainWindows();
}

void CAppMain::StartServices() {
    HWND window = m_invisibleWindow.Create(m_app.GetInstance());
    // Every project state made from now on counts the seconds of running work here, so
    // that the totals on screen run.
    CStatUpdateNotifier::SetDefaultWindow(window);
    m_powerStateTracker.Init(window);
    CSlot<CPowerStateChangedEvent>::Connect(&m_powerStateTracker);
    m_currentHour.Init(window);
    m_clockNoticeBox.Init(window);
    if (IsInactivityDetectionSupported()) {
        m_inactivityDetector.Init(window, m_powerStateTracker);
    }
}

int CAppMain::RunMainWindows() {
    if (!m_windowFactory) {
        ShowFatalError(0);
        return 1;
    }
    EDisplayMode displayMode =
        m_setView.GetMode() == CSetView::ModeCompact ? EDisplayMode::Compact : EDisplayMode::Full;

    SDialogParams params;
    params.modal = true;
    params.acceleratorId = IDA_MAIN;
    SetDialogModules(params);
    params.owner = nullptr;
    params.windowClass = m_options.windowClass;
    params.caption.clear();

    for (;;) {
        int exitCode = 0;
        if (!RunMainWindow(displayMode, params, exitCode)) {
            return 1;
        }
        displayMode =
            displayMode == EDisplayMode::Full ? EDisplayMode::Compact : EDisplayMode::Full;
        if (exitCode != IMainWindow::kSwitchDisplayExitCode) {
            return exitCode;
        }
    }
}

bool CAppMain::RunMainWindow(EDisplayMode& displayMode, SDialogParams& params, int& exitCode) {
    if (displayMode == EDisplayMode::Compact && !HasTemplate(params, IDD_COMPACT)) {
        displayMode = EDisplayMode::Full;
    }
    std::unique_ptr<IMainWindow> window = m_windowFactory(displayMode);
    if (!window) {
        ShowFatalError(0);
        return false;
    }
    const bool compact = displayMode == EDisplayMode::Compact;
    params.dialogId = compact ? IDD_COMPACT : IDD_MAIN;
    params.sizeGrip = !compact;

    // Whatever way the window ends, nobody may reach it once it is gone.
    struct SRunningWindow {
        CAppMain& app;
        ~SRunningWindow() {
            app.m_mainWindow = nullptr;
            CModalScope::RemoveEndListener(app.m_handOverWindow,
                                           CHandOverQueue::kOpenPendingMessage);
            app.m_handOverWindow = nullptr;
            app.m_notArea.SetMainDlg(nullptr);
            app.m_hotKey.SetWindow(nullptr);
        }
    } running{*this};
    m_mainWindow = window.get();

    CDialogWindow& dialog = window->GetDialogWindow();
    const int result = dialog.Create(params);
    const DWORD error = GetLastError();
    if (result == -1 && dialog.GetState() == CDialogWindow::kNotCreated) {
        ShowFatalError(error);
        return false;
    }
    exitCode = dialog.GetExitCode();
    return true;
}

void CAppMain::OnMainWindowCreated() {
    HWND window = GetMainWindowHandle();
    m_hotKey.SetWindow(window);
    if (window != nullptr) {
        ShowWindow(window, SW_SHOWDEFAULT);
        UpdateWindow(window);
        // Hand-overs kept during a modal moment are opened through the window that runs
        // when the moment ends; some may wait already from the window before it.
        CModalScope::RemoveEndListener(m_handOverWindow, CHandOverQueue::kOpenPendingMessage);
        m_handOverWindow = window;
        CModalScope::AddEndListener(window, CHandOverQueue::kOpenPendingMessage);
        if (m_handOvers.GetPendingCount() > 0) {
            PostMessageA(window, CHandOverQueue::kOpenPendingMessage, 0, 0);
        }
    }
    if (m_mainWindowShownOnce) {
        return;
    }
    // Set first: the tip runs modally, and a display switch meanwhile must not show it
    // again.
    m_mainWindowShownOnce = true;
    if (m_setTips.GetShowTips() && m_mainWindow != nullptr) {
        m_mainWindow->ShowDialog(EDialogKind::TipOfTheDay);
    }
}

bool CAppMain::OnPowerStateChanged(CPowerStateChangedEvent& event) {
    if (event.resumed && m_setPowerStateTracker.GetDetect() && m_mainWindow != nullptr) {
        m_mainWindow->Activate();
    }
    return true;
}

void CAppMain::OnActivationHotKey() {
    if (m_mainWindow != nullptr) {
        m_mainWindow->Activate();
    }
}

void CAppMain::OnHotKeyTextChanged(const std::string& keyText) {
    m_notArea.SetHotKeyText(keyText);
}
