#pragma once

// CReportCellColumns: the cells of a report read activity by activity. A report keeps its
// cells period by period, so one activity's cells over thousands of periods lie a whole row
// apart and each costs a cache miss; this copies them a block of activities at a time, row
// by row, into columns that are read in order.
//
//   CReportCellColumns columns;
//   const SReportCell* cells = columns.Get(reportCells, activityCount, activity);
//   cells[period] ... // valid until the next Get or Clear
//
// Usage notes:
// - The columns are kept for the following activities of the block: call Clear when the
//   cells change.

#include "reports/generator/SReportCell.h"

#include <cstddef>
#include <vector>

class CReportCellColumns {
public:
    // The cells of activity (a position among activityCount) in every period of cells,
    // stored period-major.
    const SReportCell* Get(const std::vector<SReportCell>& cells, size_t activityCount,
                           size_t activity);
    void Clear();

private:
    std::vector<SReportCell> m_columns;
    // The first activity and the number of activities held; count 0 when empty.
    size_t m_first = 0;
    size_t m_count = 0;
    size_t m_periods = 0;
};
