#include "model/CStatGen.h"

#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include "ModelTestHelpers.h"
#include "StateTestHelpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace {

using namespace modeltest;

const EStatScope kOwn = EStatScope::Own, kAll = EStatScope::WithDescendants;

// Hours of activity's time in the interval.
double Hours(CActivity* activity, const CStatInt& interval, EStatScope scope) {
    return activity->GetStatGen().Generate(interval, scope).GetTotal().GetTotalHours();
}

// Local time is two hours ahead of universal time; the tree is Work (Design, Build), Home,
// and "now" is pinned at 2 May 2024 10:00 (universal).
class CStatGenTest : public ::testing::Test {
protected:
    void SetUp() override {
        const CTimeZone zone = FixedZone(2);
        CModelTimeZone::Set(&zone);
        state.reset(new CProjectState());
        work = AddActivity(*state, "Work");
        design = AddActivity(*state, "Design", work);
        build = AddActivity(*state, "Build", work);
        home = AddActivity(*state, "Home");
        AddTallymark(work, Date(2024, 5, 2, 7), Date(2024, 5, 2, 8));
        designMark = AddTallymark(design, Date(2024, 5, 2, 8), Date(2024, 5, 2, 10));
        AddTallymark(design, Date(2024, 5, 3, 8), Date(2024, 5, 3, 10));
        AddTallymark(build, Date(2024, 5, 2, 9), Date(2024, 5, 2, 9, 30));
        AddTallymark(home, Date(2024, 5, 2, 8), Date(2024, 5, 2, 9));
    }
    void TearDown() override {
        state.reset();
        CModelTimeZone::Set(nullptr);
    }

    // A local day of May 2024.
    static CStatInt Day(int day) { return CStatInt(Date(2024, 5, day), Date(2024, 5, day + 1)); }

    CPinnedClock clock{Date(2024, 5, 2, 10)};
    std::unique_ptr<CProjectState> state;
    CActivity *work = nullptr, *design = nullptr, *build = nullptr, *home = nullptr;
    CTallymark* designMark = nullptr;
};

TEST_F(CStatGenTest, TotalsOwnAndDescendantTimeInTheUniversalBounds) {
    const struct {
        const char* name;
        CActivity* activity;
        CStatInt interval;
        EStatScope scope;
        double hours;
    } cases[] = {
        {"work's own day", work, Day(2), kOwn, 1.0},
        {"work's day with descendants", work, Day(2), kAll, 3.5},
        {"design's day", design, Day(2), kAll, 2.0},
        {"the next day", work, Day(3), kAll, 2.0},
        {"local 10-11 is universal 8-9", work, CStatInt(Date(2024, 5, 2, 10), Date(2024, 5, 2, 11)),
         kAll, 1.0},
        {"half of an hour", design, CStatInt(Date(2024, 5, 2, 11, 30), Date(2024, 5, 2, 13)), kOwn,
         0.5},
        {"nothing", home, Day(3), kAll, 0.0},
        {"no bounds", work, CStatInt(), kAll, 0.0},
        {"the root", state->GetRootActivity(), Day(2), kAll, 4.5},
    };
    for (const auto& c : cases) {
        const CStatValue value = c.activity->GetStatGen().Generate(c.interval, c.scope);
        EXPECT_NEAR(value.GetTotal().GetTotalHours(), c.hours, 1e-9) << c.name;
        EXPECT_TRUE(value.GetInterval().GetKey() == c.interval.GetKey()) << c.name;
        // The second request comes from the cache.
        const std::size_t cached = c.activity->GetStatGen().GetNumCachedValues();
        EXPECT_TRUE(c.activity->GetStatGen().IsCached(c.interval)) << c.name;
        EXPECT_NEAR(Hours(c.activity, c.interval, c.scope), c.hours, 1e-9) << c.name;
        EXPECT_EQ(c.activity->GetStatGen().GetNumCachedValues(), cached) << c.name;
    }
    // Descendants cache their own totals when asked through an ancestor.
    EXPECT_TRUE(build->GetStatGen().IsCached(Day(2)));
}

TEST_F(CStatGenTest, CachedTotalsFollowTheTallymarks) {
    const CStatInt day = Day(2);
    EXPECT_NEAR(Hours(design, day, kOwn), 2.0, 1e-9);

    // Local 23:00 to 01:00: half inside the day.
    CTallymark* late = AddTallymark(design, Date(2024, 5, 2, 21), Date(2024, 5, 2, 23));
    EXPECT_TRUE(design->GetStatGen().IsCached(day));
    EXPECT_NEAR(Hours(design, day, kOwn), 3.0, 1e-9);
    delete late;
    EXPECT_NEAR(Hours(design, day, kOwn), 2.0, 1e-9);

    // A tally mark moving to another activity leaves one cache and joins the other.
    EXPECT_NEAR(Hours(home, day, kOwn), 1.0, 1e-9);
    designMark->SetActivity(home);
    EXPECT_NEAR(Hours(design, day, kOwn), 0.0, 1e-9);
    EXPECT_NEAR(Hours(home, day, kOwn), 3.0, 1e-9);
    EXPECT_NEAR(Hours(work, day, kAll), 1.5, 1e-9);

    // Moving a closed tally mark's start or end throws the cache away.
    designMark->SetStart(Date(2024, 5, 2, 9));
    EXPECT_EQ(home->GetStatGen().GetNumCachedValues(), 0u);
    EXPECT_NEAR(Hours(home, day, kOwn), 2.0, 1e-9);
    designMark->SetEnd(Date(2024, 5, 2, 9, 15));
    EXPECT_EQ(home->GetStatGen().GetNumCachedValues(), 0u);
    EXPECT_NEAR(Hours(home, day, kOwn), 1.25, 1e-9);

    // Reopened, it counts nowhere; it does not run.
    designMark->SetEnd(CTallymark::GetNullDate());
    EXPECT_NEAR(Hours(home, day, kOwn), 1.0, 1e-9);
    EXPECT_FALSE(state->IsWorking());
}

TEST_F(CStatGenTest, TheRunningTallymarkCountsLiveAndOnlyOnce) {
    const CStatInt day = Day(2);
    EXPECT_NEAR(Hours(work, day, kAll), 3.5, 1e-9);
    CTallymark* running = build->StartTallymark();
    ASSERT_EQ(state->GetCurrentTallymark(), running);
    CPinnedClock::Set(Date(2024, 5, 2, 10, 30));
    EXPECT_NEAR(Hours(build, day, kOwn), 1.0, 1e-9);
    EXPECT_NEAR(Hours(work, day, kAll), 4.0, 1e-9);
    EXPECT_NEAR(Hours(work, day, kOwn), 1.0, 1e-9);
    EXPECT_NEAR(Hours(home, day, kAll), 1.0, 1e-9);
    CPinnedClock::Set(Date(2024, 5, 2, 11));
    EXPECT_NEAR(Hours(work, day, kAll), 4.5, 1e-9);
    // The cache holds only closed time.
    build->GetStatGen().ClearCache();
    EXPECT_NEAR(Hours(build, day, kOwn), 1.5, 1e-9);

    // Whenever the statistics are announced while the work stops, the running tally mark
    // counts exactly once, whichever listener hears the closing first.
    struct STotalsLog : CSlot<CStatsUpdatedEvent> {
        CActivity* activity;
        std::vector<double> hours;
        bool OnEvent(CStatsUpdatedEvent&) override {
            hours.push_back(Hours(activity, Day(2), kAll));
            return true;
        }
    } totals;
    totals.activity = work;
    totals.Connect(&state->GetStatUpdateNotifier());
    CPinnedClock::Set(Date(2024, 5, 2, 11, 30));
    running->EndNow();
    ASSERT_EQ(totals.hours.size(), 2u);
    for (double hours : totals.hours) {
        EXPECT_NEAR(hours, 5.0, 1e-9);
    }
    CPinnedClock::Set(Date(2024, 5, 2, 13));
    EXPECT_NEAR(Hours(work, day, kAll), 5.0, 1e-9);
    EXPECT_NEAR(Hours(build, day, kOwn), 2.0, 1e-9);

    // The same when the state has not heard of the closing at all yet.
    CTallymark* again = build->StartTallymark();
    state->CSlot<CTraceEndChangedEvent>::Disconnect(again);
    CPinnedClock::Set(Date(2024, 5, 2, 14));
    again->EndNow();
    ASSERT_EQ(state->GetCurrentTallymark(), again);
    EXPECT_NEAR(Hours(build, day, kOwn), 3.0, 1e-9);
    delete again;
    EXPECT_FALSE(state->IsWorking());
}

TEST_F(CStatGenTest, TheCacheDropsTheIntervalCachedFirst) {
    CStatGen& stats = design->GetStatGen();
    auto hour = [](int i) {
        const CDateTime start = Date(2020, 1, 1) + CDateTimeSpan(i / 24.0);
        return CStatInt(start, start + CDateTimeSpan(1.0 / 24.0));
    };
    const int cap = static_cast<int>(CStatGen::kMaxCachedValues);
    ASSERT_EQ(cap, 10922);
    for (int i = 0; i < cap; ++i) {
        stats.Generate(hour(i), kOwn);
        // Asked for often, the first interval still is the oldest.
        stats.Generate(hour(0), kOwn);
    }
    EXPECT_EQ(stats.GetNumCachedValues(), 10922u);
    stats.Generate(hour(cap), kOwn);
    EXPECT_EQ(stats.GetNumCachedValues(), 10922u);
    EXPECT_FALSE(stats.IsCached(hour(0)));
    EXPECT_TRUE(stats.IsCached(hour(1)));
    EXPECT_TRUE(stats.IsCached(hour(cap)));
    stats.Generate(hour(0), kOwn);
    EXPECT_FALSE(stats.IsCached(hour(1)));
    EXPECT_TRUE(stats.IsCached(hour(2)));
    EXPECT_EQ(stats.GetNumCachedValues(), 10922u);

    // Every kept value is still kept up to date (local 07:00-07:30).
    AddTallymark(design, Date(2020, 1, 1, 5), Date(2020, 1, 1, 5, 30));
    EXPECT_TRUE(stats.IsCached(hour(7)));
    EXPECT_NEAR(Hours(design, hour(7), kOwn), 0.5, 1e-9);
    EXPECT_EQ(stats.GetNumCachedValues(), 10922u);
}

} // namespace

// Windows redraw an activity's totals only when its change stamp moved: every change of
// its own tally marks moves it, nothing else does, and no two activities share one.
TEST_F(CStatGenTest, ChangeStampMovesWithEveryChangeOfTheOwnTallymarks) {
    const struct {
        const char* change;
        std::function<void()> apply;
        bool designMoves;
    } cases[] = {
        {"closed tally mark added",
         [&] { AddTallymark(design, Date(2024, 5, 1, 8), Date(2024, 5, 1, 9)); }, true},
        {"start moved", [&] { designMark->SetStart(Date(2024, 5, 2, 7)); }, true},
        {"end moved", [&] { designMark->SetEnd(Date(2024, 5, 2, 11)); }, true},
        {"work started", [&] { AddTallymark(design, Date(2024, 5, 2, 9, 45)); }, true},
        {"running start moved",
         [&] { state->GetCurrentTallymark()->SetStart(Date(2024, 5, 2, 9, 40)); }, true},
        {"work stopped", [&] { state->GetCurrentTallymark()->EndNow(); }, true},
        {"another activity's tally mark",
         [&] { AddTallymark(build, Date(2024, 5, 1, 8), Date(2024, 5, 1, 9)); }, false},
        {"totals asked for", [&] { Hours(design, Day(2), kAll); }, false},
        {"tally mark deleted", [&] { delete designMark; }, true},
    };
    for (const auto& entry : cases) {
        const std::uint64_t before = design->GetStatGen().GetChangeStamp();
        entry.apply();
        EXPECT_EQ(design->GetStatGen().GetChangeStamp() != before, entry.designMoves)
            << entry.change;
    }
    EXPECT_NE(work->GetStatGen().GetChangeStamp(), home->GetStatGen().GetChangeStamp());
}
