// CAppMain: the settings files, the language of the user interface, the help file and
// the portable installation creator.

#include "app/main/CAppMain.h"

#include "library/dialogs/ShowMessageBox.h"
#include "library/system/CExternalProcess.h"
#include "library/system/CResourceModule.h"
#include "library/text/CText.h"
#include "resources/ResourceIds.h"

#include <io.h>

#include <cctype>

namespace {

const char kInstallFileName[] = "InstallSettings.ini";
const char kPortableUserFileName[] = "UserSettings.ini";
const char kUserFileName[] = "Tallymarks.ini";
const char kLanguageModulePattern[] = "Tallymarks_*.dll";
const char kOwnLanguage[] = "EN";
const char kPortableCreator[] = "\\Portable installation.exe";

std::string UpperCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// A settings file that could not be opened: its path and the system's reason, in a
// warning without owner. The run goes on with the defaults.
void ShowSettingsFileError(const CSettings& settings, DWORD error, unsigned int captionId) {
    CText text(IDS_SETTINGS_ACCESS_FAILED);
    text.ReplaceWithString("[FILEPATH]", settings.GetFilePath(), true);
    text.ReplaceWithSystemError("[ERROR]", error, CText(IDS_UNKNOWN_ERROR), true);
    ShowMessageBox(nullptr, text, CText(captionId), MB_OK | MB_ICONWARNING);
}

} // namespace

void CAppMain::OpenSettingsFiles() {
    // Only the objects registered when a file opens load from it.
    m_installSettings.Register(&m_setInstall);
    IPersistentObject* const userObjects[] = {
        &m_setLastProjects,
        &m_setRecentProjects,
        &m_setReportDlg,
        &m_setDateTime,
        &m_setMinToNotArea,
        &m_setHotKey,
        &m_setDialogPosNSize,
        &m_setMainDlg,
        &m_setActivitiesDlg,
        &m_setImportDlg,
        &m_setExportDlg,
        &m_setTracesDlg,
        &m_setView,
        &m_setTips,
        &m_setTimeDisplay,
        &m_setInactivityDetector,
        &m_setPowerStateTracker,
        &m_setLanguage,
        &m_setChooseActivitiesDlg,
    };
    for (IPersistentObject* object : userObjects) {
        m_userSettings.Register(object);
    }

    const std::string folder = GetProgramFolder();
    if (!m_installSettings.Open(folder, kInstallFileName)) {
        ShowSettingsFileError(m_installSettings, GetLastError(),
                              IDS_INSTALL_SETTINGS_ACCESS_CAPTION);
    }
    const bool opened = m_setInstall.GetPortableInstall()
                            ? m_userSettings.Open(folder, kPortableUserFileName)
                            : m_userSettings.OpenInSpecialFolder(true, kUserFileName);
    if (!opened) {
        ShowSettingsFileError(m_userSettings, GetLastError(), IDS_SETTINGS_ACCESS_CAPTION);
    }
}

void CAppMain::LoadLanguageModules() {
    const SLanguageLoadResult loaded = m_languageModules.Load(
        GetProgramFolder(), kLanguageModulePattern, IDS_LANGUAGE_ABBREVIATION, IDS_LANGUAGE_NAMES);
    if (!loaded.found || !loaded.failed.empty()) {
        std::string errorText;
        if (!loaded.found) {
            CText searchFailed(IDS_LANGUAGE_MODULES_SEARCH_FAILED);
            searchFailed.ReplaceWithSystemError("[ERROR]", loaded.error, CText(IDS_UNKNOWN_ERROR),
                                                true);
            errorText += "\n\n" + searchFailed.GetString();
        }
        if (!loaded.failed.empty()) {
            std::string modules;
            for (const std::string& path : loaded.failed) {
                modules += "\n- \"" + path + "\"";
            }
            CText notLoaded(IDS_LANGUAGE_MODULES_NOT_LOADED);
            notLoaded.ReplaceWithString("[MODULES]", modules, true);
            errorText += "\n\n" + notLoaded.GetString();
        }
        CText text(IDS_LANGUAGE_MODULES_ERROR);
        text.ReplaceWithString("[ERROR]", errorText, true);
        ShowMessageBox(nullptr, text, CText(IDS_LANGUAGE_MODULES_ERROR_CAPTION),
                       MB_OK | MB_ICONWARNING);
    }

    std::string language = UpperCase(m_setLanguage.GetLanguage());
    if (language.empty()) {
        language = kOwnLanguage;
        m_setLanguage.SetLanguage(language);
    }
    CLanguageModule* module = m_languageModules.Find(language);
    if (module == nullptr) {
        // The setting keeps the missing language: a module installed later is found.
        CText text(IDS_LANGUAGE_MODULE_MISSING);
        text.ReplaceWithString("[ABBREVIATION]", language, true);
        ShowMessageBox(nullptr, text, CText(IDS_LANGUAGE_MODULE_MISSING_CAPTION),
                       MB_OK | MB_ICONWARNING);
        module = m_languageModules.Find(kOwnLanguage);
    }
    if (module != nullptr) {
        CResourceModule::GetCurrent().SetInstance(module->GetModule());
        m_languageChosen = true;
    }
    SetHelpFile();
}

void CAppMain::SetHelpFile() {
    CText path(IDS_HELP_FILE);
    path.ReplaceWithString("[INSTALLPATH]", GetProgramFolder(), true);
    m_help.SetFile(path);
}

bool CAppMain::ShowHelpPage(int topicStringId, HWND owner) {
    const CText topic(static_cast<unsigned int>(topicStringId));
    const int32_t shown = m_help.ShowTopic(topic, nullptr);
    if (shown == 0) {
        return true;
    }
    if (shown == 1) {
        if (m_setInstall.GetHelpInstalled()) {
            ShowMessageBox(owner, CText(IDS_HELP_PAGE_MISSING), CText(IDS_HELP_PAGE_ERROR_CAPTION),
                           MB_OK | MB_ICONERROR);
        } else {
            ShowMessageBox(owner, CText(IDS_HELP_NOT_INSTALLED),
                           CText(IDS_HELP_NOT_INSTALLED_CAPTION), MB_OK | MB_ICONINFORMATION);
        }
    } else {
        CText text(IDS_HELP_PAGE_ERROR);
        text.ReplaceWithString("[ERROR]", m_help.GetLastErrorText(), true);
        ShowMessageBox(owner, text, CText(IDS_HELP_PAGE_ERROR_CAPTION), MB_OK | MB_ICONERROR);
    }
    return false;
}

void CAppMain::MakePortableInstallation() {
    const std::string creator = GetProgramFolder() + kPortableCreator;
    HWND owner = GetMainWindowHandle();
    if (_access(creator.c_str(), 0) != 0) {
        ShowMessageBox(owner, CText(IDS_PORTABLE_CREATOR_MISSING),
                       CText(IDS_PORTABLE_CREATOR_CAPTION), MB_OK | MB_ICONERROR);
        return;
    }
    const std::string arguments = "/LANG=" + UpperCase(m_setLanguage.GetLanguage());
    CExternalProcess process;
    if (process.Run(creator.c_str(), arguments.c_str()) != CExternalProcess::Finished) {
        const DWORD error = GetLastError();
        CText text(IDS_PORTABLE_CREATOR_FAILED);
        text.ReplaceWithSystemError("[ERROR]", error, CText(IDS_UNKNOWN_ERROR), true);
        ShowMessageBox(owner, text, CText(IDS_PORTABLE_CREATOR_CAPTION), MB_OK | MB_ICONERROR);
    }
}
