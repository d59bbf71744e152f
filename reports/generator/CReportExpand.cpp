#include "reports/generator/CReport.h"

#include "library/files/CFilePath.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "reports/generator/ReportText.h"
#include "reports/templates/CReportTemplate.h"

#include <functional>

using reporttext::ProtectValue;

namespace {

const char* const kKindNames[] = {"activity", "activity_timeperiod", "timeperiod",
                                  "timeperiod_activity"};
const char* const kFilterNames[] = {"all", "used", "user", "used_insection", "user_insection"};

// Replaces "[#" name "#]" by the escaped and protected value, which is only worked out
// when the placeholder occurs.
void ReplaceLazily(std::string& text, std::int32_t format, const std::string& name,
                   const std::function<std::string()>& value) {
    const std::string placeholder = "[#" + name + "#]";
    if (text.find(placeholder) != std::string::npos) {
        reporttext::ReplaceAll(text, placeholder, ProtectValue(CReport::Escape(format, value())));
    }
}

} // namespace

std::string CReport::Generate(const CDateTime& start, const CDateTime& end,
                              const std::set<CActivity*>& activities,
                              const CReportTemplate& reportTemplate, bool includeEmptyActivities,
                              bool includeEmptyPeriods) {
    CollectStatistics(start, end, activities);
    const std::int32_t format = reportTemplate.GetFormat();
    std::string text = reporttext::ProtectTemplate(reportTemplate.GetContent());
    ReplaceReportPlaceholders(format, text, includeEmptyPeriods);
    ExpandActivitySections(format, text, includeEmptyPeriods, includeEmptyActivities);
    ExpandPeriodSections(format, text, includeEmptyPeriods, includeEmptyActivities);
    return reporttext::RestoreValues(text);
}

void CReport::ReplaceReportPlaceholders(std::int32_t format, std::string& text,
                                        bool includeEmptyPeriods) const {
    if (text.find("[#") == std::string::npos) {
        return;
    }
    const auto filePath = [this](bool nameOnly) {
        if (m_project == nullptr) {
            return std::string();
        }
        const CFilePath path = m_project->GetFilePath(false);
        if (!path.IsValid()) {
            return std::string();
        }
        return nameOnly ? path.GetFileName() : path.GetPath();
    };
    const auto bounds = [this](bool usedOnly, bool wantEnd) {
        std::string first;
        std::string last;
        GetPeriodBounds(usedOnly, first, last);
        return wantEnd ? last : first;
    };
    ReplaceLazily(text, format, "reportoption_statisticsper",
                  [&] { return GetStatisticsPerName(); });
    ReplaceLazily(text, format, "reportoption_roundingby", [&] { return GetRoundingName(); });
    ReplaceLazily(text, format, "reportoption_dataformat", [&] { return GetNotationName(); });
    ReplaceLazily(text, format, "project_name", [&] { return m_state->GetName(); });
    ReplaceLazily(text, format, "project_filename", [&] { return filePath(true); });
    ReplaceLazily(text, format, "project_filepath", [&] { return filePath(false); });
    ReplaceLazily(text, format, "report_totaltime(roundsum)",
                  [&] { return FormatDuration(m_totalRoundSum); });
    ReplaceLazily(text, format, "report_totaltime(sumround)",
                  [&] { return FormatDuration(m_totalSumRound); });
    ReplaceLazily(text, format, "timeperiod_firststart(all)", [&] { return bounds(false, false); });
    ReplaceLazily(text, format, "timeperiod_lastend(all)", [&] { return bounds(false, true); });
    ReplaceLazily(text, format, "timeperiod_firststart(used)", [&] { return bounds(true, false); });
    ReplaceLazily(text, format, "timeperiod_lastend(used)", [&] { return bounds(true, true); });
    ReplaceLazily(text, format, "timeperiod_firststart(user)",
                  [&] { return bounds(!includeEmptyPeriods, false); });
    ReplaceLazily(text, format, "timeperiod_lastend(user)",
                  [&] { return bounds(!includeEmptyPeriods, true); });
}

void CReport::GetSectionMarkers(std::int32_t kind, std::int32_t filter, std::string& start,
                                std::string& end) {
    const std::string name = kind >= 0 && kind < 4 ? kKindNames[kind] : "";
    const std::string word = filter >= 0 && filter < 5 ? kFilterNames[filter] : "";
    start = "[#" + name + "_startsection(" + word + ")#]";
    end = "[#" + name + "_endsection#]";
}

bool CReport::FindSection(const std::string& text, const std::string& start, const std::string& end,
                          std::string& before, std::string& inner, std::string& after) {
    const size_t startAt = text.find(start);
    if (startAt == std::string::npos) {
        return false;
    }
    const size_t endAt = text.find(end, startAt);
    if (endAt == std::string::npos) {
        return false;
    }
    before.assign(text, 0, startAt);
    inner.assign(text, startAt + start.size(), endAt - startAt - start.size());
    after.assign(text, endAt + end.size(), std::string::npos);
    return true;
}

bool CReport::Selects(std::int32_t filter, bool used, bool includeEmpty, bool cellNonZero) {
    switch (filter) {
    case sfAll:
        return true;
    case sfUsed:
        return used;
    case sfUser:
        return includeEmpty || used;
    case sfUsedInSection:
        return cellNonZero;
    case sfUserInSection:
        return includeEmpty || cellNonZero;
    default:
        return false;
    }
}

std::string CReport::ReplaceActivityPlaceholders(const SReportActivity& activity,
                                                 const SReportCell* cell, bool nested,
                                                 std::int32_t format, const std::string& text,
                                                 std::int32_t number) const {
    std::string copy = text;
    if (copy.find("[#") == std::string::npos) {
        return copy;
    }
    const std::string prefix = nested ? "timeperiod_activity_" : "activity_";
    ReplaceLazily(copy, format, prefix + "id", [&] { return std::to_string(activity.id); });
    ReplaceLazily(copy, format, prefix + "nr", [&] { return std::to_string(number); });
    ReplaceLazily(copy, format, prefix + "name", [&] { return activity.activity->GetName(); });
    ReplaceLazily(copy, format, prefix + "path", [&] { return activity.activity->GetPath(); });
    ReplaceLazily(copy, format, prefix + "totaltime(roundsum)",
                  [&] { return FormatDuration(activity.totalRoundSum); });
    ReplaceLazily(copy, format, prefix + "totaltime(sumround)",
                  [&] { return FormatDuration(activity.totalSumRound); });
    if (nested && cell != nullptr) {
        ReplaceLazily(copy, format, prefix + "time", [&] { return FormatDuration(cell->time); });
    }
    return copy;
}

std::string CReport::ReplacePeriodPlaceholders(const SReportPeriod& period, const SReportCell* cell,
                                               bool nested, std::int32_t format,
                                               const std::string& text, std::int32_t number) const {
    std::string copy = text;
    if (copy.find("[#") == std::string::npos) {
        return copy;
    }
    const std::string prefix = nested ? "activity_timeperiod_" : "timeperiod_";
    ReplaceLazily(copy, format, prefix + "id", [&] { return std::to_string(period.id); });
    ReplaceLazily(copy, format, prefix + "nr", [&] { return std::to_string(number); });
    ReplaceLazily(copy, format, prefix + "start", [&] { return FormatDate(period.start); });
    ReplaceLazily(copy, format, prefix + "end", [&] { return FormatDate(period.end); });
    ReplaceLazily(copy, format, prefix + "totaltime(roundsum)",
                  [&] { return FormatDuration(period.totalRoundSum); });
    ReplaceLazily(copy, format, prefix + "totaltime(sumround)",
                  [&] { return FormatDuration(period.totalSumRound); });
    if (nested && cell != nullptr) {
        ReplaceLazily(copy, format, prefix + "time", [&] { return FormatDuration(cell->time); });
    }
    return copy;
}

void CReport::ExpandActivitySections(std::int32_t format, std::string& text,
                                     bool includeEmptyPeriods, bool includeEmptyActivities) const {
    std::string start;
    std::string end;
    std::string before;
    std::string inner;
    std::string after;
    for (std::int32_t filter = sfAll; filter <= sfUser; ++filter) {
        GetSectionMarkers(skActivity, filter, start, end);
        while (FindSection(text, start, end, before, inner, after)) {
            text.swap(before);
            std::int32_t number = 0;
            for (size_t a = 0; a < m_activities.size(); ++a) {
                const SReportActivity& activity = m_activities[a];
                if (!Selects(filter, activity.used, includeEmptyActivities, false)) {
                    continue;
                }
                std::string copy =
                    ReplaceActivityPlaceholders(activity, nullptr, false, format, inner, number++);
                ExpandNested(format, copy, a, true, includeEmptyPeriods, includeEmptyActivities);
                text += copy;
            }
            text += after;
        }
    }
}

void CReport::ExpandPeriodSections(std::int32_t format, std::string& text, bool includeEmptyPeriods,
                                   bool includeEmptyActivities) const {
    std::string start;
    std::string end;
    std::string before;
    std::string inner;
    std::string after;
    for (std::int32_t filter = sfAll; filter <= sfUser; ++filter) {
        GetSectionMarkers(skPeriod, filter, start, end);
        while (FindSection(text, start, end, before, inner, after)) {
            text.swap(before);
            std::int32_t number = 0;
            for (size_t p = 0; p < m_periods.size(); ++p) {
                const SReportPeriod& period = m_periods[p];
                if (!Selects(filter, period.used, includeEmptyPeriods, false)) {
                    continue;
                }
                std::string copy =
                    ReplacePeriodPlaceholders(period, nullptr, false, format, inner, number++);
                ExpandNested(format, copy, p, false, includeEmptyPeriods, includeEmptyActivities);
                text += copy;
            }
            text += after;
        }
    }
}

void CReport::ExpandNested(std::int32_t format, std::string& copy, size_t outerIndex,
                           bool outerIsActivity, bool includeEmptyPeriods,
                           bool includeEmptyActivities) const {
    const std::int32_t kind = outerIsActivity ? skActivityPeriod : skPeriodActivity;
    const size_t count = outerIsActivity ? m_periods.size() : m_activities.size();
    std::string start;
    std::string end;
    std::string before;
    std::string inner;
    std::string after;
    for (std::int32_t filter = sfAll; filter <= sfUserInSection; ++filter) {
        GetSectionMarkers(kind, filter, start, end);
        while (FindSection(copy, start, end, before, inner, after)) {
            copy.swap(before);
            std::int32_t number = 0;
            for (size_t item = 0; item < count; ++item) {
                const SReportCell& cell =
                    outerIsActivity ? GetCell(item, outerIndex) : GetCell(outerIndex, item);
                if (outerIsActivity) {
                    const SReportPeriod& period = m_periods[item];
                    if (Selects(filter, period.used, includeEmptyPeriods, cell.nonZero)) {
                        copy +=
                            ReplacePeriodPlaceholders(period, &cell, true, format, inner, number++);
                    }
                } else {
                    const SReportActivity& activity = m_activities[item];
                    if (Selects(filter, activity.used, includeEmptyActivities, cell.nonZero)) {
                        copy += ReplaceActivityPlaceholders(activity, &cell, true, format, inner,
                                                            number++);
                    }
                }
            }
            copy += after;
        }
    }
}
