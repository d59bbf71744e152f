// Starting and stopping work against the clock: times that no project file can hold are
// refused, and a clock set back or forward while working ends the tally mark by the time
// that passed.

#include "model/CActivity.h"
#include "model/CClockNotices.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/CTallymarks.h"
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
    const auto plusSeconds = [](const CDateTime& date, double seconds) {
        return date + CDateTimeSpan(seconds / 86400.0);
    };
    const std::uint64_t kWeek = 7 * 1440 * kMinute;
    const struct {
        const char* what;
        CDateTime startClock;
        CDateTime stopClock;
        std::uint64_t elapsedTicks;
        bool started;
        // Started in this run (with a reading of the monotonic clock), not read from a file.
        bool thisRun;
        ETallymarkEnd result;
        CDateTime end;
        std::vector<EClockNotice> notices;
    } cases[] = {
        {"plain",
         Date(2024, 3, 1, 12),
         Date(2024, 3, 1, 13),
         60 * kMinute,
         true,
         true,
         ETallymarkEnd::Ended,
         Date(2024, 3, 1, 13),
         {}},
        {"clock set back an hour",
         Date(2024, 3, 1, 12),
         Date(2024, 3, 1, 11),
         30 * kMinute,
         true,
         true,
         ETallymarkEnd::EndedAfterClockSetBack,
         Date(2024, 3, 1, 12, 30),
         {EClockNotice::EndedAfterClockSetBack}},
        {"clock passes the calendar's end",
         Date(9999, 12, 30, 23),
         beyond,
         120 * kMinute,
         true,
         true,
         ETallymarkEnd::Refused,
         CTallymark::GetNullDate(),
         {EClockNotice::StopRefused}},
        {"start at the calendar's last moment",
         last,
         last,
         0,
         true,
         true,
         ETallymarkEnd::Ended,
         last,
         {}},
        {"start beyond the calendar",
         beyond,
         beyond,
         0,
         false,
         true,
         ETallymarkEnd::NotOpen,
         CTallymark::GetNullDate(),
         {EClockNotice::StartRefused}},
        {"unreadable clock",
         CDateTime(),
         CDateTime(),
         0,
         false,
         true,
         ETallymarkEnd::NotOpen,
         CTallymark::GetNullDate(),
         {EClockNotice::StartRefused}},
        {"clock set back an hour after two hours, still after the start",
         Date(2024, 3, 1, 12),
         Date(2024, 3, 1, 13),
         120 * kMinute,
         true,
         true,
         ETallymarkEnd::EndedAfterClockSetBack,
         Date(2024, 3, 1, 14),
         {EClockNotice::EndedAfterClockSetBack}},
        {"clock set forward an hour",
         Date(2024, 3, 1, 12),
         Date(2024, 3, 1, 14),
         60 * kMinute,
         true,
         true,
         ETallymarkEnd::EndedAfterClockSetForward,
         Date(2024, 3, 1, 13),
         {EClockNotice::EndedAfterClockSetForward}},
        {"clock 50 seconds behind, within the tolerance",
         Date(2024, 3, 1, 12),
         plusSeconds(Date(2024, 3, 1, 13), -50),
         60 * kMinute,
         true,
         true,
         ETallymarkEnd::Ended,
         plusSeconds(Date(2024, 3, 1, 13), -50),
         {}},
        {"a week of work, the clocks drifted five minutes apart",
         Date(2024, 3, 1, 12),
         Date(2024, 3, 8, 12, 5),
         kWeek,
         true,
         true,
         ETallymarkEnd::Ended,
         Date(2024, 3, 8, 12, 5),
         {}},
        {"begun in an earlier run, clock set back an hour after two hours",
         Date(2024, 3, 1, 12),
         Date(2024, 3, 1, 13),
         120 * kMinute,
         true,
         false,
         ETallymarkEnd::Ended,
         Date(2024, 3, 1, 13),
         {}},
        {"begun in an earlier run, clock before the start",
         Date(2024, 3, 1, 12),
         Date(2024, 3, 1, 11),
         30 * kMinute,
         true,
         false,
         ETallymarkEnd::EndedAtStartTimeUnknown,
         Date(2024, 3, 1, 12),
         {EClockNotice::EndedAtStartTimeUnknown}},
        {"a second after the start, a time sync steps the clock back two seconds",
         Date(2024, 3, 1, 12),
         plusSeconds(Date(2024, 3, 1, 12), -1),
         1000,
         true,
         true,
         ETallymarkEnd::EndedAfterClockSetBack,
         plusSeconds(Date(2024, 3, 1, 12), 1),
         {EClockNotice::EndedAfterClockSetBack}},
        {"sixty days of work, clock set back an hour",
         Date(2024, 3, 1, 12),
         Date(2024, 4, 30, 11),
         60 * 1440 * kMinute,
         true,
         true,
         ETallymarkEnd::EndedAfterClockSetBack,
         Date(2024, 4, 30, 12),
         {EClockNotice::EndedAfterClockSetBack}},
    };
    for (const auto& c : cases) {
        CClockNotices::Get().TakePending();
        auto owned = std::make_unique<CProjectState>();
        CProjectState& state = *owned;
        CActivity* activity = AddActivity(state, "Write");
        CNoticeLog log;
        CPinnedClock clock(c.startClock);
        CPinnedTicks ticks(5 * kMinute);
        CTallymark* tallymark = nullptr;
        if (c.thisRun) {
            tallymark = activity->StartTallymark();
        } else {
            tallymark = new CTallymark(activity, c.startClock);
            activity->GetTallymarks().Add(tallymark);
        }
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
    // Running work moved whole to another activity (a Move import) ends there as a Stop
    // would end it, and the user is told.
    CActivity* other = AddActivity(state, "Other");
    CPinnedClock::Set(Date(2024, 3, 1, 11));
    CPinnedTicks::Value() += 45 * kMinute;
    CClockNotices::Get().TakePending();
    EXPECT_TRUE(activity->GetTallymarks().CopyClipped(other->GetTallymarks(), false, true,
                                                      Date(2024, 3, 1), Date(2024, 3, 2)));
    EXPECT_EQ(activity->GetTallymarks().GetCount(), 0u);
    ASSERT_EQ(other->GetTallymarks().GetCount(), 1u);
    EXPECT_EQ(other->GetTallymarks().GetFirst()->GetEnd(false), Date(2024, 3, 1, 13, 30));
    EXPECT_EQ(CClockNotices::Get().TakePending().size(), 1u);
}

// The reading goes with the running work wherever its start moves at 12:30 (an edit, a
// split, a Move of 12:05-12:15 that clips it): by 13:30 an hour and a half passed, the last
// hour of it on a clock set back an hour unless the row stops at 13:30.
TEST(CTallymarkClock, ARunningTallymarkWhoseStartMovedEndsByTheTimeThatPassed) {
    const auto at = [](int hour, int minute) { return Date(2024, 3, 1, hour, minute); };
    const struct {
        CDateTime newStart; // Invalid: clipped by the Move.
        CDateTime stopClock;
        ETallymarkEnd result;
    } cases[] = {
        {at(11, 50), at(12, 30), ETallymarkEnd::EndedAfterClockSetBack},
        {at(11, 50), at(13, 30), ETallymarkEnd::Ended},
        {at(12, 20), at(12, 30), ETallymarkEnd::EndedAfterClockSetBack},
        {CDateTime(), at(12, 30), ETallymarkEnd::EndedAfterClockSetBack},
    };
    for (const auto& c : cases) {
        CProjectState state;
        CActivity* activity = AddActivity(state, "Write");
        CActivity* other = AddActivity(state, "Other");
        CPinnedClock clock(at(12, 0));
        CTallymark* running = activity->StartTallymark();
        CPinnedClock::Set(at(12, 30));
        if (c.newStart.IsValid()) {
            running->SetStart(c.newStart);
        } else {
            activity->GetTallymarks().CopyClipped(other->GetTallymarks(), false, true, at(12, 5),
                                                  at(12, 15));
        }
        CPinnedClock::Set(at(13, 30));
        CPinnedClock::Set(c.stopClock);
        EXPECT_EQ(running->EndNow(), c.result) << c.newStart.GetValue();
        EXPECT_EQ(running->GetEnd(false), at(13, 30)) << c.newStart.GetValue();
    }
}

} // namespace
