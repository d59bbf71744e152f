#include "mainwindow/CMarkedDayCalendar.h"

#include "CalendarFixture.h"

#include <vector>

using namespace calendartest;

namespace {

using CMarkedDayCalendarTest = CCalendarFixture;

SYSTEMTIME Month(int year, int month) {
    return Date(year, month, 1).GetAsSystemTime();
}

// Records the day-state words that the calendar hands to the control.
class CDayStateSpy {
public:
    explicit CDayStateSpy(HWND control) : m_control(control) {
        s_spy = this;
        m_previous =
            SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProc));
    }
    ~CDayStateSpy() {
        SetWindowLongPtrA(m_control, GWLP_WNDPROC, m_previous);
        s_spy = nullptr;
    }
    CDayStateSpy(const CDayStateSpy&) = delete;
    CDayStateSpy& operator=(const CDayStateSpy&) = delete;

    std::vector<std::vector<MONTHDAYSTATE>> handed;

private:
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == MCM_SETDAYSTATE) {
            const MONTHDAYSTATE* words = reinterpret_cast<const MONTHDAYSTATE*>(lParam);
            s_spy->handed.emplace_back(words, words + wParam);
        }
        return CallWindowProcA(reinterpret_cast<WNDPROC>(s_spy->m_previous), window, message,
                               wParam, lParam);
    }
    static inline CDayStateSpy* s_spy = nullptr;
    HWND m_control;
    LONG_PTR m_previous = 0;
};

// Answers of the day-state requests that reach the dialog, read after the calendar
// handled them.
class CRequestSpy {
public:
    explicit CRequestSpy(HWND dialog) : m_dialog(dialog) {
        s_spy = this;
        m_previous =
            SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogProc));
    }
    ~CRequestSpy() {
        SetWindowLongPtrA(m_dialog, GWLP_WNDPROC, m_previous);
        s_spy = nullptr;
    }
    CRequestSpy(const CRequestSpy&) = delete;
    CRequestSpy& operator=(const CRequestSpy&) = delete;

    // The first month asked for and the words answered (none: not answered).
    std::vector<std::pair<SYSTEMTIME, std::vector<MONTHDAYSTATE>>> answers;

private:
    static LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = CallWindowProcA(reinterpret_cast<WNDPROC>(s_spy->m_previous), window,
                                               message, wParam, lParam);
        if (message == WM_NOTIFY && static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code) ==
                                        CMarkedDayCalendar::kDayStateRequest) {
            const NMDAYSTATE* request = reinterpret_cast<const NMDAYSTATE*>(lParam);
            std::vector<MONTHDAYSTATE> words;
            if (request->prgDayState != nullptr) {
                words.assign(request->prgDayState, request->prgDayState + request->cDayState);
            }
            s_spy->answers.emplace_back(request->stStart, words);
        }
        return result;
    }
    static inline CRequestSpy* s_spy = nullptr;
    HWND m_dialog;
    LONG_PTR m_previous = 0;
};

TEST_F(CMarkedDayCalendarTest, DayStatesMarkEveryDayThatHoldsTime) {
    Add(Date(2024, 2, 29, 22), Date(2024, 3, 1, 1)); // across midnight into March
    Add(Date(2023, 6, 13, 8));                       // running since the 13th; now the 15th
    struct SCase {
        const char* what;
        SYSTEMTIME first;
        int count;
        std::vector<MONTHDAYSTATE> words;
    };
    const SCase cases[] = {
        {"leap February, then March from bit 0", Month(2024, 1), 3, {0, MONTHDAYSTATE(1) << 28, 1}},
        {"running: up to today, not after",
         Month(2023, 6),
         2,
         {(1u << 12) | (1u << 13) | (1u << 14), 0}},
        {"more months than a year: one word each", Month(2023, 1), 14,
         std::vector<MONTHDAYSTATE>(14, 0)},
        {"none asked", Month(2023, 1), 0, {}},
        {"a count below zero", Month(2023, 1), -3, {}},
    };
    std::vector<MONTHDAYSTATE> expectedLong = cases[2].words;
    expectedLong[5] = (1u << 12) | (1u << 13) | (1u << 14);
    expectedLong[13] = MONTHDAYSTATE(1) << 28; // February 2024
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.what);
        const std::vector<MONTHDAYSTATE> words = CMarkedDayCalendar::ComputeDayStates(
            State()->GetTallymarksByDate(), test.first, test.count);
        EXPECT_EQ(words, test.count == 14 ? expectedLong : test.words);
    }
    EXPECT_EQ(
        CMarkedDayCalendar::ComputeDayStates(State()->GetTallymarksByDate(), Month(2023, 1), 100000)
            .size(),
        static_cast<size_t>(CMarkedDayCalendar::kMaximumMonths));
}

TEST_F(CMarkedDayCalendarTest, AttachFitsTheControlAndStartsTheWeekOnTheSettingsDay) {
    // The settings count from Sunday (0), the control from Monday (0).
    const int cases[][2] = {{0, 6}, {1, 0}, {6, 5}};
    for (const auto& test : cases) {
        m_app->GetSetDateTime().GetFirstDayOfWeek() = test[0];
        CMarkedDayCalendar calendar;
        ASSERT_TRUE(
            calendar.Attach(Dialog(), IDC_CALENDAR_TEST_DATE, State()->GetTallymarksByDate()));
        EXPECT_EQ(LOWORD(SendMessageA(Item(IDC_CALENDAR_TEST_DATE), MCM_GETFIRSTDAYOFWEEK, 0, 0)),
                  test[1]);
        RECT minimum = {}, window = {};
        SendMessageA(Item(IDC_CALENDAR_TEST_DATE), MCM_GETMINREQRECT, 0,
                     reinterpret_cast<LPARAM>(&minimum));
        GetWindowRect(Item(IDC_CALENDAR_TEST_DATE), &window);
        const SSize size = calendar.GetSize();
        EXPECT_EQ(size.width, window.right - window.left);
        EXPECT_EQ(size.height, window.bottom - window.top);
        EXPECT_GE(size.width, minimum.right - minimum.left);
        EXPECT_GE(size.height, minimum.bottom - minimum.top);
    }
    CMarkedDayCalendar notACalendar;
    notACalendar.Attach(Dialog(), IDC_CALENDAR_TEST_STATIC, State()->GetTallymarksByDate());
    EXPECT_EQ(notACalendar.GetSize(), SSize());
}

TEST_F(CMarkedDayCalendarTest, BoldDaysFollowEveryChangeOfTheShownMonths) {
    Add(Date(2021, 3, 10, 9), Date(2021, 3, 10, 10));
    Add(Date(2022, 8, 2, 9), Date(2022, 8, 2, 10));
    CMarkedDayCalendar calendar;
    CDayStateSpy handed(Item(IDC_CALENDAR_TEST_DATE));
    calendar.Attach(Dialog(), IDC_CALENDAR_TEST_DATE, State()->GetTallymarksByDate());
    ASSERT_FALSE(handed.handed.empty());

    // A selection in other months hands the control their marks at once (the control asks
    // for none itself).
    SYSTEMTIME day = Date(2021, 3, 20).GetAsSystemTime();
    calendar.SetSelection(day);
    SYSTEMTIME range[2] = {};
    const int count = static_cast<int>(SendMessageA(Item(IDC_CALENDAR_TEST_DATE), MCM_GETMONTHRANGE,
                                                    GMR_DAYSTATE, reinterpret_cast<LPARAM>(range)));
    ASSERT_GT(count, 0);
    const std::vector<MONTHDAYSTATE> expected =
        CMarkedDayCalendar::ComputeDayStates(State()->GetTallymarksByDate(), range[0], count);
    EXPECT_EQ(handed.handed.back(), expected);
    EXPECT_NE(expected, std::vector<MONTHDAYSTATE>(static_cast<size_t>(count), 0));
    EXPECT_EQ(calendar.GetSelection().wDay, 20);

    // The control's own request, with the code it really sends, for more than a year.
    CRequestSpy answered(Dialog());
    NMDAYSTATE request = {};
    request.nmhdr.hwndFrom = Item(IDC_CALENDAR_TEST_DATE);
    request.nmhdr.idFrom = IDC_CALENDAR_TEST_DATE;
    request.nmhdr.code = static_cast<UINT>(CMarkedDayCalendar::kDayStateRequest);
    request.stStart = Date(2022, 1, 1).GetAsSystemTime();
    request.cDayState = 14;
    SendMessageA(Dialog(), WM_NOTIFY, IDC_CALENDAR_TEST_DATE, reinterpret_cast<LPARAM>(&request));
    ASSERT_EQ(answered.answers.size(), 1u);
    ASSERT_EQ(answered.answers[0].second.size(), 14u);
    EXPECT_EQ(answered.answers[0].second[7], MONTHDAYSTATE(1) << 1); // 2 August 2022

    // A click on the control's next-month arrow.
    const size_t before = answered.answers.size();
    RECT client = {};
    GetClientRect(Item(IDC_CALENDAR_TEST_DATE), &client);
    MCHITTESTINFO hit = {};
    hit.cbSize = sizeof(hit);
    for (int x = client.right - 1; x > client.right / 2 && hit.uHit != MCHT_TITLEBTNNEXT; --x) {
        hit.pt = {x, 8};
        SendMessageA(Item(IDC_CALENDAR_TEST_DATE), MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    }
    ASSERT_EQ(hit.uHit, static_cast<UINT>(MCHT_TITLEBTNNEXT));
    SendMessageA(Item(IDC_CALENDAR_TEST_DATE), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(hit.pt.x, hit.pt.y));
    SendMessageA(Item(IDC_CALENDAR_TEST_DATE), WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x, hit.pt.y));
    ASSERT_GT(answered.answers.size(), before);
    const auto& last = answered.answers.back();
    EXPECT_EQ(last.second,
              CMarkedDayCalendar::ComputeDayStates(State()->GetTallymarksByDate(), last.first,
                                                   static_cast<int>(last.second.size())));
    EXPECT_FALSE(last.second.empty());
}

TEST_F(CMarkedDayCalendarTest, OnlyAClickMovesTheFocusToTheCalendar) {
    CMarkedDayCalendar calendar;
    calendar.Attach(Dialog(), IDC_CALENDAR_TEST_DATE, State()->GetTallymarksByDate());
    SetFocus(Item(IDC_CALENDAR_TEST_BUTTON));
    // The dialog manager asks every control for its keys, for mnemonics too.
    MSG key = {Item(IDC_CALENDAR_TEST_BUTTON), WM_CHAR, 'l', 0, 0, {0, 0}};
    SendMessageA(Item(IDC_CALENDAR_TEST_DATE), WM_GETDLGCODE, 'l', reinterpret_cast<LPARAM>(&key));
    EXPECT_EQ(GetFocus(), Item(IDC_CALENDAR_TEST_BUTTON));
    SendMessageA(Item(IDC_CALENDAR_TEST_DATE), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 80));
    SendMessageA(Item(IDC_CALENDAR_TEST_DATE), WM_LBUTTONUP, 0, MAKELPARAM(60, 80));
    EXPECT_EQ(GetFocus(), Item(IDC_CALENDAR_TEST_DATE));
}

} // namespace
