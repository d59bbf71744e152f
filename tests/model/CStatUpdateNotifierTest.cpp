#include "model/CStatUpdateNotifier.h"

#include "library/windows/CInvisibleWindow.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include "ModelTestHelpers.h"
#include "StateTestHelpers.h"

#include "harness/MessagePump.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace modeltest;

using harness::PumpUntil;

// A state whose notifier counts seconds on an invisible window, with Work and Home.
class CStatUpdateNotifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window.Create(), nullptr);
        CStatUpdateNotifier::SetDefaultWindow(window.GetHandle());
        state.reset(new CProjectState());
        work = AddActivity(*state, "Work");
        home = AddActivity(*state, "Home");
        stats.Connect(&Notifier());
    }
    void TearDown() override {
        state.reset();
        CStatUpdateNotifier::SetDefaultWindow(nullptr);
    }
    CStatUpdateNotifier& Notifier() { return state->GetStatUpdateNotifier(); }

    CInvisibleWindow window{GetModuleHandleA(nullptr)};
    CPinnedClock clock{Date(2024, 5, 2, 10)};
    std::unique_ptr<CProjectState> state;
    CActivity *work = nullptr, *home = nullptr;
    CStatsLog stats;
};

TEST_F(CStatUpdateNotifierTest, TicksEverySecondOnlyWhileWorkRuns) {
    AddTallymark(home, Date(2024, 5, 2, 8), Date(2024, 5, 2, 9));
    EXPECT_FALSE(Notifier().IsTimerRunning());
    CTallymark* running = work->StartTallymark();
    EXPECT_EQ(stats.count, 2);
    EXPECT_TRUE(Notifier().IsTimerRunning());
    PumpUntil([&] { return stats.count >= 3; }, 3000);
    EXPECT_EQ(stats.count, 3);
    // Stopping announces twice: the work stopped, and the totals took the closed time.
    running->EndNow();
    EXPECT_EQ(stats.count, 5);
    EXPECT_FALSE(Notifier().IsTimerRunning());
    PumpUntil([] { return false; }, 1300);
    EXPECT_EQ(stats.count, 5);
    // The running tally mark leaving stops the seconds too.
    work->StartTallymark();
    delete work;
    EXPECT_FALSE(Notifier().IsTimerRunning());
}

TEST_F(CStatUpdateNotifierTest, OnlyTheRunningTallymarkStopsTheSeconds) {
    CTallymark* stale = home->StartTallymark();
    CTallymark* running = work->StartTallymark();
    stale->EndNow();
    EXPECT_TRUE(Notifier().IsTimerRunning());
    CTallymark* other = home->StartTallymark();
    delete running;
    EXPECT_TRUE(Notifier().IsTimerRunning());
    delete other;
    EXPECT_FALSE(Notifier().IsTimerRunning());
}

TEST_F(CStatUpdateNotifierTest, ADisabledNotifierStillStartsAndStopsItsTimer) {
    Notifier().Disable();
    CTallymark* running = work->StartTallymark();
    EXPECT_TRUE(Notifier().IsTimerRunning());
    running->EndNow();
    EXPECT_FALSE(Notifier().IsTimerRunning());
    EXPECT_EQ(stats.count, 0);
}

TEST(CStatUpdateNotifier, WithoutAWindowChangesAreStillAnnounced) {
    CStatUpdateNotifier notifier;
    CStatsLog stats;
    stats.Connect(&notifier);
    notifier.Notify(scWorkStarted);
    EXPECT_FALSE(notifier.IsTimerRunning());
    notifier.Notify(scValuesChanged);
    EXPECT_EQ(stats.count, 2);
}

} // namespace
