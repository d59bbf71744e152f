#include "reports/generator/CReport.h"

#include "library/files/CFilePath.h"
#include "library/text/CError.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "reports/generator/ReportText.h"
#include "reports/templates/CReportTemplate.h"
#include "resources/ResourceIds.h"

#include <algorithm>
#include <array>
#include <functional>

using reporttext::ProtectValue;

namespace {

const char* const kKindNames[] = {"activity", "activity_timeperiod", "timeperiod",
                                  "timeperiod_activity"};
const char* const kFilterNames[] = {"all", "used", "user", "used_insection", "user_insection"};

// The placeholders of one level: "[#" prefix name "#]" for each name.
template <size_t N>
std::array<std::string, N> Placeholders(const char* prefix, const char* const (&names)[N]) {
    std::array<std::string, N> placeholders;
    for (size_t k = 0; k < N; ++k) {
        placeholders[k] = std::string("[#") + prefix + names[k] + "#]";
    }
    return placeholders;
}

const char* const kActivityNames[] = {
    "id", "nr", "name", "path", "totaltime(roundsum)", "totaltime(sumround)", "time"};
const char* const kPeriodNames[] = {
    "id", "nr", "start", "end", "totaltime(roundsum)", "totaltime(sumround)", "time"};
const char* const kReportNames[] = {"reportoption_statisticsper",
                                    "reportoption_roundingby",
                                    "reportoption_dataformat",
                                    "project_name",
                                    "project_filename",
                                    "project_filepath",
                                    "report_totaltime(roundsum)",
                                    "report_totaltime(sumround)",
                                    "timeperiod_firststart(all)",
                                    "timeperiod_lastend(all)",
                                    "timeperiod_firststart(used)",
                                    "timeperiod_lastend(used)",
                                    "timeperiod_firststart(user)",
                                    "timeperiod_lastend(user)"};

// Per format code (the last for any other code), the bytes of a value that need escaping
// for the format or protection from later marker searches.
const char* const kSpecial[] = {"\",[\x01",    "\t[\x01",   "&<>\" [\x01",
                                "&<>\"'[\x01", "\\{}[\x01", "[\x01"};

bool NeedsEscaping(std::int32_t format, const std::string& value) {
    using Table = std::array<bool, 256>;
    static const std::array<Table, 6> kTables = [] {
        std::array<Table, 6> tables{};
        for (size_t f = 0; f < tables.size(); ++f) {
            for (const char* c = kSpecial[f]; *c != '\0'; ++c) {
                tables[f][static_cast<unsigned char>(*c)] = true;
            }
        }
        return tables;
    }();
    const Table& special = kTables[format >= 0 && format < 5 ? format : 5];
    for (char c : value) {
        if (special[static_cast<unsigned char>(c)]) {
            return true;
        }
    }
    return false;
}

// Appends a value escaped for format and protected from later marker searches; most values
// need neither and go in as they are.
void AppendValue(std::string& out, std::int32_t format, const std::string& value) {
    if (NeedsEscaping(format, value)) {
        out += ProtectValue(CReport::Escape(format, value));
    } else {
        out += value;
    }
}

// The first occurrence of a marker in text at or after from, or npos. Markers are long and
// expanded texts large: a Boyer-Moore-Horspool search skips most of the text.
size_t FindMarker(const std::string& text, const std::string& marker, size_t from) {
    const std::boyer_moore_horspool_searcher searcher(marker.begin(), marker.end());
    const auto found =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), searcher);
    return found == text.end() ? std::string::npos : static_cast<size_t>(found - text.begin());
}

// The placeholders among the first count names that stand in text, in text order. Inserted
// values hold no "[", so writing the text with them (WritePlaceholders) is the same as
// replacing the placeholders one after the other; a section's text is searched once and
// written for each of its items.
template <size_t N>
std::vector<SReportPlaceholder>
FindPlaceholders(const std::string& text, const std::array<std::string, N>& names, size_t count) {
    std::vector<SReportPlaceholder> spots;
    size_t found = text.find("[#");
    while (found != std::string::npos) {
        size_t k = 0;
        while (k < count && text.compare(found, names[k].size(), names[k]) != 0) {
            ++k;
        }
        if (k == count) {
            found = text.find("[#", found + 1);
            continue;
        }
        spots.push_back({found, names[k].size(), k});
        found = text.find("[#", found + names[k].size());
    }
    return spots;
}

// Appends to out text with the placeholders at spots replaced by their values (value(k)
// gives the k-th), each appended by AppendValue; throws (CheckReportSize) when out grows
// past limit.
template <class F>
void WritePlaceholders(std::string& out, const std::string& text,
                       const std::vector<SReportPlaceholder>& spots, std::int32_t format,
                       size_t limit, F value) {
    size_t from = 0;
    for (const SReportPlaceholder& spot : spots) {
        out.append(text, from, spot.at - from);
        AppendValue(out, format, value(spot.name));
        from = spot.at + spot.length;
        CReport::CheckReportSize(out.size(), limit);
    }
    out.append(text, from, std::string::npos);
    CReport::CheckReportSize(out.size(), limit);
}

// Expands the sections of one kind in text, filter by filter from sfAll to lastFilter:
// each section (from a start marker to the first end marker behind it) is replaced by
// what expand(filter, inner, out) appends, in order of appearance. The text is read once
// per filter and the result built once: each search resumes behind the section before,
// so text that an expansion inserted is never searched again for the same filter.
template <class FExpand>
void ExpandEachSection(std::string& text, std::int32_t kind, std::int32_t lastFilter, size_t limit,
                       FExpand expand) {
    std::string start;
    std::string end;
    std::string inner;
    for (std::int32_t filter = CReport::sfAll; filter <= lastFilter; ++filter) {
        CReport::GetSectionMarkers(kind, filter, start, end);
        // Made anew for each filter, so that the text before is not kept beside it.
        std::string out;
        size_t from = 0;
        for (size_t startAt = FindMarker(text, start, 0); startAt != std::string::npos;
             startAt = FindMarker(text, start, from)) {
            const size_t endAt = FindMarker(text, end, startAt);
            if (endAt == std::string::npos) {
                break;
            }
            out.append(text, from, startAt - from);
            inner.assign(text, startAt + start.size(), endAt - startAt - start.size());
            expand(filter, inner, out);
            from = endAt + end.size();
            CReport::CheckReportSize(out.size(), limit);
        }
        if (from != 0) {
            out.append(text, from, std::string::npos);
            CReport::CheckReportSize(out.size(), limit);
            text.swap(out);
        }
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
    return reporttext::RestoreValues(std::move(text));
}

void CReport::CheckReportSize(size_t size, size_t limit) {
    if (size <= limit) {
        return;
    }
    CText message(IDS_REPORT_TOO_LARGE);
    message.ReplaceWithNumber("[MAXSIZE]", static_cast<std::int32_t>(limit / (1024 * 1024)), true);
    throw CError(1, message.GetString());
}

void CReport::ReplaceReportPlaceholders(std::int32_t format, std::string& text,
                                        bool includeEmptyPeriods) const {
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
    static const auto kPlaceholders = Placeholders("", kReportNames);
    std::string result;
    const auto placeholders = FindPlaceholders(text, kPlaceholders, kPlaceholders.size());
    WritePlaceholders(result, text, placeholders, format, m_maxReportSize, [&](size_t k) {
        switch (k) {
        case 0:
            return GetStatisticsPerName();
        case 1:
            return GetRoundingName();
        case 2:
            return GetNotationName();
        case 3:
            return m_state->GetName();
        case 4:
        case 5:
            return filePath(k == 4);
        case 6:
            return FormatDuration(m_totalRoundSum);
        case 7:
            return FormatDuration(m_totalSumRound);
        default:
            // All, used and user bounds, each a start and an end.
            return bounds(k < 10 ? false : k < 12 ? true : !includeEmptyPeriods, k % 2 == 1);
        }
    });
    text.swap(result);
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
    const size_t startAt = FindMarker(text, start, 0);
    if (startAt == std::string::npos) {
        return false;
    }
    const size_t endAt = FindMarker(text, end, startAt);
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
    std::string result;
    AppendActivityPlaceholders(result, activity, cell, format, text,
                               FindActivityPlaceholders(text, nested, cell != nullptr), number);
    return result;
}

std::vector<SReportPlaceholder> CReport::FindActivityPlaceholders(const std::string& text,
                                                                  bool nested, bool withCell) {
    static const auto kOuter = Placeholders("activity_", kActivityNames);
    static const auto kNested = Placeholders("timeperiod_activity_", kActivityNames);
    return FindPlaceholders(text, nested ? kNested : kOuter, nested && withCell ? 7 : 6);
}

void CReport::AppendActivityPlaceholders(std::string& out, const SReportActivity& activity,
                                         const SReportCell* cell, std::int32_t format,
                                         const std::string& text,
                                         const std::vector<SReportPlaceholder>& placeholders,
                                         std::int32_t number) const {
    WritePlaceholders(out, text, placeholders, format, m_maxReportSize, [&](size_t k) {
        switch (k) {
        case 0:
            return std::to_string(activity.id);
        case 1:
            return std::to_string(number);
        case 2:
            return activity.activity->GetName();
        case 3:
            return activity.activity->GetPath();
        case 4:
            return FormatDuration(activity.totalRoundSum);
        case 5:
            return FormatDuration(activity.totalSumRound);
        default:
            return FormatDuration(cell->time);
        }
    });
}

std::string CReport::ReplacePeriodPlaceholders(const SReportPeriod& period, const SReportCell* cell,
                                               bool nested, std::int32_t format,
                                               const std::string& text, std::int32_t number) const {
    std::string result;
    AppendPeriodPlaceholders(result, period, cell, format, text,
                             FindPeriodPlaceholders(text, nested, cell != nullptr), number);
    return result;
}

std::vector<SReportPlaceholder> CReport::FindPeriodPlaceholders(const std::string& text,
                                                                bool nested, bool withCell) {
    static const auto kOuter = Placeholders("timeperiod_", kPeriodNames);
    static const auto kNested = Placeholders("activity_timeperiod_", kPeriodNames);
    return FindPlaceholders(text, nested ? kNested : kOuter, nested && withCell ? 7 : 6);
}

void CReport::AppendPeriodPlaceholders(std::string& out, const SReportPeriod& period,
                                       const SReportCell* cell, std::int32_t format,
                                       const std::string& text,
                                       const std::vector<SReportPlaceholder>& placeholders,
                                       std::int32_t number) const {
    WritePlaceholders(out, text, placeholders, format, m_maxReportSize, [&](size_t k) {
        switch (k) {
        case 0:
            return std::to_string(period.id);
        case 1:
            return std::to_string(number);
        case 2:
            return FormatDate(period.start);
        case 3:
            return FormatDate(period.end);
        case 4:
            return FormatDuration(period.totalRoundSum);
        case 5:
            return FormatDuration(period.totalSumRound);
        default:
            return FormatDuration(cell->time);
        }
    });
}

void CReport::ExpandActivitySections(std::int32_t format, std::string& text,
                                     bool includeEmptyPeriods, bool includeEmptyActivities) const {
    ExpandEachSection(text, skActivity, sfUser, m_maxReportSize,
                      [&](std::int32_t filter, const std::string& inner, std::string& out) {
                          const auto placeholders = FindActivityPlaceholders(inner, false, false);
                          std::int32_t number = 0;
                          for (size_t a = 0; a < m_activities.size(); ++a) {
                              const SReportActivity& activity = m_activities[a];
                              if (!Selects(filter, activity.used, includeEmptyActivities, false)) {
                                  continue;
                              }
                              std::string copy;
                              AppendActivityPlaceholders(copy, activity, nullptr, format, inner,
                                                         placeholders, number++);
                              ExpandNested(format, copy, a, true, includeEmptyPeriods,
                                           includeEmptyActivities);
                              out += copy;
                              CheckReportSize(out.size(), m_maxReportSize);
                          }
                      });
}

void CReport::ExpandPeriodSections(std::int32_t format, std::string& text, bool includeEmptyPeriods,
                                   bool includeEmptyActivities) const {
    ExpandEachSection(text, skPeriod, sfUser, m_maxReportSize,
                      [&](std::int32_t filter, const std::string& inner, std::string& out) {
                          const auto placeholders = FindPeriodPlaceholders(inner, false, false);
                          std::int32_t number = 0;
                          for (size_t p = 0; p < m_periods.size(); ++p) {
                              const SReportPeriod& period = m_periods[p];
                              if (!Selects(filter, period.used, includeEmptyPeriods, false)) {
                                  continue;
                              }
                              std::string copy;
                              AppendPeriodPlaceholders(copy, period, nullptr, format, inner,
                                                       placeholders, number++);
                              ExpandNested(format, copy, p, false, includeEmptyPeriods,
                                           includeEmptyActivities);
                              out += copy;
                              CheckReportSize(out.size(), m_maxReportSize);
                          }
                      });
}

void CReport::ExpandNested(std::int32_t format, std::string& copy, size_t outerIndex,
                           bool outerIsActivity, bool includeEmptyPeriods,
                           bool includeEmptyActivities) const {
    const std::int32_t kind = outerIsActivity ? skActivityPeriod : skPeriodActivity;
    // Every start marker of the kind begins so; most copies hold none and are left at once.
    static const std::string kPrefixes[] = {"[#activity_timeperiod_startsection(",
                                            "[#timeperiod_activity_startsection("};
    if (copy.find(kPrefixes[outerIsActivity ? 0 : 1]) == std::string::npos) {
        return;
    }
    const size_t count = outerIsActivity ? m_periods.size() : m_activities.size();
    ExpandEachSection(
        copy, kind, sfUserInSection, m_maxReportSize,
        [&](std::int32_t filter, const std::string& inner, std::string& out) {
            const auto placeholders = outerIsActivity ? FindPeriodPlaceholders(inner, true, true)
                                                      : FindActivityPlaceholders(inner, true, true);
            // The outer item's cells, in the order of the nested items.
            const SReportCell* cells =
                outerIsActivity ? m_activityCells.Get(m_cells, m_activities.size(), outerIndex)
                                : m_cells.data() + outerIndex * m_activities.size();
            std::int32_t number = 0;
            for (size_t item = 0; item < count; ++item) {
                const SReportCell& cell = cells[item];
                if (outerIsActivity) {
                    const SReportPeriod& period = m_periods[item];
                    if (Selects(filter, period.used, includeEmptyPeriods, cell.nonZero)) {
                        AppendPeriodPlaceholders(out, period, &cell, format, inner, placeholders,
                                                 number++);
                    }
                } else {
                    const SReportActivity& activity = m_activities[item];
                    if (Selects(filter, activity.used, includeEmptyActivities, cell.nonZero)) {
                        AppendActivityPlaceholders(out, activity, &cell, format, inner,
                                                   placeholders, number++);
                    }
                }
            }
        });
}
