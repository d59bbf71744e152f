#include "reports/generator/CReportCellColumns.h"

#include <algorithm>

namespace {

// Activities copied at a time: a few cache lines of each row.
const size_t kBlock = 16;

} // namespace

const SReportCell* CReportCellColumns::Get(const std::vector<SReportCell>& cells,
                                           size_t activityCount, size_t activity) {
    if (m_count == 0 || activity < m_first || activity >= m_first + m_count) {
        m_first = activity - activity % kBlock;
        m_count = std::min(kBlock, activityCount - m_first);
        m_periods = cells.size() / activityCount;
        m_columns.resize(m_count * m_periods);
        for (size_t p = 0; p < m_periods; ++p) {
            const SReportCell* row = &cells[p * activityCount + m_first];
            for (size_t a = 0; a < m_count; ++a) {
                m_columns[a * m_periods + p] = row[a];
            }
        }
    }
    return m_columns.data() + (activity - m_first) * m_periods;
}

void CReportCellColumns::Clear() {
    m_columns.clear();
    m_count = 0;
}
