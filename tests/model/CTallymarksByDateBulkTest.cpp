#include "harness/TestTimeZones.h"
#include "model/CTallymarksByDate.h"

#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include "ModelTestHelpers.h"
#include "StateTestHelpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace modeltest;

using harness::CentralEuropeanZone;

// What an index answers: its tally marks in order of start, first start, last end and
// every day it marks.
struct SIndexView {
    std::vector<const CTallymark*> byStart;
    CDateTime firstStart, lastEnd;
    std::vector<int> days;

    explicit SIndexView(const CTallymarksByDate& index) {
        for (const STallymarkIndexEntry& entry : index.GetStartIndex()) {
            byStart.push_back(entry.tallymark);
        }
        firstStart = index.GetFirstStart();
        lastEnd = index.GetLastEnd();
        const int first = Date(2022, 12, 1).GetDayNumber();
        for (int day = first; day < first + 800; ++day) {
            if (index.HasTallymarksOn(CDateTime(day + 0.5))) {
                days.push_back(day);
            }
        }
    }
};

// The index that a loading state builds in one pass when tracking starts again answers as
// the one built from each tally mark as it joined: in the order of starts (equal starts
// included), in the days counted in a zone with daylight saving (tally marks that end on
// a local midnight included) and in the running tally mark.
TEST(CTallymarksByDate, OnePassAfterLoadingEqualsJoiningOneByOne) {
    const CTimeZone zone = CentralEuropeanZone();
    CTallymarksByDate::SetDefaultTimeZone(&zone);
    CPinnedClock clock(Date(2024, 12, 31));
    {
        CProjectState state;
        CActivity* work = AddActivity(state, "Work");
        CActivity* activities[] = {work, AddActivity(state, "Design", work),
                                   AddActivity(state, "Home")};
        std::mt19937 random(14);
        const double first = Date(2023, 1, 1).GetValue();
        for (int i = 0; i < 3000; ++i) {
            // Whole hours, so that many start together and many end on a local midnight.
            const double start = first + static_cast<int>(random() % (700 * 24)) / 24.0;
            const double hours = 1 + random() % 30;
            AddTallymark(activities[random() % 3], CDateTime(start),
                         CDateTime(start + hours / 24.0));
        }
        AddTallymark(work, Date(2024, 12, 30, 8));
        const SIndexView joined(state.GetTallymarksByDate());
        ASSERT_EQ(joined.byStart.size(), 3001u);

        state.Reset(false);
        EXPECT_EQ(state.GetTallymarksByDate().GetCount(), 0u);
        state.EnableTracking();
        const SIndexView rebuilt(state.GetTallymarksByDate());
        EXPECT_EQ(rebuilt.byStart, joined.byStart);
        EXPECT_EQ(rebuilt.firstStart, joined.firstStart);
        EXPECT_EQ(rebuilt.lastEnd, joined.lastEnd);
        EXPECT_EQ(rebuilt.days, joined.days);
        // The running tally mark runs in the index too: closing it moves the last end.
        state.GetCurrentTallymark()->SetEnd(Date(2024, 12, 30, 9));
        EXPECT_EQ(state.GetTallymarksByDate().GetLastEnd(), Date(2024, 12, 30, 9));
    }
    CTallymarksByDate::SetDefaultTimeZone(nullptr);
}

} // namespace
