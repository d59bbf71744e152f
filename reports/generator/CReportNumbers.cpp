#include "reports/generator/CReport.h"

#include "app/main/CAppMain.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CStatGen.h"
#include "model/CStatInts.h"
#include "reports/generator/ReportRounding.h"

namespace {

// The last period is the one that holds the end less this much: an end on a boundary
// (the usual case) thus closes the period before it instead of opening one after it.
const double kEndTolerance = 0.5 / 86400.0;

int FirstDayOfWeek() {
    return CAppMain::Exists() ? CAppMain::Get().GetSetDateTime().GetFirstDayOfWeek() : 1;
}

} // namespace

void CReport::BuildPeriods(const CDateTime& start, const CDateTime& end) {
    CDateTime probe = end - CDateTimeSpan(kEndTolerance);
    if (probe < start && start <= end) {
        probe = start;
    }
    CStatInts intervals;
    // Clipped: the first period starts at start and no time outside the report counts.
    intervals.Generate(static_cast<EStatIntKind>(m_statisticsPer), start, probe,
                       EStatIntBounds::Clipped, FirstDayOfWeek());
    const int count = intervals.GetCount();
    m_intervals.reserve(static_cast<size_t>(count));
    m_periods.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const CStatInt& interval = intervals.GetAt(i);
        if (i == count - 1) {
            m_intervals.emplace_back(interval.GetStart(ETimeBase::Local), end);
        } else {
            m_intervals.push_back(interval);
        }
        SReportPeriod period;
        period.id = i;
        period.start = m_intervals.back().GetStart(ETimeBase::Local);
        period.end = m_intervals.back().GetEnd(ETimeBase::Local);
        m_periods.push_back(period);
    }
}

void CReport::CollectStatistics(const CDateTime& start, const CDateTime& end,
                                const std::set<CActivity*>& activities) {
    m_periods.clear();
    m_activities.clear();
    m_cells.clear();
    m_intervals.clear();
    m_totalRoundSum = CDateTimeSpan(0.0);
    m_totalSumRound = CDateTimeSpan(0.0);
    BuildPeriods(start, end);

    // Every activity whose time counts (a chosen one or one below a chosen one), in
    // pre-order, with the position of its nearest counted ancestor (-1 for none).
    struct SCounted {
        CActivity* activity;
        int parent;
        int chosen; // position in m_activities, or -1
    };
    std::vector<SCounted> counted;
    CActivity* root = m_state->GetRootActivity();
    std::vector<int> openAt; // the counted index of each depth's open activity
    int id = 0;
    for (CActivity* node = root->GetNextInSubtree(root); node != nullptr;
         node = node->GetNextInSubtree(root), ++id) {
        const int depth = node->GetDepth();
        openAt.resize(static_cast<size_t>(depth));
        const int parent = depth >= 2 ? openAt[static_cast<size_t>(depth - 2)] : -1;
        const bool chosen = activities.count(node) != 0;
        int index = -1;
        if (chosen || parent >= 0) {
            index = static_cast<int>(counted.size());
            int chosenAt = -1;
            if (chosen) {
                chosenAt = static_cast<int>(m_activities.size());
                SReportActivity record;
                record.id = id;
                record.activity = node;
                m_activities.push_back(record);
            }
            counted.push_back({node, parent, chosenAt});
        }
        openAt.back() = index;
    }

    const size_t numActivities = m_activities.size();
    m_cells.resize(m_periods.size() * numActivities);
    std::vector<CDateTimeSpan> own(counted.size());
    std::vector<CDateTimeSpan> all(counted.size());
    for (size_t p = 0; p < m_periods.size(); ++p) {
        SReportPeriod& period = m_periods[p];
        for (size_t i = 0; i < counted.size(); ++i) {
            own[i] = counted[i]
                         .activity->GetStatGen()
                         .Generate(m_intervals[p], EStatScope::Own)
                         .GetTotal();
            all[i] = own[i];
        }
        // Descendants come after their ancestors: adding back to front sums each subtree.
        for (size_t i = counted.size(); i-- > 0;) {
            if (counted[i].parent >= 0) {
                all[static_cast<size_t>(counted[i].parent)] += all[i];
            }
        }
        for (size_t i = 0; i < counted.size(); ++i) {
            if (counted[i].chosen < 0) {
                continue;
            }
            SReportActivity& activity = m_activities[static_cast<size_t>(counted[i].chosen)];
            const CDateTimeSpan ownRounded = RoundToUnit(own[i], m_unitsPerDay);
            const CDateTimeSpan allRounded = RoundToUnit(all[i], m_unitsPerDay);
            const bool nonZero = allRounded.GetValue() != 0.0;
            if (nonZero) {
                period.used = true;
                activity.used = true;
            }
            SReportCell& cell = m_cells[p * numActivities + static_cast<size_t>(counted[i].chosen)];
            cell.time = allRounded;
            cell.nonZero = nonZero;
            m_totalRoundSum += ownRounded;
            m_totalSumRound += own[i];
            activity.totalRoundSum += allRounded;
            activity.totalSumRound += all[i];
            period.totalRoundSum += ownRounded;
            period.totalSumRound += own[i];
        }
    }
    for (SReportPeriod& period : m_periods) {
        period.totalSumRound = RoundToUnit(period.totalSumRound, m_unitsPerDay);
    }
    for (SReportActivity& activity : m_activities) {
        activity.totalSumRound = RoundToUnit(activity.totalSumRound, m_unitsPerDay);
    }
    m_totalSumRound = RoundToUnit(m_totalSumRound, m_unitsPerDay);
}

void CReport::GetPeriodBounds(bool usedOnly, std::string& firstStart, std::string& lastEnd) const {
    firstStart.clear();
    lastEnd.clear();
    const SReportPeriod* first = nullptr;
    const SReportPeriod* last = nullptr;
    for (const SReportPeriod& period : m_periods) {
        if (!usedOnly || period.used) {
            if (first == nullptr) {
                first = &period;
            }
            last = &period;
        }
    }
    if (first != nullptr) {
        firstStart = FormatDate(first->start);
        lastEnd = FormatDate(last->end);
    }
}
