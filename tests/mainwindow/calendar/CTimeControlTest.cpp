#include "mainwindow/CTimeControl.h"

#include "CalendarFixture.h"

#include <string>

using namespace calendartest;

namespace {

class CTimeControlTest : public CCalendarFixture {
protected:
    void SetUp() override {
        CCalendarFixture::SetUp();
        ASSERT_TRUE(m_time.AttachDlgItems(Dialog(), IDC_CALENDAR_TEST_HOURS,
                                          IDC_CALENDAR_TEST_MINUTES, IDC_CALENDAR_TEST_SECONDS,
                                          IDC_CALENDAR_TEST_SPIN));
    }
    std::string Text(int id) const {
        char text[16] = {};
        GetDlgItemTextA(Dialog(), id, text, sizeof(text));
        return text;
    }
    CTimeControl m_time;
};

TEST(CTimeControlParse, AFieldIsValidOnlyAsANumberWithinItsRange) {
    const struct {
        const char* text;
        int maximum;
        int value;
    } cases[] = {
        {"0", 23, 0},
        {"23", 23, 23},
        {"07", 59, 7},
        {"24", 23, -2},
        {"", 59, -2},
        {"x7", 59, -2},
        {"7x", 59, -2},
        {" 5", 59, -2},
        {"-1", 59, -2},
        {"60", 59, -2},
        {"999999999999", 59, -2},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(CTimeControl::ParseField(test.text, test.maximum), test.value) << test.text;
    }
}

TEST_F(CTimeControlTest, ShowsPlainNumbersAndReadsThemBack) {
    SYSTEMTIME time = {};
    time.wHour = 9;
    time.wMinute = 5;
    m_time.SetTime(time);
    EXPECT_EQ(Text(IDC_CALENDAR_TEST_HOURS) + "," + Text(IDC_CALENDAR_TEST_MINUTES) + "," +
                  Text(IDC_CALENDAR_TEST_SECONDS),
              "9,5,0");
    CDateTime date = Date(1999, 12, 31);
    EXPECT_TRUE(date.SetTimeFromSystemTime(m_time.GetTime()));
    EXPECT_EQ(date, CDateTime(Date(1999, 12, 31).GetValue() + (9 * 60 + 5) / 1440.0));
    EXPECT_TRUE(m_time.IsValid());
}

TEST_F(CTimeControlTest, AnEmptiedOrPastedOverFieldGivesNoTime) {
    const struct {
        int id;
        const char* text;
    } cases[] = {{IDC_CALENDAR_TEST_SECONDS, ""},
                 {IDC_CALENDAR_TEST_MINUTES, "a1"},
                 {IDC_CALENDAR_TEST_HOURS, "24"}};
    for (const auto& test : cases) {
        SYSTEMTIME time = {};
        time.wHour = 10;
        m_time.SetTime(time);
        SetDlgItemTextA(Dialog(), test.id, test.text);
        CDateTime date = Date(2023, 1, 1);
        EXPECT_FALSE(date.SetTimeFromSystemTime(m_time.GetTime())) << test.text;
        EXPECT_FALSE(date.IsValid());
        EXPECT_EQ(m_time.GetInvalidField(), Item(test.id));
    }
}

TEST_F(CTimeControlTest, TheArrowsWorkOnTheFocusedFieldWithinItsRange) {
    const struct {
        int id;
        int maximum;
    } cases[] = {{IDC_CALENDAR_TEST_MINUTES, 59}, {IDC_CALENDAR_TEST_HOURS, 23}};
    for (const auto& test : cases) {
        m_time.SetSpinField(Item(test.id));
        int lower = -1, upper = -1;
        SendMessageA(Item(IDC_CALENDAR_TEST_SPIN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                     reinterpret_cast<LPARAM>(&upper));
        EXPECT_EQ(lower, 0);
        EXPECT_EQ(upper, test.maximum);
        EXPECT_EQ(
            reinterpret_cast<HWND>(SendMessageA(Item(IDC_CALENDAR_TEST_SPIN), UDM_GETBUDDY, 0, 0)),
            Item(test.id));
        SetDlgItemTextA(Dialog(), test.id, std::to_string(test.maximum - 1).c_str());
        SendMessageA(Item(IDC_CALENDAR_TEST_SPIN), UDM_SETPOS32, 0, test.maximum - 1);
        // One step up reaches the top, the next one stays there.
        for (int step = 0; step < 2; ++step) {
            SendMessageA(Item(IDC_CALENDAR_TEST_SPIN), WM_KEYDOWN, VK_UP, 0);
            SendMessageA(Item(IDC_CALENDAR_TEST_SPIN), WM_KEYUP, VK_UP, 0);
        }
        EXPECT_EQ(Text(test.id), std::to_string(test.maximum));
    }
}

} // namespace
