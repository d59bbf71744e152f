#include "reports/generator/CReport.h"

#include "app/main/CAppMain.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CStatInts.h"
#include "model/CTallymark.h"
#include "model/CTallymarks.h"
#include "model/CTimePeriod.h"
#include "reports/generator/ReportRounding.h"

#include <algorithm>
#include <map>

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
    m_activityCells.Clear();
    m_intervals.clear();
    m_totalRoundSum = CDateTimeSpan(0.0);
    m_totalSumRound = CDateTimeSpan(0.0);
    BuildPeriods(start, end);

    // Every activity whose time counts (a chosen one or one below a chosen one), in
    // pre-order; the children of a counted activity are all counted.
    std::vector<SCounted> counted;
    std::map<const CActivity*, int> countedAt;
    CActivity* root = m_state->GetRootActivity();
    int id = 0;
    for (CActivity* node = root->GetNextInSubtree(root); node != nullptr;
         node = node->GetNextInSubtree(root), ++id) {
        const auto parent = countedAt.find(node->GetParent());
        const bool chosen = activities.count(node) != 0;
        if (!chosen && parent == countedAt.end()) {
            continue;
        }
        SCounted entry;
        entry.activity = node;
        if (chosen) {
            entry.chosen = static_cast<int>(m_activities.size());
            SReportActivity record;
            record.id = id;
            record.activity = node;
            m_activities.push_back(record);
        }
        if (parent != countedAt.end()) {
            counted[static_cast<size_t>(parent->second)].children.push_back(
                static_cast<int>(counted.size()));
        }
        countedAt[node] = static_cast<int>(counted.size());
        counted.push_back(std::move(entry));
    }
    for (SCounted& entry : counted) {
        CollectOwnTimes(entry);
    }

    const size_t numActivities = m_activities.size();
    m_cells.resize(m_periods.size() * numActivities);
    std::vector<size_t> cursor(counted.size(), 0);
    std::vector<double> own(counted.size());
    std::vector<double> all(counted.size());
    for (size_t p = 0; p < m_periods.size(); ++p) {
        SReportPeriod& period = m_periods[p];
        for (size_t i = 0; i < counted.size(); ++i) {
            const std::vector<std::pair<size_t, double>>& times = counted[i].ownTimes;
            own[i] = 0.0;
            if (cursor[i] < times.size() && times[cursor[i]].first == p) {
                own[i] = times[cursor[i]++].second;
            }
        }
        // Children come after their parent in pre-order: back to front, each activity's
        // total is its own time and then its children's totals, in sibling order.
        for (size_t i = counted.size(); i-- > 0;) {
            all[i] = own[i];
            for (int child : counted[i].children) {
                all[i] += all[static_cast<size_t>(child)];
            }
        }
        for (size_t i = 0; i < counted.size(); ++i) {
            if (counted[i].chosen < 0) {
                continue;
            }
            const size_t a = static_cast<size_t>(counted[i].chosen);
            SReportActivity& activity = m_activities[a];
            const CDateTimeSpan ownTime(own[i]);
            const CDateTimeSpan allTime(all[i]);
            const CDateTimeSpan ownRounded = RoundToUnit(ownTime, m_unitsPerDay);
            const CDateTimeSpan allRounded = RoundToUnit(allTime, m_unitsPerDay);
            const bool nonZero = allRounded.GetValue() != 0.0;
            if (nonZero) {
                period.used = true;
                activity.used = true;
            }
            SReportCell& cell = m_cells[p * numActivities + a];
            cell.time = allRounded;
            cell.nonZero = nonZero;
            m_totalRoundSum += ownRounded;
            m_totalSumRound += ownTime;
            activity.totalRoundSum += allRounded;
            activity.totalSumRound += allTime;
            period.totalRoundSum += ownRounded;
            period.totalSumRound += ownTime;
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

void CReport::CollectOwnTimes(SCounted& entry) const {
    // As the activity's statistics count it: its closed tally marks, then the state's
    // running one up to now, each by its overlap with a period's universal bounds. One
    // walk over the tally marks instead of one per period.
    std::vector<std::pair<size_t, double>> times;
    const auto add = [&](const CTallymark& tallymark) {
        const CDateTime markStart = tallymark.GetStart();
        const CDateTime markEnd = tallymark.GetEnd(true);
        auto first = std::upper_bound(m_intervals.begin(), m_intervals.end(), markStart,
                                      [](const CDateTime& date, const CStatInt& interval) {
                                          return date < interval.GetEnd(ETimeBase::Utc);
                                      });
        for (auto it = first; it != m_intervals.end() && it->GetStart(ETimeBase::Utc) < markEnd;
             ++it) {
            const CTimePeriod overlap =
                tallymark.GetOverlap(it->GetStart(ETimeBase::Utc), it->GetEnd(ETimeBase::Utc));
            const CDateTimeSpan length = overlap.GetLength();
            if (!overlap.IsEmpty() && length.IsValid() && length.GetValue() != 0.0) {
                times.emplace_back(static_cast<size_t>(it - m_intervals.begin()),
                                   length.GetValue());
            }
        }
    };
    CTallymarks& tallymarks = entry.activity->GetTallymarks();
    for (CTallymark* tallymark = tallymarks.GetFirst(); tallymark != nullptr;
         tallymark = tallymarks.GetNext()) {
        if (!tallymark->IsOpen()) {
            add(*tallymark);
        }
    }
    const CTallymark* running = m_state->GetCurrentTallymark();
    if (running != nullptr && running->IsOpen() && running->GetActivity() == entry.activity) {
        add(*running);
    }
    // By period, each period's parts in the order of the walk, summed in that order.
    std::stable_sort(times.begin(), times.end(),
                     [](const std::pair<size_t, double>& a, const std::pair<size_t, double>& b) {
                         return a.first < b.first;
                     });
    for (const auto& time : times) {
        if (!entry.ownTimes.empty() && entry.ownTimes.back().first == time.first) {
            entry.ownTimes.back().second += time.second;
        } else {
            entry.ownTimes.push_back(time);
        }
    }
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
