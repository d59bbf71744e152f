// CSettingsDlg: filling the pages from the settings and reading them back.

#include "dialogs/CSettingsDlg.h"

#include "app/main/CAppMain.h"
#include "app/services/InactivityDetectionSupport.h"
#include "library/system/CLanguageModule.h"
#include "library/text/CText.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <string>

namespace {

// The days of list IDC_SET_FIRST_DAY; the position is the day (0 Sunday).
const unsigned int kDayNames[] = {IDS_DAY_SUNDAY,    IDS_DAY_MONDAY,   IDS_DAY_TUESDAY,
                                  IDS_DAY_WEDNESDAY, IDS_DAY_THURSDAY, IDS_DAY_FRIDAY,
                                  IDS_DAY_SATURDAY};

// The empty-time radio buttons and the mode each stands for.
struct SEmptyModeButton {
    int id;
    uint32_t mode;
};
const SEmptyModeButton kEmptyModeButtons[] = {
    {IDC_SET_EMPTY_NOTHING, CSetTimeDisplay::EmptyAsNothing},
    {IDC_SET_EMPTY_DASHES, CSetTimeDisplay::EmptyAsDashes},
    {IDC_SET_EMPTY_ZEROS, CSetTimeDisplay::EmptyAsZeros}};

// CLanguageModule's name of a language that has none.
const char kUnknownName[] = "<unknown>";

const int32_t kMaxRecentSize = 99;
const int32_t kMaxColumns = CSetMainDlg::MaxColumns;
const int32_t kMaxMinutes = static_cast<int32_t>(CSetInactivityDetector::MaxMinutes);

SYSTEMTIME ToSystemTime(const CDateTime& time) {
    SYSTEMTIME fields = {};
    fields.wHour = static_cast<WORD>(time.GetHour());
    fields.wMinute = static_cast<WORD>(time.GetMinute());
    fields.wSecond = static_cast<WORD>(time.GetSecond());
    return fields;
}

// One field of a time control: an empty field counts as 0, like the dialog's other number
// fields; anything else that is no number within maximum gives -1.
int ReadTimeField(HWND edit, int maximum) {
    char text[16] = {};
    if (edit == nullptr || GetWindowTextLengthA(edit) >= static_cast<int>(sizeof(text))) {
        return -1;
    }
    GetWindowTextA(edit, text, sizeof(text));
    if (text[0] == '\0') {
        return 0;
    }
    const int value = CTimeControl::ParseField(text, maximum);
    return value < 0 ? -1 : value;
}

// The time of day of a time control; the invalid date/time when a field holds no number.
CDateTime ReadTime(const CTimeControl& control) {
    const int hour = ReadTimeField(control.GetHoursEdit(), 23);
    const int minute = ReadTimeField(control.GetMinutesEdit(), 59);
    const int second = ReadTimeField(control.GetSecondsEdit(), 59);
    CDateTime time(0.0);
    if (hour < 0 || minute < 0 || second < 0 || !time.SetTime(hour, minute, second)) {
        return CDateTime(CDateTime::GetInvalidValue());
    }
    return time;
}

int GetListSelection(HWND list) {
    return static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
}

} // namespace

bool CSettingsDlg::CanChangeAutoStart() const {
    return m_autoStart.IsAvailable() && !CAppMain::Get().GetSetInstall().GetPortableInstall();
}

void CSettingsDlg::FillLanguages() {
    CAppMain& app = CAppMain::Get();
    HWND list = Control(IDC_SET_LANGUAGE);
    m_currentLanguage = CText(IDS_LANGUAGE_ABBREVIATION).GetString();
    const CLanguageModule* chosen =
        app.GetLanguageModules().Find(app.GetSetLanguage().GetLanguage());
    m_languages.clear();
    int selection = 0;
    for (const auto& entry : app.GetLanguageModules().GetNames(m_currentLanguage)) {
        if (entry.second == chosen) {
            selection = static_cast<int>(m_languages.size());
        }
        // Each language also by its own name, so that a reader of it finds it.
        std::string text = entry.first;
        const std::string native = entry.second->GetName(entry.second->GetKey(), false);
        if (native != text && native != kUnknownName) {
            text += " (" + native + ")";
        }
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        m_languages.push_back(entry.second);
    }
    SendMessageA(list, CB_SETCURSEL,
                 m_languages.empty() ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(selection), 0);
}

void CSettingsDlg::FillControls() {
    CAppMain& app = CAppMain::Get();
    FillLanguages();

    HWND days = Control(IDC_SET_FIRST_DAY);
    for (unsigned int day : kDayNames) {
        SendMessageA(days, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(CText(day).GetString().c_str()));
    }
    SendMessageA(days, CB_SETCURSEL, static_cast<WPARAM>(app.GetSetDateTime().GetFirstDayOfWeek()),
                 0);
    m_workStart.SetTime(ToSystemTime(app.GetSetDateTime().GetWorkStart()));
    m_workEnd.SetTime(ToSystemTime(app.GetSetDateTime().GetWorkEnd()));
    SendMessageA(Control(IDC_SET_HOTKEY), HKM_SETHOTKEY, app.GetSetHotKey().GetHotKey(), 0);

    m_recentSize.Attach(Control(IDC_SET_RECENT_SIZE), kMaxRecentSize, 2);
    m_recentSize.SetValue(static_cast<int32_t>(app.GetSetRecentProjects().GetMaxSize()));
    m_numColumns.Attach(Control(IDC_SET_NUM_COLUMNS), kMaxColumns, 2);
    m_numColumns.SetValue(app.GetSetMainDlg().GetNumColumns());

    const CSetTimeDisplay& display = app.GetSetTimeDisplay();
    for (const SEmptyModeButton& button : kEmptyModeButtons) {
        CheckControl(button.id, button.mode == display.GetEmptyMode());
    }
    CheckControl(IDC_SET_CUMULATIVE, display.GetShowCumulativeTime());
    CheckControl(IDC_SET_OWN_TIME, !display.GetShowCumulativeTime());
    CheckControl(IDC_SET_SHOW_TIPS, app.GetSetTips().GetShowTips());

    m_inactiveMinutes.Attach(Control(IDC_SET_INACTIVE_MINUTES), kMaxMinutes, 3);
    if (IsInactivityDetectionSupported()) {
        CheckControl(IDC_SET_DETECT_INACTIVITY, app.GetSetInactivityDetector().GetDetect());
        m_inactiveMinutes.SetValue(
            static_cast<int32_t>(app.GetSetInactivityDetector().GetNumMinutes()));
    } else {
        EnableWindow(Control(IDC_SET_DETECT_INACTIVITY), FALSE);
        m_inactiveMinutes.SetValue(-2);
    }
    UpdateInactivityControls();

    CheckControl(IDC_SET_MIN_TO_NOT_AREA, app.GetSetMinToNotArea().GetMinimizeToNotArea());
    CheckControl(IDC_SET_ACTIVATE_AFTER_STANDBY, app.GetSetPowerStateTracker().GetDetect());

    EnableWindow(Control(IDC_SET_AUTO_START), CanChangeAutoStart() ? TRUE : FALSE);
    if (!app.GetSetInstall().GetPortableInstall()) {
        if (m_autoStart.IsAvailable()) {
            CheckControl(IDC_SET_AUTO_START, m_autoStart.IsEnabled());
        } else {
            m_autoStartReadOnlyPending = true;
        }
    }
}

void CSettingsDlg::UpdateInactivityControls() {
    const BOOL enable =
        IsInactivityDetectionSupported() && IsControlChecked(IDC_SET_DETECT_INACTIVITY) ? TRUE
                                                                                        : FALSE;
    for (int id : {IDC_SET_INACTIVE_MINUTES, IDC_SET_INACTIVE_LABEL, IDC_SET_INACTIVE_UNIT}) {
        EnableWindow(Control(id), enable);
    }
}

SSettingsValues CSettingsDlg::ReadControls() const {
    SSettingsValues values;
    values.languageIndex = GetListSelection(Control(IDC_SET_LANGUAGE));
    values.firstDayIndex = GetListSelection(Control(IDC_SET_FIRST_DAY));
    values.workStart = ReadTime(m_workStart);
    values.workEnd = ReadTime(m_workEnd);
    values.recentSize = m_recentSize.GetValue(true);
    values.detectInactivity = IsControlChecked(IDC_SET_DETECT_INACTIVITY);
    values.inactiveMinutes = m_inactiveMinutes.GetValue(true);
    values.autoStart = IsControlChecked(IDC_SET_AUTO_START);
    values.emptyMode = CAppMain::Get().GetSetTimeDisplay().GetEmptyMode();
    for (const SEmptyModeButton& button : kEmptyModeButtons) {
        if (IsControlChecked(button.id)) {
            values.emptyMode = button.mode;
        }
    }
    values.cumulativeTime = IsControlChecked(IDC_SET_CUMULATIVE);
    values.showTips = IsControlChecked(IDC_SET_SHOW_TIPS);
    values.minimizeToNotArea = IsControlChecked(IDC_SET_MIN_TO_NOT_AREA);
    values.hotKey =
        static_cast<uint16_t>(SendMessageA(Control(IDC_SET_HOTKEY), HKM_GETHOTKEY, 0, 0));
    values.numColumns = m_numColumns.GetValue(true);
    values.activateAfterStandby = IsControlChecked(IDC_SET_ACTIVATE_AFTER_STANDBY);
    return values;
}
