#include "library/windows/CInvisibleWindow.h"
#include "library/windows/CSubclassController.h"
#include "library/windows/CTimer.h"

#include "harness/MessagePump.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records which timers went off; may stop its timer on the first event.
class CTimerLog : public CSlot<CTimerWentOffEvent> {
public:
    std::vector<CTimer*> fired;
    bool stopOnFire = false;

protected:
    bool OnEvent(CTimerWentOffEvent& event) override {
        fired.push_back(event.timer);
        if (stopOnFire) {
            event.timer->Stop();
        }
        return true;
    }
};

using harness::PumpUntil;

class CTimerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_window.Create(), nullptr); }
    CInvisibleWindow m_window{GetModuleHandleA(nullptr)};
};

TEST_F(CTimerTest, IdsAreUniqueAndCounted) {
    CTimer a, b;
    EXPECT_EQ(b.GetId(), a.GetId() + 1);
}

TEST_F(CTimerTest, TwoTimersOnOneWindowFireOnlyForTheirOwnId) {
    CTimer fast, slow;
    CTimerLog log;
    log.Connect(&fast);
    log.Connect(&slow);
    ASSERT_TRUE(fast.SetWindow(m_window.GetHandle()));
    ASSERT_TRUE(slow.SetWindow(m_window.GetHandle()));
    EXPECT_NE(fast.Start(20), 0u);
    EXPECT_NE(slow.Start(10000), 0u);
    EXPECT_TRUE(fast.IsRunning());
    PumpUntil([&] { return log.fired.size() >= 3; }, 5000);
    ASSERT_GE(log.fired.size(), 3u);
    for (CTimer* timer : log.fired) {
        EXPECT_EQ(timer, &fast);
    }
    // The window's own procedure did not see the timers' messages either way.
    fast.Stop();
    EXPECT_FALSE(fast.IsRunning());
}

TEST_F(CTimerTest, StopFromTheSlotEndsARepeatingTimer) {
    CTimer timer;
    CTimerLog log;
    log.stopOnFire = true;
    log.Connect(&timer);
    timer.SetWindow(m_window.GetHandle());
    timer.Start(10);
    PumpUntil([&] { return !log.fired.empty(); }, 5000);
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(log.fired.size(), 1u);
}

TEST_F(CTimerTest, StopWithFireEmitsAtOnceEvenWithoutAWindow) {
    CTimer timer;
    CTimerLog log;
    log.Connect(&timer);
    EXPECT_EQ(timer.Start(10), 0u); // no window: nothing runs
    EXPECT_FALSE(timer.IsRunning());
    timer.Stop(true);
    EXPECT_EQ(log.fired, std::vector<CTimer*>({&timer}));
}

TEST_F(CTimerTest, DestroyedTimerLeavesItsWindow) {
    auto* timer = new CTimer;
    timer->SetWindow(m_window.GetHandle());
    timer->Start(10);
    delete timer;
    // The timer is killed and the window no longer leads to the destroyed object.
    EXPECT_FALSE(CSubclassController::Instance().IsSubclassed(m_window.GetHandle()));
    MSG msg;
    PumpUntil([] { return false; }, 60);
    EXPECT_FALSE(PeekMessageA(&msg, m_window.GetHandle(), WM_TIMER, WM_TIMER, PM_NOREMOVE));
}

} // namespace
