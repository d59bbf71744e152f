#include "reports/generator/CReportCellColumns.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every activity's column holds its cells of every period, whatever the order the
// activities are asked in, across block borders and for a last block that is not full.
TEST(ReportCellColumnsTest, ColumnsHoldEachActivitysCellsInPeriodOrder) {
    struct SCase {
        size_t activities;
        size_t periods;
    } const cases[] = {{1, 1}, {15, 3}, {16, 2}, {17, 5}, {40, 7}};
    for (const SCase& c : cases) {
        std::vector<SReportCell> cells(c.activities * c.periods);
        for (size_t i = 0; i < cells.size(); ++i) {
            cells[i].time = CDateTimeSpan(static_cast<double>(i));
            cells[i].nonZero = i % 3 == 0;
        }
        std::vector<size_t> order;
        for (size_t a = 0; a < c.activities; ++a) {
            order.push_back(a);
        }
        for (size_t a = c.activities; a-- > 0;) {
            order.push_back(a);
        }
        order.push_back(c.activities / 2);
        CReportCellColumns columns;
        for (size_t a : order) {
            const SReportCell* column = columns.Get(cells, c.activities, a);
            for (size_t p = 0; p < c.periods; ++p) {
                const SReportCell& expected = cells[p * c.activities + a];
                EXPECT_EQ(column[p].time.GetValue(), expected.time.GetValue())
                    << c.activities << " activities, activity " << a << ", period " << p;
                EXPECT_EQ(column[p].nonZero, expected.nonZero);
            }
        }
    }
}

// Cleared columns are copied again from the cells given next.
TEST(ReportCellColumnsTest, ClearedColumnsFollowChangedCells) {
    std::vector<SReportCell> cells(2 * 3);
    CReportCellColumns columns;
    EXPECT_EQ(columns.Get(cells, 2, 1)[2].time.GetValue(), 0.0);
    cells[2 * 2 + 1].time = CDateTimeSpan(0.5);
    columns.Clear();
    EXPECT_EQ(columns.Get(cells, 2, 1)[2].time.GetValue(), 0.5);
}

} // namespace
