#include "app/services/CCurrentHour.h"
#include "app/services/CPowerStateTracker.h"
#include "library/windows/CInvisibleWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(CCurrentHourTest, DelayReachesTheNextWholeHour) {
    const struct {
        int hour, minute, second;
        UINT expected;
    } cases[] = {
        {9, 59, 30, 30000}, {10, 0, 0, 3600000},  {23, 59, 59, 1000},
        {0, 0, 1, 3599000}, {12, 30, 0, 1800000},
    };
    for (const auto& c : cases) {
        CDateTime now;
        ASSERT_TRUE(now.SetDateTime(2010, 3, 28, c.hour, c.minute, c.second));
        EXPECT_EQ(CCurrentHour::GetDelayToNextHour(now), c.expected)
            << c.hour << ":" << c.minute << ":" << c.second;
    }
}

// Records the broadcasts; may send another one while it handles the first.
class CPowerLog : public CSlot<CPowerStateChangedEvent> {
public:
    std::vector<bool> resumed;
    HWND resendTo = nullptr;

protected:
    bool OnEvent(CPowerStateChangedEvent& event) override {
        resumed.push_back(event.resumed);
        if (resendTo != nullptr) {
            SendMessageA(resendTo, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
        }
        return true;
    }
};

class CPowerStateTrackerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_window.Create(), nullptr);
        ASSERT_TRUE(m_tracker.Init(m_window.GetHandle()));
        m_log.Connect(&m_tracker);
    }
    LRESULT Broadcast(WPARAM kind) {
        return SendMessageA(m_window.GetHandle(), WM_POWERBROADCAST, kind, 0);
    }
    CInvisibleWindow m_window{GetModuleHandleA(nullptr)};
    CPowerStateTracker m_tracker;
    CPowerLog m_log;
};

TEST_F(CPowerStateTrackerTest, SuspendAndResumeAreAnnouncedOthersNot) {
    Broadcast(PBT_APMSUSPEND);
    Broadcast(PBT_APMRESUMEAUTOMATIC);
    Broadcast(PBT_APMRESUMESUSPEND);
    Broadcast(PBT_APMPOWERSTATUSCHANGE);
    EXPECT_EQ(m_log.resumed, std::vector<bool>({false, true}));
}

TEST_F(CPowerStateTrackerTest, BroadcastDuringAnAnnouncementIsDropped) {
    m_log.resendTo = m_window.GetHandle();
    Broadcast(PBT_APMRESUMESUSPEND);
    EXPECT_EQ(m_log.resumed, std::vector<bool>({true}));
    m_log.resendTo = nullptr;
    Broadcast(PBT_APMSUSPEND); // not busy any more
    EXPECT_EQ(m_log.resumed, std::vector<bool>({true, false}));
}

} // namespace
