#include "mainwindow/CMarkedDayCalendar.h"
#include "mainwindow/CTimeControl.h"

#include "dialogs/trace/TraceFixture.h"
#include "library/dialogs/CDialogWindow.h"

#include <algorithm>

using namespace tracetest;

namespace {

// The tally mark dialog's template, shown modeless: its start calendar and time field.
class CCalendarTest : public CTraceFixture {
protected:
    CCalendarTest() {
        SDialogParams params;
        params.dialogId = IDD_TRACE;
        params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
        params.modal = false;
        params.showMode = 1;
        EXPECT_EQ(m_dialog.Create(params), 0);
    }
    ~CCalendarTest() override { m_dialog.Close(); }
    HWND Item(int id) const { return GetDlgItem(m_dialog.GetHwnd(), id); }
    std::vector<MONTHDAYSTATE> States(int year, int month, int count) {
        return CMarkedDayCalendar::ComputeDayStates(State()->GetTallymarksByDate(),
                                                    Date(year, month, 1).GetAsSystemTime(), count);
    }
    bool Attach(CMarkedDayCalendar& calendar, int id) {
        return calendar.Attach(m_dialog.GetHwnd(), id, State()->GetTallymarksByDate());
    }
    CDialogWindow m_dialog;
};

// The day states that the calendar last handed to the control.
std::vector<MONTHDAYSTATE> g_handed;
WNDPROC g_calendarProc = nullptr;
LRESULT CALLBACK SpyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MCM_SETDAYSTATE) {
        const auto* words = reinterpret_cast<const MONTHDAYSTATE*>(lParam);
        g_handed.assign(words, words + wParam);
    }
    return CallWindowProcA(g_calendarProc, window, message, wParam, lParam);
}

TEST_F(CCalendarTest, DayStatesMarkEveryDayThatHoldsTime) {
    Add("A", Date(2024, 2, 29, 22), Date(2024, 3, 1, 1)); // across midnight into March
    Add("A", Date(2023, 6, 13, 8));                       // running: up to today, not after
    const MONTHDAYSTATE june = (1u << 12) | (1u << 13) | (1u << 14);
    EXPECT_EQ(States(2024, 1, 3), std::vector<MONTHDAYSTATE>({0, 1u << 28, 1}));
    EXPECT_EQ(States(2023, 6, 2), std::vector<MONTHDAYSTATE>({june, 0}));
    // As many words as asked for, also beyond a year; none for no or a negative count.
    const std::vector<MONTHDAYSTATE> longer = States(2023, 1, 14);
    ASSERT_EQ(longer.size(), 14u);
    EXPECT_EQ(std::make_pair(longer[5], longer[13]), std::make_pair(june, MONTHDAYSTATE(1u << 28)));
    EXPECT_TRUE(States(2023, 1, -3).empty());
    EXPECT_EQ(States(2023, 1, 1 << 30).size(), size_t(CMarkedDayCalendar::kMaximumMonths));
}

TEST_F(CCalendarTest, AttachFitsTheControlAndStartsTheWeekOnTheSettingsDay) {
    for (const auto& days : {std::make_pair(0, 6), std::make_pair(1, 0), std::make_pair(6, 5)}) {
        m_app->GetSetDateTime().GetFirstDayOfWeek() = days.first; // Sunday 0; control: Monday 0
        CMarkedDayCalendar calendar;
        ASSERT_TRUE(Attach(calendar, IDC_TRACE_START_DATE));
        HWND control = Item(IDC_TRACE_START_DATE);
        EXPECT_EQ(LOWORD(SendMessageA(control, MCM_GETFIRSTDAYOFWEEK, 0, 0)), days.second);
        RECT minimum = {}, client = {};
        SendMessageA(control, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&minimum));
        GetClientRect(control, &client);
        EXPECT_EQ(client.right, minimum.right - minimum.left);
        EXPECT_EQ(calendar.GetSize(), CDialogWindow::GetControlSize(control));
    }
    CMarkedDayCalendar notACalendar;
    Attach(notACalendar, IDC_TRACE_PERIOD_LABEL);
    EXPECT_EQ(notACalendar.GetSize(), SSize());
}

TEST_F(CCalendarTest, BoldDaysFollowEveryChangeOfTheShownMonths) {
    Add("A", Date(2021, 3, 10, 9), Date(2021, 3, 10, 10));
    Add("A", Date(2022, 8, 2, 9), Date(2022, 8, 2, 10));
    HWND control = Item(IDC_TRACE_START_DATE);
    g_calendarProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SpyProc)));
    CMarkedDayCalendar calendar;
    Attach(calendar, IDC_TRACE_START_DATE);
    // Another month selected: the control asks for nothing, the calendar hands the marks.
    calendar.SetSelection(Date(2021, 3, 20, 15).GetAsSystemTime());
    EXPECT_EQ(calendar.GetSelection().wDay + calendar.GetSelection().wHour, 20);
    SYSTEMTIME range[2] = {};
    const int count = static_cast<int>(
        SendMessageA(control, MCM_GETMONTHRANGE, GMR_DAYSTATE, reinterpret_cast<LPARAM>(range)));
    EXPECT_EQ(g_handed, States(range[0].wYear, range[0].wMonth, count));
    EXPECT_NE(std::find(g_handed.begin(), g_handed.end(), 1u << 9), g_handed.end());
    // The control's request, with the code Windows and Wine send, for more than a year.
    NMDAYSTATE request = {
        {control, IDC_TRACE_START_DATE, static_cast<UINT>(CMarkedDayCalendar::kDayStateRequest)},
        Date(2022, 1, 1).GetAsSystemTime(),
        14,
        nullptr};
    SendMessageA(m_dialog.GetHwnd(), WM_NOTIFY, IDC_TRACE_START_DATE,
                 reinterpret_cast<LPARAM>(&request));
    ASSERT_NE(request.prgDayState, nullptr);
    EXPECT_EQ(std::vector<MONTHDAYSTATE>(request.prgDayState, request.prgDayState + 14),
              States(2022, 1, 14));
    // Polling for keys (mnemonics) leaves the focus where it is; a click takes it.
    SetFocus(Item(IDC_TRACE_NOW));
    MSG key = {Item(IDC_TRACE_NOW), WM_CHAR, 'n', 0, 0, {0, 0}};
    SendMessageA(control, WM_GETDLGCODE, 'n', reinterpret_cast<LPARAM>(&key));
    EXPECT_EQ(GetFocus(), Item(IDC_TRACE_NOW));
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 80));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(60, 80));
    EXPECT_EQ(GetFocus(), control);
    calendar.UnsubclassAll();
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_calendarProc));
}

TEST_F(CCalendarTest, TimeFieldsHoldATimeOnlyAsNumbersWithinTheirRanges) {
    CTimeControl time;
    ASSERT_TRUE(time.AttachDlgItems(m_dialog.GetHwnd(), IDC_TRACE_START_HOURS,
                                    IDC_TRACE_START_MINUTES, IDC_TRACE_START_SECONDS,
                                    IDC_TRACE_START_SPIN));
    const std::pair<int, const char*> cases[] = {
        {IDC_TRACE_START_HOURS, "23"}, {IDC_TRACE_START_MINUTES, "07"},
        {IDC_TRACE_START_SECONDS, ""}, {IDC_TRACE_START_MINUTES, "a1"},
        {IDC_TRACE_START_HOURS, "24"}, {IDC_TRACE_START_SECONDS, " 5"}};
    for (const auto& [field, text] : cases) {
        time.SetTime(Date(2023, 1, 1, 9).GetAsSystemTime());
        SetWindowTextA(Item(field), text);
        const bool valid = std::string(text) == "23" || std::string(text) == "07";
        CDateTime date = Date(2023, 1, 1);
        EXPECT_EQ(date.SetTimeFromSystemTime(time.GetTime()), valid) << text;
        EXPECT_EQ(time.GetInvalidField(), valid ? nullptr : Item(field)) << text;
    }
    time.SetSpinField(Item(IDC_TRACE_START_MINUTES));
    int lower = -1, upper = -1;
    SendMessageA(Item(IDC_TRACE_START_SPIN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                 reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(std::make_pair(lower, upper), std::make_pair(0, 59));
}

} // namespace
