#include "mainwindow/CTimeControl.h"

#include <commctrl.h>

namespace {

const int kMaximumHour = 23;
const int kMaximumMinute = 59;
const int kDigits = 2;
// The part of a time that no field can hold: setting it into a date fails.
const WORD kInvalidPart = 0xFFFF;

WORD AsPart(int value) {
    return value < 0 ? kInvalidPart : static_cast<WORD>(value);
}

} // namespace

bool CTimeControl::Attach(HWND hoursEdit, HWND minutesEdit, HWND secondsEdit, HWND upDown) {
    const bool bound = m_hours.Attach(hoursEdit, kMaximumHour, kDigits) &&
                       m_minutes.Attach(minutesEdit, kMaximumMinute, kDigits) &&
                       m_seconds.Attach(secondsEdit, kMaximumMinute, kDigits);
    m_upDown = upDown;
    if (!bound || upDown == nullptr) {
        return false;
    }
    SendMessageA(upDown, UDM_SETBASE, 10, 0);
    SetSpinField(hoursEdit);
    return true;
}

bool CTimeControl::AttachDlgItems(HWND dialog, int hoursId, int minutesId, int secondsId,
                                  int upDownId) {
    return Attach(GetDlgItem(dialog, hoursId), GetDlgItem(dialog, minutesId),
                  GetDlgItem(dialog, secondsId), GetDlgItem(dialog, upDownId));
}

void CTimeControl::SetSpinField(HWND edit) {
    if (m_upDown == nullptr || edit == nullptr) {
        return;
    }
    SendMessageA(m_upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    const int maximum = edit == m_hours.GetWindow() ? kMaximumHour : kMaximumMinute;
    // The upper limit goes in the low word.
    SendMessageA(m_upDown, UDM_SETRANGE, 0, MAKELPARAM(maximum, 0));
}

void CTimeControl::SetTime(const SYSTEMTIME& time) {
    m_hours.SetValue(time.wHour);
    m_minutes.SetValue(time.wMinute);
    m_seconds.SetValue(time.wSecond);
}

SYSTEMTIME CTimeControl::GetTime() const {
    SYSTEMTIME time = {};
    time.wHour = AsPart(ReadField(m_hours, kMaximumHour));
    time.wMinute = AsPart(ReadField(m_minutes, kMaximumMinute));
    time.wSecond = AsPart(ReadField(m_seconds, kMaximumMinute));
    return time;
}

HWND CTimeControl::GetInvalidField() const {
    if (ReadField(m_hours, kMaximumHour) < 0) {
        return m_hours.GetWindow();
    }
    if (ReadField(m_minutes, kMaximumMinute) < 0) {
        return m_minutes.GetWindow();
    }
    if (ReadField(m_seconds, kMaximumMinute) < 0) {
        return m_seconds.GetWindow();
    }
    return nullptr;
}

int CTimeControl::ParseField(const char* text, int maximum) {
    if (*text == '\0') {
        return -2;
    }
    int value = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') {
            return -2;
        }
        value = value * 10 + (*c - '0');
        if (value > maximum) {
            return -2;
        }
    }
    return value;
}

int CTimeControl::ReadField(const CNumberEditBox& field, int maximum) {
    if (field.GetWindow() == nullptr) {
        return -2;
    }
    // The edits take three characters; a text that fills the buffer is invalid anyway.
    char text[16] = {};
    if (GetWindowTextLengthA(field.GetWindow()) >= static_cast<int>(sizeof(text)) - 1) {
        return -2;
    }
    GetWindowTextA(field.GetWindow(), text, sizeof(text));
    return ParseField(text, maximum);
}
