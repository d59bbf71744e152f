// CSettingsDlg: the checks of each page and the writing of the settings.

#include "dialogs/CSettingsDlg.h"

#include "app/main/CAppMain.h"
#include "app/services/InactivityDetectionSupport.h"
#include "library/system/CLanguageModule.h"
#include "library/text/CText.h"
#include "resources/ResourceIds.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

namespace {

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

void CSettingsDlg::Refuse(HWND owner, int page, unsigned int textId, unsigned int captionId) {
    m_tabs.SelectPage(page);
    MessageBoxA(owner, CText(textId), CText(captionId), MB_OK | MB_ICONWARNING);
}

bool CSettingsDlg::Validate(SSettingsValues& values, HWND owner, int page) {
    switch (page) {
    case DateTimePage:
        if (values.firstDayIndex < 0) {
            Refuse(owner, page, IDS_SET_NO_FIRST_DAY, IDS_SET_NO_FIRST_DAY_CAPTION);
            return false;
        }
        // A field with something else than a number in range has no message of its own:
        // the field takes the focus with the warning sound.
        for (const auto& entry : {std::make_pair(&values.workStart, &m_workStart),
                                  std::make_pair(&values.workEnd, &m_workEnd)}) {
            if (!entry.first->IsValid()) {
                m_tabs.SelectPage(page);
                SetFocus(entry.second->GetInvalidField());
                MessageBeep(MB_ICONWARNING);
                return false;
            }
        }
        if (values.workStart > values.workEnd) {
            m_tabs.SelectPage(page);
            if (MessageBoxA(owner, CText(IDS_SET_WORK_HOURS_SWAP),
                            CText(IDS_SET_WORK_HOURS_SWAP_CAPTION),
                            MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
                return false;
            }
            std::swap(values.workStart, values.workEnd);
        }
        return true;
    case MainWindowPage:
        if (values.recentSize <= 0) {
            Refuse(owner, page, IDS_SET_RECENT_SIZE_INVALID, IDS_SET_RECENT_SIZE_INVALID_CAPTION);
            return false;
        }
        if (values.numColumns <= 0) {
            Refuse(owner, page, IDS_SET_NUM_COLUMNS_INVALID, IDS_SET_NUM_COLUMNS_INVALID_CAPTION);
            return false;
        }
        return true;
    case InactivityPage:
        if (IsInactivityDetectionSupported() && values.detectInactivity &&
            values.inactiveMinutes <= 0) {
            Refuse(owner, page, IDS_SET_MINUTES_INVALID, IDS_SET_MINUTES_INVALID_CAPTION);
            return false;
        }
        return true;
    case LanguagePage:
        if (values.languageIndex < 0 ||
            values.languageIndex >= static_cast<int>(m_languages.size())) {
            Refuse(owner, page, IDS_SET_NO_LANGUAGE, IDS_SET_NO_LANGUAGE_CAPTION);
            return false;
        }
        return true;
    default:
        return true;
    }
}

bool CSettingsDlg::ValidateAll(SSettingsValues& values, HWND owner) {
    for (int page = 0; page < PageCount; ++page) {
        if (!Validate(values, owner, page)) {
            return false;
        }
    }
    return true;
}

bool CSettingsDlg::Apply(const SSettingsValues& values, HWND owner) {
    CAppMain& app = CAppMain::Get();
    // First, so that declining to go on after a failure leaves everything as it was.
    if (CanChangeAutoStart() && !m_autoStart.SetEnabled(values.autoStart)) {
        CText text(IDS_SET_AUTO_START_FAILED);
        text.ReplaceWithSystemError("[ERROR]", m_autoStart.GetError(), CText(IDS_UNKNOWN_ERROR),
                                    true);
        if (MessageBoxA(owner, text, CText(IDS_SET_APPLY_FAILED_CAPTION),
                        MB_OKCANCEL | MB_ICONWARNING) != IDOK) {
            return false;
        }
    }
    app.GetSetRecentProjects().SetMaxSize(static_cast<uint32_t>(values.recentSize));

    CSetDateTime& dateTime = app.GetSetDateTime();
    dateTime.GetFirstDayOfWeek() = values.firstDayIndex;
    dateTime.GetWorkStart() = values.workStart;
    dateTime.GetWorkEnd() = values.workEnd;
    app.GetSetTips().GetShowTips() = values.showTips;

    app.GetSetTimeDisplay().SetEmptyMode(values.emptyMode);
    app.GetSetTimeDisplay().SetShowCumulativeTime(values.cumulativeTime);

    const std::string previous = app.GetSetLanguage().GetLanguage();
    const std::string chosen = m_languages[static_cast<size_t>(values.languageIndex)]->GetKey();
    app.GetSetLanguage().SetLanguage(chosen);
    if (UpperCase(previous) != UpperCase(chosen)) {
        MessageBoxA(owner, CText(IDS_SET_LANGUAGE_CHANGED), CText(IDS_SET_LANGUAGE_CHANGED_CAPTION),
                    MB_OK | MB_ICONWARNING);
    }

    app.GetSetMinToNotArea().SetMinimizeToNotArea(values.minimizeToNotArea);
    app.GetSetHotKey().SetHotKey(values.hotKey);
    app.GetSetMainDlg().SetNumColumns(values.numColumns);
    app.GetSetPowerStateTracker().SetDetect(values.activateAfterStandby);
    if (IsInactivityDetectionSupported()) {
        app.GetSetInactivityDetector().SetNumMinutes(static_cast<uint32_t>(values.inactiveMinutes));
        app.GetSetInactivityDetector().SetDetect(values.detectInactivity);
    }
    return true;
}
