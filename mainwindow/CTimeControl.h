#pragma once

// CTimeControl: three small edit boxes (hours, minutes, seconds) and one up-down control of
// a dialog as one time-of-day entry. The up-down control works on the field that last got
// the focus; the date comes from elsewhere (a calendar).
//
//   CTimeControl m_startTime;
//   m_startTime.AttachDlgItems(GetHwnd(), IDC_START_HOURS, IDC_START_MINUTES,
//                              IDC_START_SECONDS, IDC_START_SPIN);
//   ... on EN_SETFOCUS of one of the three: m_startTime.SetSpinField(control);
//   CDateTime start(calendar.GetSelection());
//   if (!start.SetTimeFromSystemTime(m_startTime.GetTime())) {
//       SetFocus(m_startTime.GetInvalidField());   // an empty or garbled field
//   }
//
// Usage notes:
// - A field holds a time only when its whole text is a number within its range. Typing is
//   limited to such numbers, but a field may be emptied or pasted over: GetTime then gives
//   that part as an out-of-range value, so that setting it into a date fails.

#include "library/controls/CNumberEditBox.h"

#include <windows.h>

class CTimeControl {
public:
    CTimeControl() = default;
    virtual ~CTimeControl() = default;
    CTimeControl(const CTimeControl&) = delete;
    CTimeControl& operator=(const CTimeControl&) = delete;

    // False when one of the four windows is missing or an edit cannot be bound.
    bool Attach(HWND hoursEdit, HWND minutesEdit, HWND secondsEdit, HWND upDown);
    bool AttachDlgItems(HWND dialog, int hoursId, int minutesId, int secondsId, int upDownId);

    // Moves the up-down control to edit (one of the three fields) with that field's range.
    void SetSpinField(HWND edit);
    // Writes hour, minute and second as plain decimal numbers.
    void SetTime(const SYSTEMTIME& time);
    // Hour, minute and second of the fields, milliseconds 0, the date fields 0. A field
    // that holds no valid number gives 0xFFFF for its part.
    SYSTEMTIME GetTime() const;
    // The first field that holds no valid number, or null when all three are valid.
    HWND GetInvalidField() const;
    bool IsValid() const { return GetInvalidField() == nullptr; }
    HWND GetHoursEdit() const { return m_hours.GetWindow(); }
    HWND GetMinutesEdit() const { return m_minutes.GetWindow(); }
    HWND GetSecondsEdit() const { return m_seconds.GetWindow(); }
    HWND GetUpDown() const { return m_upDown; }

    // The number that the whole text of a field with maximum stands for; -2 when the text
    // is empty, holds anything but digits or passes the maximum.
    static int ParseField(const char* text, int maximum);

private:
    static int ReadField(const CNumberEditBox& field, int maximum);

    CNumberEditBox m_hours;
    CNumberEditBox m_minutes;
    CNumberEditBox m_seconds;
    HWND m_upDown = nullptr;
};
