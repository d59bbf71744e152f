#pragma once

// CReport: one generation of a report: the numbers of a project over a period (the periods
// of a statistics kind, the chosen activities and the rounded time of each activity in each
// period) and the expansion of a template's placeholders and sections with them.
//
//   CReport report(project, project->GetState(), notation, statisticsPer, rounding);
//   std::string bytes = report.Generate(start, end, chosen, reportTemplate,
//                                       includeEmptyActivities, includeEmptyPeriods);
//
// Usage notes:
// - Codes: notation 0 "hh:mm:ss", 1 numeric days, 2 numeric hours; statistics per 0 hour,
//   1 day, 2 week, 3 month, 4 year, 5 the whole period; rounding 0 second, 1 minute, 2 six
//   minutes, 3 quarter of an hour, 4 half hour, 5 hour (any other: a day).
// - The report period is local time. Its periods cover exactly the period from start to
//   end: the first begins at start, the last ends at end, and only time inside counts.
// - Generate throws CError (code 1) when the statistics cannot be built, for example for a
//   statistics-per code outside 0 to 5; the caller shows its text.
// - The result is the template's bytes with the values inserted, each escaped for the
//   template's format. Text inserted from a value is never searched for markers again, so
//   activity or project names that hold template markers are written as they are.
// - The chosen activities must belong to the state given to the constructor; every
//   activity of that state must stay alive during Generate.
// - Expansion takes time linear in the sizes of the template and of the report. A report
//   that would grow past the largest report size (sections of one kind standing inside
//   each other multiply) is not made: Generate throws CError (code 1) with a message.

#include "library/datetime/CDateTime.h"
#include "library/datetime/CDateTimeSpan.h"
#include "model/CStatInt.h"
#include "reports/generator/CReportCellColumns.h"
#include "reports/generator/SReportActivity.h"
#include "reports/generator/SReportCell.h"
#include "reports/generator/SReportPeriod.h"
#include "reports/generator/SReportPlaceholder.h"

#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CActivity;
class CProject;
class CProjectState;
class CReportTemplate;

class CReport {
public:
    // Section kinds and filters, as GetSectionMarkers takes them.
    enum ESectionKind : std::int32_t {
        skActivity = 0,
        skActivityPeriod = 1,
        skPeriod = 2,
        skPeriodActivity = 3,
    };
    enum ESectionFilter : std::int32_t {
        sfAll = 0,
        sfUsed = 1,
        sfUser = 2,
        sfUsedInSection = 3,
        sfUserInSection = 4,
    };

    CReport(CProject* project, CProjectState* state, std::int32_t notation,
            std::int32_t statisticsPer, std::int32_t rounding);
    CReport(const CReport&) = delete;
    CReport& operator=(const CReport&) = delete;
    virtual ~CReport() = default;

    // The largest report that Generate makes, in bytes.
    static constexpr size_t kMaxReportSize = 256u * 1024u * 1024u;
    // Another largest report size for this generation.
    void SetMaxReportSize(size_t bytes) { m_maxReportSize = bytes; }
    // Throws the CError of a report too large when size is over limit.
    static void CheckReportSize(size_t size, size_t limit);

    // The report text; see the usage notes.
    std::string Generate(const CDateTime& start, const CDateTime& end,
                         const std::set<CActivity*>& activities,
                         const CReportTemplate& reportTemplate, bool includeEmptyActivities,
                         bool includeEmptyPeriods);

    // The first pass: periods, chosen activities in pre-order, cells and totals.
    void CollectStatistics(const CDateTime& start, const CDateTime& end,
                           const std::set<CActivity*>& activities);

    // Text of a duration in the notation; of a period bound for the statistics kind.
    std::string FormatDuration(const CDateTimeSpan& span) const;
    std::string FormatDate(const CDateTime& date) const;
    // The first start and the last end of all periods, or of the used ones; both empty
    // when there is no such period.
    void GetPeriodBounds(bool usedOnly, std::string& firstStart, std::string& lastEnd) const;

    // The names of the options in the user-interface language ("unknown" outside the lists).
    std::string GetStatisticsPerName() const;
    std::string GetRoundingName() const;
    std::string GetNotationName() const;

    // Escaping of an inserted value for a format code (0 csv ... 5 txt; others unchanged).
    static std::string Escape(std::int32_t format, const std::string& text);
    static std::string EscapeCSV(const std::string& text);
    static std::string EscapeTab(const std::string& text);
    static std::string EscapeHTML(const std::string& text);
    static std::string EscapeXML(const std::string& text);
    static std::string EscapeRTF(const std::string& text);

    // The start and end markers of a section kind with a filter.
    static void GetSectionMarkers(std::int32_t kind, std::int32_t filter, std::string& start,
                                  std::string& end);
    // The first section of text: the parts before the start marker, between it and the
    // first end marker behind it, and after that end marker. False when there is none.
    static bool FindSection(const std::string& text, const std::string& start,
                            const std::string& end, std::string& before, std::string& inner,
                            std::string& after);

    // A copy of text with one activity's or one period's placeholders replaced; nested
    // selects the names used inside the other kind's section and the cell placeholder
    // (cell may be null when not nested). Inserted values are escaped for format and kept
    // from later marker searches (Generate restores them at its end).
    std::string ReplaceActivityPlaceholders(const SReportActivity& activity,
                                            const SReportCell* cell, bool nested,
                                            std::int32_t format, const std::string& text,
                                            std::int32_t number) const;
    std::string ReplacePeriodPlaceholders(const SReportPeriod& period, const SReportCell* cell,
                                          bool nested, std::int32_t format, const std::string& text,
                                          std::int32_t number) const;
    // Expands every activity (period) section of text in place, with the sections of the
    // other kind nested inside.
    void ExpandActivitySections(std::int32_t format, std::string& text, bool includeEmptyPeriods,
                                bool includeEmptyActivities) const;
    void ExpandPeriodSections(std::int32_t format, std::string& text, bool includeEmptyPeriods,
                              bool includeEmptyActivities) const;

    const std::vector<SReportPeriod>& GetPeriods() const { return m_periods; }
    const std::vector<SReportActivity>& GetActivities() const { return m_activities; }
    // The cell of the period and the activity, by their positions in the two vectors.
    const SReportCell& GetCell(size_t period, size_t activity) const {
        return m_cells[period * m_activities.size() + activity];
    }
    const CDateTimeSpan& GetTotalRoundSum() const { return m_totalRoundSum; }
    const CDateTimeSpan& GetTotalSumRound() const { return m_totalSumRound; }

private:
    // An activity whose time counts in the report: chosen, or below a chosen one.
    struct SCounted {
        CActivity* activity = nullptr;
        // Its position among the chosen activities, -1 when not chosen.
        int chosen = -1;
        // The positions of its children among the counted activities, in sibling order.
        std::vector<int> children;
        // Its own time in each period that it has time in, by period position.
        std::vector<std::pair<size_t, double>> ownTimes;
    };

    // Builds m_intervals and m_periods for the report period.
    void BuildPeriods(const CDateTime& start, const CDateTime& end);
    // Whether a section filter emits an item.
    static bool Selects(std::int32_t filter, bool used, bool includeEmpty, bool cellNonZero);
    // Expands, in one copy of an outer item, the sections of the nested kind.
    void ExpandNested(std::int32_t format, std::string& copy, size_t outerIndex,
                      bool outerIsActivity, bool includeEmptyPeriods,
                      bool includeEmptyActivities) const;
    // The activity (period) placeholders that stand in text, in the names nested selects,
    // the cell placeholder only withCell.
    static std::vector<SReportPlaceholder> FindActivityPlaceholders(const std::string& text,
                                                                    bool nested, bool withCell);
    static std::vector<SReportPlaceholder> FindPeriodPlaceholders(const std::string& text,
                                                                  bool nested, bool withCell);
    // ReplaceActivityPlaceholders and ReplacePeriodPlaceholders, appending to out, with the
    // placeholders of text found by the Find functions above.
    void AppendActivityPlaceholders(std::string& out, const SReportActivity& activity,
                                    const SReportCell* cell, std::int32_t format,
                                    const std::string& text,
                                    const std::vector<SReportPlaceholder>& placeholders,
                                    std::int32_t number) const;
    void AppendPeriodPlaceholders(std::string& out, const SReportPeriod& period,
                                  const SReportCell* cell, std::int32_t format,
                                  const std::string& text,
                                  const std::vector<SReportPlaceholder>& placeholders,
                                  std::int32_t number) const;
    // FormatDuration's text, kept for the rest of the generation.
    const std::string& GetDurationText(const CDateTimeSpan& span) const;
    // Fills entry's own times per period from its tally marks.
    void CollectOwnTimes(SCounted& entry) const;
    void ReplaceReportPlaceholders(std::int32_t format, std::string& text,
                                   bool includeEmptyPeriods) const;

    CProject* m_project;
    CProjectState* m_state;
    std::int32_t m_notation;
    std::int32_t m_statisticsPer;
    std::int32_t m_rounding;
    size_t m_maxReportSize = kMaxReportSize;
    std::int32_t m_unitsPerDay;
    const char* m_numberFormat;
    // The texts of the durations written so far: a report writes few distinct ones, many
    // times each.
    mutable std::unordered_map<double, std::string> m_durationTexts;
    mutable double m_lastDuration = 0.0;
    mutable const std::string* m_lastDurationText = nullptr;
    std::vector<SReportPeriod> m_periods;
    std::vector<SReportActivity> m_activities;
    std::vector<SReportCell> m_cells;
    // The cells read activity by activity while activity sections are expanded.
    mutable CReportCellColumns m_activityCells;
    CDateTimeSpan m_totalRoundSum{0.0};
    CDateTimeSpan m_totalSumRound{0.0};
    // The statistics interval of each period.
    std::vector<CStatInt> m_intervals;
};
