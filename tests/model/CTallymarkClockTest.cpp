// Starting and stopping work against the clock: times that no project file can hold are
// refused, and a clock set back while working ends the tally mark by the time that passed.

#include "model/CActivity.h"
#include "model/CClockNotices.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/CTickClock.h"

#include "ModelTestHelpers.h"
#include "StateTestHelpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

using namespace modeltest;

// Writes down every clock notice.
class CNoticeLog : public CSlot<CClockNoticeEvent> {
public:
    CNoticeLog() { Connect(&CClockNotices::Get()); }
    std::vector<EClockNotice> notices;

protected:
    bool OnEvent(CClockNoticeEvent& event) override {
        notices.push_back(event.notice);
        return true;
    }
};

// Replaces the monotonic clock for one test.
class CPinnedTicks {
public:
    explicit CPinnedTicks(std::uint64_t ticks) {
        Value() = ticks;
        CTickClock::Set([] { return Value(); });
    }
    ~CPinnedTicks() { CTickClock::Set(nullptr); }
    CPinnedTicks(const CPinnedTicks&) = delete;
    CPinnedTicks& operator=(const CPinnedTicks&) = delete;
    static std::uint64_t& Value() {
        static std::uint64_t value = 0;
        return value;
    }
};

const std::uint64_t kMinute = 60000;

TEST(CTallymarkClock, StartAndStopFollowTheClockAndRefuseWhatNoFileHolds) {
    const CDateTime beyond(CDateTime::GetMaximum() + 1.0 / 24.0);
    const CDateTime last(CDateTime::GetMaximum());
    const struct {
        const char* what;
        CDateTime startClock;
        CDateTime stopClock;
        std::uint64_t elapsedTicks;
        bool started;
        ETallymarkEnd result;
        CDateTime end;
        std::vector<EClockNotice> notices;
    } cases[] = {
        {"plain",
         Date(2024, 3, 1, 12),
         Date(2024, 3, 1, 13),
         60 * kMinute,
         true,
         ETallymarkEnd::Ended,
         Date(2024, 3, 1, 13),
         {}},
        {"clock set back an hour",
         Date(2024, 3, 1, 12),
         Date(2024, 3, 1, 11),
         30 * kMinute,
         true,
         ETallymarkEnd::EndedAfterClockSetBack,
         Date(2024, 3, 1, 12, 30),
         {EClockNotice::EndedAfterClockSetBack}},
        {"clock passes the calendar's end",
         Date(9999, 12, 30, 23),
         beyond,
         120 * kMinute,
         true,
         ETallymarkEnd::Refused,
         CTallymark::GetNullDate(),
         {EClockNotice::StopRefused}},
        {"start at the calendar's last moment",
         last,
         last,
         0,
         true,
         ETallymarkEnd::Ended,
         last,
         {}},
        {"start beyond the calendar",
         beyond,
         beyond,
         0,
         false,
         ETallymarkEnd::NotOpen,
         CTallymark::GetNullDate(),
         {EClockNotice::StartRefused}},
        {"unreadable clock",
         CDateTime(),
         CDateTime(),
         0,
         false,
         ETallymarkEnd::NotOpen,
         CTallymark::GetNullDate(),
         {EClockNotice::StartRefused}},
    };
    for (const auto& c : cases) {
        CClockNotices::Get().TakePending();
        auto owned = std::make_unique<CProjectState>();
        CProjectState& state = *owned;
        CActivity* activity = AddActivity(state, "Write");
        CNoticeLog log;
        CPinnedClock clock(c.startClock);
        CPinnedTicks ticks(5 * kMinute);
        CTallymark* tallymark = activity->StartTallymark();
        ASSERT_EQ(tallymark != nullptr, c.started) << c.what;
        EXPECT_EQ(activity->GetTallymarks().GetCount(), c.started ? 1u : 0u) << c.what;
        if (tallymark != nullptr) {
            CPinnedClock::Set(c.stopClock);
            CPinnedTicks::Value() += c.elapsedTicks;
            EXPECT_EQ(tallymark->EndNow(), c.result) << c.what;
            EXPECT_EQ(tallymark->GetEnd(false).GetValue(), c.end.GetValue()) << c.what;
            EXPECT_EQ(tallymark->IsOpen(), c.result == ETallymarkEnd::Refused) << c.what;
        }
        EXPECT_EQ(log.notices, c.notices) << c.what;
        // What is kept for the user outlives the activity and the tally mark.
        owned.reset();
        std::vector<EClockNotice> kept;
        for (const SClockNotice& notice : CClockNotices::Get().TakePending()) {
            kept.push_back(notice.notice);
            EXPECT_EQ(notice.activity, "Write") << c.what;
            EXPECT_EQ(notice.hasTallymark, c.started) << c.what;
            if (notice.hasTallymark) {
                EXPECT_EQ(notice.start.GetValue(), c.startClock.GetValue()) << c.what;
                EXPECT_EQ(notice.end.GetValue(), c.end.GetValue()) << c.what;
            }
            EXPECT_EQ(notice.now.GetValue(), (c.started ? c.stopClock : c.startClock).GetValue())
                << c.what;
        }
        EXPECT_EQ(kept, c.notices) << c.what;
        EXPECT_FALSE(CClockNotices::Get().HasPending()) << c.what;
    }
    // An edit works on a copy of the running tally mark, which knows when the work began.
    CProjectState state;
    CActivity* activity = AddActivity(state, "Write");
    CPinnedClock clock(Date(2024, 3, 1, 12));
    CPinnedTicks ticks(kMinute);
    CTallymark* running = activity->StartTallymark();
    ASSERT_NE(running, nullptr);
    std::unique_ptr<CTallymark> copy(CTallymark::Copy(*running, activity));
    CPinnedClock::Set(Date(2024, 3, 1, 11));
    CPinnedTicks::Value() += 45 * kMinute;
    EXPECT_EQ(copy->EndNow(), ETallymarkEnd::EndedAfterClockSetBack);
    EXPECT_EQ(copy->GetEnd(false), Date(2024, 3, 1, 12, 45));
}

} // namespace
