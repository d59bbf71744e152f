#include "model/CTallymark.h"

#include "ModelTestHelpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace modeltest;

CActivity* const kWork = reinterpret_cast<CActivity*>(0x1000);
CActivity* const kPlay = reinterpret_cast<CActivity*>(0x2000);

struct SLoggedTallymark {
    SLoggedTallymark(const CDateTime& start, const CDateTime& end)
        : tallymark(new CTallymark(kWork, start, end)) {
        log.Name(tallymark, "t");
        log.Name(kWork, "work");
        log.Name(kPlay, "play");
        log.ListenTo(tallymark);
    }
    ~SLoggedTallymark() { delete tallymark; }

    CEventLog log;
    CTallymark* tallymark;
};

TEST(CTallymark, SettersAnnounceOnlyChangesAndTellWhenTheTallymarkCloses) {
    const CDateTime nine = Date(2024, 3, 1, 9), ten = Date(2024, 3, 1, 10);
    const CDateTime eleven = Date(2024, 3, 1, 11), null = CTallymark::GetNullDate();
    struct SCase {
        const char* name;
        std::function<void(CTallymark&)> change;
        Lines expected;
    } cases[] = {
        {"same values",
         [&](CTallymark& t) {
             t.SetStart(nine);
             t.SetEnd(null);
             t.SetActivity(kWork);
         },
         {}},
        {"start",
         [&](CTallymark& t) {
             t.SetStart(ten);
             t.SetStart(ten);
         },
         {"start t 2024-03-01 09:00->2024-03-01 10:00"}},
        {"close, move the end, reopen",
         [&](CTallymark& t) {
             t.SetEnd(ten);
             t.SetEnd(eleven);
             t.SetEnd(null);
             t.SetEnd(null);
         },
         {"end t null->2024-03-01 10:00 closed", "end t 2024-03-01 10:00->2024-03-01 11:00",
          "end t 2024-03-01 11:00->null"}},
        {"activity",
         [&](CTallymark& t) {
             t.SetActivity(kPlay);
             t.SetActivity(kPlay);
         },
         {"activity t work->play"}},
        {"end now",
         [&](CTallymark& t) {
             t.EndNow();
             t.EndNow();
         },
         {"end t null->2024-03-01 12:00 closed"}},
    };
    CPinnedClock clock(Date(2024, 3, 1, 12));
    for (const SCase& c : cases) {
        SLoggedTallymark logged(nine, null);
        c.change(*logged.tallymark);
        EXPECT_EQ(logged.log.lines, c.expected) << c.name;
    }
}

TEST(CTallymark, ListenersReadTheNewValueFromTheTallymark) {
    struct SReader : CSlot<CTraceEndChangedEvent> {
        bool OnEvent(CTraceEndChangedEvent& e) override {
            seen =
                e.tallymark->GetEnd(false) == e.newEnd && e.tallymark->IsOpen() == !e.becameClosed;
            return true;
        }
        bool seen = false;
    } reader;
    CTallymark tallymark(kWork, Date(2024, 3, 1, 9));
    reader.Connect(&tallymark);
    tallymark.SetEnd(Date(2024, 3, 1, 10));
    EXPECT_TRUE(reader.seen);
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

TEST(CTallymark, CopyHasTheDatesForAnotherActivityAndNoListeners) {
    CEventLog log;
    CTallymark original(kWork, Date(2024, 3, 1, 9), Date(2024, 3, 1, 10));
    log.ListenTo(&original);
    std::unique_ptr<CTallymark> copy(CTallymark::Copy(original, kPlay));
    EXPECT_EQ(copy->GetActivity(), kPlay);
    EXPECT_EQ(copy->GetStart(), original.GetStart());
    EXPECT_EQ(copy->GetEnd(false), original.GetEnd(false));
    EXPECT_EQ(copy->CSignal<CTraceDeletedEvent>::GetNumPeers(), 0u);
}

} // namespace
