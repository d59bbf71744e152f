#include "mainwindow/CMarkedDayCalendar.h"

#include "app/main/CAppMain.h"
#include "library/datetime/CDateTime.h"
#include "model/CTallymarksByDate.h"

#include <algorithm>

namespace {

SYSTEMTIME DayOf(const SYSTEMTIME& date) {
    SYSTEMTIME day = date;
    day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
    return day;
}

} // namespace

CMarkedDayCalendar::~CMarkedDayCalendar() = default;

bool CMarkedDayCalendar::Attach(HWND dialog, int controlId, CTallymarksByDate& source) {
    UnsubclassAll();
    m_source = &source;
    m_dialog = dialog;
    m_controlId = controlId;
    m_control = dialog != nullptr ? GetDlgItem(dialog, controlId) : nullptr;
    m_fittedSize = SSize();
    if (m_control == nullptr) {
        return false;
    }
    // The settings count from Sunday, the control from Monday.
    const int firstDay =
        CAppMain::Exists() ? CAppMain::Get().GetSetDateTime().GetFirstDayOfWeek() : 1;
    SendMessageA(m_control, MCM_SETFIRSTDAYOFWEEK, 0,
                 static_cast<LPARAM>(((firstDay % 7 + 7) % 7 + 6) % 7));
    Subclass(dialog);
    Subclass(m_control);
    FitSize();
    UpdateMarks();
    return true;
}

void CMarkedDayCalendar::FitSize() {
    RECT minimum = {0, 0, 0, 0};
    RECT window = {0, 0, 0, 0};
    RECT client = {0, 0, 0, 0};
    if (!SendMessageA(m_control, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&minimum)) ||
        !GetWindowRect(m_control, &window) || !GetClientRect(m_control, &client)) {
        return;
    }
    const int width = (minimum.right - minimum.left) + (window.right - window.left) -
                      (client.right - client.left);
    const int height = (minimum.bottom - minimum.top) + (window.bottom - window.top) -
                       (client.bottom - client.top);
    if (width <= 0 || height <= 0) {
        return;
    }
    m_fittedSize = SSize{width, height};
    SetWindowPos(m_control, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMarkedDayCalendar::SetSelection(const SYSTEMTIME& date) {
    if (m_control == nullptr) {
        return;
    }
    SYSTEMTIME day = DayOf(date);
    SendMessageA(m_control, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
    // The control asks for no bold days when a selection brings other months into view.
    UpdateMarks();
}

SYSTEMTIME CMarkedDayCalendar::GetSelection() const {
    SYSTEMTIME day = {};
    if (m_control != nullptr) {
        SendMessageA(m_control, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
    }
    return DayOf(day);
}

void CMarkedDayCalendar::UpdateMarks() {
    if (m_control == nullptr || m_source == nullptr) {
        return;
    }
    SYSTEMTIME range[2] = {};
    const int count = static_cast<int>(
        SendMessageA(m_control, MCM_GETMONTHRANGE, GMR_DAYSTATE, reinterpret_cast<LPARAM>(range)));
    if (count <= 0 || count > kMaximumMonths) {
        return;
    }
    m_dayStates = ComputeDayStates(*m_source, range[0], count);
    SendMessageA(m_control, MCM_SETDAYSTATE, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(m_dayStates.data()));
}

std::vector<MONTHDAYSTATE> CMarkedDayCalendar::ComputeDayStates(const CTallymarksByDate& source,
                                                                const SYSTEMTIME& first,
                                                                int count) {
    std::vector<MONTHDAYSTATE> states(static_cast<size_t>(std::clamp(count, 0, kMaximumMonths)), 0);
    CDateTime month;
    if (!month.SetDateTime(first.wYear, first.wMonth, 1)) {
        return states;
    }
    for (MONTHDAYSTATE& state : states) {
        const int days = month.GetDaysInMonth();
        CDateTime day = month;
        for (int d = 0; d < days && day.IsValid(); ++d) {
            if (source.HasTallymarksOn(day)) {
                state |= MONTHDAYSTATE(1) << d;
            }
            day = day.GetDayStartOffset(1);
        }
        month = month.GetNextMonthStart();
        if (!month.IsValid()) {
            break;
        }
    }
    return states;
}

void CMarkedDayCalendar::OnMessage(CMessage& message) {
    if (message.window == m_control) {
        if (message.message == WM_LBUTTONDOWN && GetFocus() != m_control) {
            SetFocus(m_control);
        }
        return;
    }
    if (message.window != m_dialog || message.message != WM_NOTIFY || message.lParam == 0) {
        return;
    }
    const NMHDR* header = reinterpret_cast<const NMHDR*>(message.lParam);
    if (header->hwndFrom == m_control && static_cast<int>(header->code) == kDayStateRequest) {
        OnDayStateRequest(message);
    }
}

void CMarkedDayCalendar::OnDayStateRequest(CMessage& message) {
    NMDAYSTATE* request = reinterpret_cast<NMDAYSTATE*>(message.lParam);
    if (m_source == nullptr || request->cDayState <= 0) {
        return;
    }
    m_dayStates = ComputeDayStates(*m_source, request->stStart, request->cDayState);
    // The control reads as many words as it asked for: a count beyond the limit gets none.
    if (m_dayStates.size() != static_cast<size_t>(request->cDayState)) {
        return;
    }
    request->prgDayState = m_dayStates.data();
    message.handled = true;
    message.result = 0;
}
