#pragma once

// CMarkedDayCalendar: a month calendar control of a dialog that shows in bold every day on
// which a project state registered time, starts its weeks on the day of the settings, is
// fitted to the size its locale needs, and reads and writes the selected date.
//
//   CMarkedDayCalendar m_calendar;
//   m_calendar.Attach(GetHwnd(), IDC_START_DATE, state->GetTallymarksByDate());
//   const SSize fitted = m_calendar.GetSize();
//   if (fitted.width != 0 || fitted.height != 0) {
//       ArrangeControls(m_calendar.GetWindow(), fitted);
//   }
//   m_calendar.SetSelection(start.GetAsSystemTime());
//
// Usage notes:
// - The control needs MCS_DAYSTATE, or it never shows bold days.
// - The bold days follow every change of the shown months: the calendar answers the
//   control's requests and recomputes them itself after SetSelection; after the records
//   changed, the owner calls UpdateMarks.
// - GetSize is 0 x 0 when the control could not report its minimum size; it then kept
//   its template size and the owner must not lay out by it.
// - A click on the calendar gives it the keyboard focus, which the control under some
//   systems does not take itself.

#include "library/dialogs/SSize.h"
#include "library/windows/CSubclassedWindow.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

class CTallymarksByDate;

class CMarkedDayCalendar : public CSubclassedWindow {
public:
    // The notification code by which the control asks for the bold days of the months it is
    // about to show, as Windows and Wine send it. The cross compiler's MCN_GETDAYSTATE has
    // another value and would never match.
    static const int kDayStateRequest = -747;
    // The most months one request is answered for; a larger count is cut to it.
    static const int kMaximumMonths = 240;

    CMarkedDayCalendar() = default;
    ~CMarkedDayCalendar() override;

    // Binds the month calendar controlId of dialog with the date index whose days become
    // bold, sets the first day of the week, fits the control to its minimum size and marks
    // the shown months. False when the control is missing.
    bool Attach(HWND dialog, int controlId, CTallymarksByDate& source);
    // The size the control was fitted to in Attach; 0 x 0 when fitting did not happen.
    SSize GetSize() const { return m_fittedSize; }
    HWND GetWindow() const { return m_control; }
    // Selects the day of date (its time of day is ignored) and marks the months then shown.
    void SetSelection(const SYSTEMTIME& date);
    // The selected day at 00:00:00.000.
    SYSTEMTIME GetSelection() const;
    // Recomputes and sets the bold days of the months now shown.
    void UpdateMarks();
    // Lets go of the date index (its state is about to be deleted); the days shown keep
    // their marks and new months get none.
    void ForgetSource() { m_source = nullptr; }

    // One word per month from first's month on: bit d - 1 is set when day d holds time in
    // source. count is taken within 0 to kMaximumMonths.
    static std::vector<MONTHDAYSTATE> ComputeDayStates(const CTallymarksByDate& source,
                                                       const SYSTEMTIME& first, int count);

    void OnMessage(CMessage& message) override;

private:
    void FitSize();
    void OnDayStateRequest(CMessage& message);

    HWND m_dialog = nullptr;
    HWND m_control = nullptr;
    int m_controlId = 0;
    SSize m_fittedSize;
    CTallymarksByDate* m_source = nullptr;
    // The words last handed to the control; they live until the next request.
    std::vector<MONTHDAYSTATE> m_dayStates;
};
