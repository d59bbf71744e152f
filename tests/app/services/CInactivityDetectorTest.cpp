#include "app/services/CInactivityDetector.h"
#include "app/services/CPowerStateTracker.h"
#include "app/services/IInputIdleSource.h"
#include "app/settings/CSetInactivityDetector.h"
#include "library/windows/CInvisibleWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr DWORD kMinute = 60000;
constexpr double kMsPerDay = 86400000.0;

// An input-idle counter and a clock moved by hand; live: the system's counter and
// clock with a given last input. The hand-moved counter starts just after wrapping.
class CTestIdleSource : public IInputIdleSource {
public:
    explicit CTestIdleSource(bool live_) : live(live_) { now.SetDateTime(2011, 6, 15, 12, 0, 0); }
    bool GetLastInputTick(DWORD& tick) override {
        tick = lastInput;
        return readable;
    }
    DWORD GetTickCount() override { return live ? ::GetTickCount() : tick; }
    CDateTime GetUtcNow() override { return live ? CDateTime::Now(true) : now; }
    void SetIdle(DWORD idle) { lastInput = GetTickCount() - idle; }
    void Pass(DWORD ms) {
        tick += ms;
        now += CDateTimeSpan(ms / kMsPerDay);
    }
    bool live, readable = true;
    DWORD lastInput = 0, tick = 10;
    CDateTime now;
};

class CInactivityDetectorTest : public ::testing::Test, public CSlot<CInactiveEvent> {
protected:
    void SetUp() override {
        ASSERT_NE(m_window.Create(), nullptr);
        ASSERT_TRUE(m_tracker.Init(m_window.GetHandle()));
    }
    void Start(bool detect, bool live = false) {
        m_settings.SetDetect(detect);
        m_idle.live = live;
        CSlot<CInactiveEvent>::Connect(&m_detector);
        ASSERT_TRUE(m_detector.Init(m_window.GetHandle(), m_tracker));
    }
    void Tick() {
        CTimerWentOffEvent event(nullptr);
        EXPECT_TRUE(m_detector.OnTimer(event));
    }
    void Broadcast(WPARAM kind) { SendMessageA(m_window.GetHandle(), WM_POWERBROADCAST, kind, 0); }
    // Milliseconds from the last event's start to now.
    double LastStartAgo() {
        return (m_idle.GetUtcNow() - m_events.back().start.time).GetTotalDays() * kMsPerDay;
    }
    bool OnEvent(CInactiveEvent& event) override {
        m_events.push_back(event);
        if (m_whileHandling) {
            m_whileHandling();
        }
        return true;
    }

    CInvisibleWindow m_window{GetModuleHandleA(nullptr)};
    CPowerStateTracker m_tracker;
    CSetInactivityDetector m_settings{false};
    CTestIdleSource m_idle{false};
    CInactivityDetector m_detector{m_settings, m_idle};
    std::vector<CInactiveEvent> m_events;
    std::function<void()> m_whileHandling;
};

TEST_F(CInactivityDetectorTest, ReportsIdleTimeAboveTheThresholdAndLongSuspensions) {
    const uint32_t kSame = ~0u; // the delay does not change
    enum EOp { kIdle, kPass, kTick, kSuspend, kResume, kDetect, kMinutes, kReadable };
    const struct {
        EOp op;
        DWORD value;
        size_t events;  // so far
        uint32_t delay; // of the check timer after the step
        DWORD startAgo; // of the last event, when it came in this step
    } steps[] = {
        // Detection off: power events and ticks are not heard, the threshold waits.
        {kSuspend, 0, 0, kSame, 0},
        {kPass, 5 * 60 * kMinute, 0, kSame, 0},
        {kResume, 0, 0, kSame, 0},
        {kTick, 0, 0, kSame, 0},
        {kMinutes, 5, 0, kSame, 0},
        {kDetect, 1, 0, 5 * kMinute, 0},
        {kMinutes, 30, 0, 30 * kMinute, 0},
        // Ticks: the next check comes when the threshold would be reached.
        {kIdle, 16, 0, 30 * kMinute, 0}, // the last input before the counter wrapped
        {kTick, 0, 0, 30 * kMinute - 16, 0},
        {kIdle, 10 * kMinute, 0, kSame, 0},
        {kTick, 0, 0, 20 * kMinute, 0},
        {kIdle, 30 * kMinute, 0, kSame, 0},
        {kTick, 0, 0, 0, 0}, // exactly the threshold: checked again at once
        {kIdle, 30 * kMinute + 1, 0, kSame, 0},
        {kTick, 0, 1, 30 * kMinute, 30 * kMinute + 1},
        // Suspensions count from the last input before them; ticks wait for the resume.
        {kIdle, 2 * kMinute, 1, kSame, 0},
        {kSuspend, 0, 1, kSame, 0},
        {kPass, 60 * kMinute, 1, kSame, 0},
        {kTick, 0, 1, kSame, 0},
        {kResume, 0, 2, kSame, 62 * kMinute},
        {kIdle, 0, 2, kSame, 0},
        {kTick, 0, 2, 30 * kMinute, 0},
        {kSuspend, 0, 2, kSame, 0},
        {kPass, 5 * kMinute, 2, kSame, 0},
        {kResume, 0, 2, kSame, 0},
        {kIdle, 10 * kMinute, 2, kSame, 0},
        {kSuspend, 0, 2, kSame, 0},
        {kPass, 20 * kMinute, 2, kSame, 0},
        {kResume, 0, 2, kSame, 0}, // exactly the threshold
        {kIdle, 10 * kMinute, 2, kSame, 0},
        {kSuspend, 0, 2, kSame, 0},
        {kPass, 20 * kMinute + 1000, 2, kSame, 0},
        {kResume, 0, 3, kSame, 30 * kMinute + 1000},
        // Without the last input: no report by ticks, suspensions count from themselves.
        {kReadable, 0, 3, kSame, 0},
        {kTick, 0, 3, 30 * kMinute, 0},
        {kSuspend, 0, 3, kSame, 0},
        {kPass, 31 * kMinute, 3, kSame, 0},
        {kResume, 0, 4, kSame, 31 * kMinute},
        // Switched off during a suspension: no report, and not stuck afterwards.
        {kReadable, 1, 4, kSame, 0},
        {kSuspend, 0, 4, kSame, 0},
        {kDetect, 0, 4, 0, 0},
        {kPass, 60 * kMinute, 4, kSame, 0},
        {kResume, 0, 4, kSame, 0},
        {kDetect, 1, 4, 30 * kMinute, 0},
        {kIdle, 31 * kMinute, 4, kSame, 0},
        {kTick, 0, 5, 30 * kMinute, 31 * kMinute},
    };
    EXPECT_EQ(m_detector.GetThreshold(), 30 * kMinute) << "set before detection ever ran";
    Start(false);
    int index = 0;
    for (const auto& step : steps) {
        const size_t before = m_events.size();
        const uint32_t delay = m_detector.GetCheckDelay();
        switch (step.op) {
        case kIdle:
            m_idle.SetIdle(step.value);
            break;
        case kPass:
            m_idle.Pass(step.value);
            break;
        case kTick:
            Tick();
            break;
        case kSuspend:
            Broadcast(PBT_APMSUSPEND);
            break;
        case kResume:
            Broadcast(PBT_APMRESUMEAUTOMATIC), Broadcast(PBT_APMRESUMESUSPEND);
            break;
        case kDetect:
            m_settings.SetDetect(step.value != 0);
            break;
        case kMinutes:
            m_settings.SetNumMinutes(step.value);
            break;
        case kReadable:
            m_idle.readable = step.value != 0;
            break;
        }
        ASSERT_EQ(m_events.size(), step.events) << "step " << index;
        EXPECT_EQ(m_detector.GetCheckDelay(), step.delay != kSame ? step.delay : delay)
            << "step " << index;
        if (m_events.size() > before) {
            EXPECT_TRUE(m_events.back().resumed == (step.op == kResume)) << "step " << index;
            EXPECT_NEAR(LastStartAgo(), step.startAgo, 1.0) << "step " << index;
        }
        ++index;
    }
}

TEST_F(CInactivityDetectorTest, NothingIsReportedWhileAnEventIsHandled) {
    m_settings.SetNumMinutes(1);
    Start(true);
    // Once only: a detector that reported nested events would recurse without end.
    int calls = 0;
    m_whileHandling = [&] {
        if (calls++ != 0) {
            return;
        }
        Tick();
        Broadcast(PBT_APMSUSPEND);
        m_idle.Pass(10 * kMinute);
        Broadcast(PBT_APMRESUMESUSPEND);
    };
    m_idle.SetIdle(2 * kMinute);
    Tick();
    EXPECT_EQ(m_events.size(), 1u);
    Tick(); // still no input: reported again once the handler has returned
    EXPECT_EQ(m_events.size(), 2u);
}

TEST_F(CInactivityDetectorTest, TheTimerChecksWhenTheThresholdWouldBeReached) {
    m_settings.SetNumMinutes(1);
    Start(true, true);
    m_idle.SetIdle(kMinute - 300);
    const CDateTime lastInput = CDateTime::Now(true) - CDateTimeSpan((kMinute - 300) / kMsPerDay);
    const double lastInputTicks = static_cast<double>(GetTickCount64() - (kMinute - 300));
    Tick();
    EXPECT_GE(m_detector.GetCheckDelay(), 200u);
    EXPECT_LE(m_detector.GetCheckDelay(), 300u);
    for (DWORD started = GetTickCount(); m_events.empty() && GetTickCount() - started < 5000;
         Sleep(10)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
    ASSERT_EQ(m_events.size(), 1u);
    EXPECT_NEAR((m_events[0].start.time - lastInput).GetTotalDays() * kMsPerDay, 0.0, 1000.0);
    // On the monotonic clock too, which measures how long it lasted.
    EXPECT_NEAR(static_cast<double>(m_events[0].start.ticks) - lastInputTicks, 0.0, 1000.0);
    EXPECT_EQ(m_detector.GetCheckDelay(), kMinute);
}

} // namespace
