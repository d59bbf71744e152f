#include "model/CTallymark.h"

#include "ModelTestHelpers.h"

#include <gtest/gtest.h>

namespace {

using namespace modeltest;

CActivity* const kWork = reinterpret_cast<CActivity*>(0x1000);
CActivity* const kPlay = reinterpret_cast<CActivity*>(0x2000);

TEST(CTallymark, SettersAnnounceOnlyChangesAndTellWhenTheTallymarkCloses) {
    CPinnedClock clock(Date(2024, 3, 1, 12));
    const CDateTime null = CTallymark::GetNullDate();
    CTallymark* t = new CTallymark(kWork, Date(2024, 3, 1, 9));
    CEventLog log;
    log.Name(t, "t");
    log.Name(kWork, "work");
    log.Name(kPlay, "play");
    log.ListenTo(t);
    t->SetStart(Date(2024, 3, 1, 9));
    t->SetEnd(null);
    t->SetActivity(kWork);
    t->SetStart(Date(2024, 3, 1, 8));
    t->SetEnd(Date(2024, 3, 1, 10));
    t->SetEnd(Date(2024, 3, 1, 11));
    t->EndNow();
    t->SetEnd(null);
    t->SetActivity(kPlay);
    t->SetActivity(kPlay);
    t->EndNow();
    t->EndNow();
    delete t;
    EXPECT_EQ(
        log.lines,
        (Lines{"start t 2024-03-01 09:00->2024-03-01 08:00", "end t null->2024-03-01 10:00 closed",
               "end t 2024-03-01 10:00->2024-03-01 11:00", "end t 2024-03-01 11:00->null",
               "activity t work->play", "end t null->2024-03-01 12:00 closed", "deleted t"}));
}

TEST(CTallymark, AnOpenTallymarkEndsNow) {
    CPinnedClock clock(Date(2024, 3, 1, 10));
    const CTallymark open(kWork, Date(2024, 3, 1, 9));
    EXPECT_TRUE(open.IsOpen());
    EXPECT_EQ(open.GetEnd(false), CTallymark::GetNullDate());
    EXPECT_EQ(open.GetEnd(true), Date(2024, 3, 1, 10));
    EXPECT_NEAR(open.GetDuration().GetTotalHours(), 1.0, 1e-6);
    clock.Set(Date(2024, 3, 1, 12, 30));
    EXPECT_NEAR(open.GetDuration().GetTotalHours(), 3.5, 1e-6);

    const CTallymark future(kWork, Date(2024, 3, 1, 13));
    EXPECT_FALSE(future.IsValid());
    clock.Set(Date(2024, 3, 1, 13));
    EXPECT_TRUE(future.IsValid());
    EXPECT_FALSE(CTallymark(kWork, Date(2024, 3, 2), Date(2024, 3, 1)).IsValid());

    const CTallymark unfilled(kWork);
    EXPECT_EQ(unfilled.GetStart(), CTallymark::GetNullDate());
    EXPECT_TRUE(unfilled.IsOpen());
}

TEST(CTallymark, OverlapWithAPeriodIsNotClipped) {
    CPinnedClock clock(Date(2024, 3, 1, 18));
    const CTallymark closed(kWork, Date(2024, 3, 1, 9), Date(2024, 3, 1, 12));
    const CTallymark open(kWork, Date(2024, 3, 1, 16));
    struct SCase {
        const CTallymark* tallymark;
        int fromHour, toHour;
        int startHour, endHour;
        bool empty;
    } cases[] = {
        {&closed, 7, 8, 9, 8, true},      // period before
        {&closed, 6, 9, 9, 9, false},     // touches the start: zero length
        {&closed, 10, 11, 10, 11, false}, // inside
        {&closed, 8, 20, 9, 12, false},   // around
        {&closed, 12, 14, 12, 12, false}, // touches the end
        {&open, 17, 20, 17, 18, false},   // an open one ends now
        {&open, 19, 20, 19, 18, true},    // after now
    };
    for (const SCase& c : cases) {
        const CTimePeriod overlap =
            c.tallymark->GetOverlap(Date(2024, 3, 1, c.fromHour), Date(2024, 3, 1, c.toHour));
        EXPECT_EQ(overlap, CTimePeriod(Date(2024, 3, 1, c.startHour), Date(2024, 3, 1, c.endHour)))
            << c.fromHour << "-" << c.toHour;
        EXPECT_EQ(overlap.IsEmpty(), c.empty) << c.fromHour << "-" << c.toHour;
        EXPECT_NEAR(overlap.GetLength().GetTotalHours(), c.endHour - c.startHour, 1e-6);
    }
}

TEST(CTallymark, DeletionIsHeardByEveryListenerStillConnected) {
    CEventLog stays, leaves;
    CTallymark* tallymark = new CTallymark(kWork, Date(2024, 3, 1, 9), Date(2024, 3, 1, 10));
    stays.Name(tallymark, "t");
    stays.ListenTo(tallymark);
    leaves.ListenTo(tallymark);
    leaves.CSlot<CTraceDeletedEvent>::Disconnect(tallymark);
    delete tallymark;
    EXPECT_EQ(stays.lines, Lines{"deleted t"});
    EXPECT_TRUE(leaves.lines.empty());
    EXPECT_EQ(stays.CSlot<CTraceEndChangedEvent>::GetNumPeers(), 0u);
}

} // namespace
