#include "model/CStatInts.h"

#include "library/text/CError.h"
#include "library/text/CText.h"
#include "model/CModelTimeZone.h"

#include "resources/ResourceIds.h"

#include <cmath>

namespace {

// The bounds of the interval of everything: the valid range less 80 days at either side,
// so that a conversion between local and universal time stays in range.
const double kAllStart = -657434.0 + 80.0;
const double kAllEnd = 2958465.0 - 80.0;
// A date in the middle of the calendar: which end a date lies nearer to.
const double kMiddle = (-657434.0 + 2958465.0) / 2.0;

} // namespace

const CStatInt& CStatInts::GetAt(int index) const {
    return m_intervals.at(static_cast<std::size_t>(index));
}

void CStatInts::Generate(EStatIntKind kind, const CDateTime& start, const CDateTime& end,
                         EStatIntBounds bounds, int firstDayOfWeek) {
    if (!IsKnown(kind)) {
        ThrowNoIntervals();
    }
    const CDateTime s = GetIntervalStart(kind, start, 0, firstDayOfWeek);
    const CDateTime t = GetIntervalStart(kind, end, 1, firstDayOfWeek);
    if (!s.IsValid() || !t.IsValid()) {
        ThrowNoIntervals();
    }
    const double days = (t - s).GetValue();
    long long count = 0;
    switch (kind) {
    case sikHour:
        count = std::llround(days * 24.0);
        break;
    case sikDay:
        count = std::llround(days);
        break;
    case sikWeek:
        count = std::llround(days / 7.0);
        break;
    case sikMonth:
        count = (t.GetYear() * 12LL + t.GetMonth()) - (s.GetYear() * 12LL + s.GetMonth());
        break;
    case sikYear:
        count = t.GetYear() - s.GetYear();
        break;
    case sikAll:
        count = 1;
        break;
    }
    // An end before the start gives a negative count, which must not size the sequence.
    if (count <= 0) {
        ThrowNoIntervals();
    }
    if (bounds == EStatIntBounds::Whole) {
        Build(kind, s, count, nullptr, nullptr);
    } else {
        Build(kind, s, count, &start, &end);
    }
}

void CStatInts::GenerateFrom(EStatIntKind kind, int count, const CDateTime& date,
                             EStatIntBounds bounds, int firstDayOfWeek) {
    if (!IsKnown(kind) || count <= 0 || !date.IsValid()) {
        ThrowNoIntervals();
    }
    const CDateTime first = GetIntervalStart(kind, date, 0, firstDayOfWeek);
    Build(kind, first, count, bounds == EStatIntBounds::Whole ? nullptr : &date, nullptr);
}

void CStatInts::GenerateUpTo(EStatIntKind kind, int count, const CDateTime& date,
                             EStatIntBounds bounds, int firstDayOfWeek) {
    if (!IsKnown(kind) || count <= 0 || !date.IsValid()) {
        ThrowNoIntervals();
    }
    // From the start of the interval after the one that holds date, count intervals back;
    // in the calendar's last interval, from that interval's start count - 1 back.
    const CDateTime next = GetIntervalStart(kind, date, 1, firstDayOfWeek);
    const CDateTime first = next.IsValid()
                                ? GetIntervalStart(kind, next, -count, firstDayOfWeek)
                                : GetIntervalStart(kind, date, 1 - count, firstDayOfWeek);
    Build(kind, first, count, nullptr, bounds == EStatIntBounds::Whole ? nullptr : &date);
}

bool CStatInts::FitsUpTo(EStatIntKind kind, int count, const CDateTime& date, int firstDayOfWeek) {
    if (!IsKnown(kind) || count <= 0 || !date.IsValid()) {
        return false;
    }
    const CDateTime next = GetIntervalStart(kind, date, 1, firstDayOfWeek);
    if (!next.IsValid() || !GetIntervalStart(kind, next, -count, firstDayOfWeek).IsValid()) {
        return false;
    }
    CStatInts intervals;
    intervals.GenerateUpTo(kind, count, date, EStatIntBounds::Whole, firstDayOfWeek);
    for (const CStatInt& interval : intervals.m_intervals) {
        if (!interval.IsInCalendar()) {
            return false;
        }
    }
    return true;
}

CDateTime CStatInts::ClampUpTo(EStatIntKind kind, int count, const CDateTime& date,
                               int firstDayOfWeek) {
    if (!date.IsValid() || FitsUpTo(kind, count, date, firstDayOfWeek)) {
        return date;
    }
    // Enough steps for the most columns of hours plus a day of zone offset, or of years.
    const int kMostSteps = 400;
    const int direction = date > CDateTime(kMiddle) ? -1 : 1;
    // Dates on the calendar's first day after its very start are no valid dates: steps
    // that land there are passed over.
    for (int step = 1; step <= kMostSteps; ++step) {
        const CDateTime candidate = GetIntervalStart(kind, date, direction * step, firstDayOfWeek);
        if (FitsUpTo(kind, count, candidate, firstDayOfWeek)) {
            return candidate;
        }
    }
    return date;
}

void CStatInts::Build(EStatIntKind kind, const CDateTime& first, long long count,
                      const CDateTime* startOverride, const CDateTime* endOverride) {
    if (!first.IsValid()) {
        ThrowNoIntervals();
    }
    const CTimeZone zone = CModelTimeZone::Get();
    std::vector<CStatInt> intervals(static_cast<std::size_t>(count));
    CDateTime start = first;
    for (long long i = 0; i < count; ++i) {
        CDateTime end;
        switch (kind) {
        case sikHour:
            // Counted from the first start and made from fields: whole local hours exactly.
            end = first.GetHourStartOffset(static_cast<int>(i + 1));
            break;
        case sikDay:
            end = start + CDateTimeSpan(1.0);
            break;
        case sikWeek:
            end = start + CDateTimeSpan(7.0);
            break;
        case sikMonth:
            end = start + CDateTimeSpan(start.GetDaysInMonth());
            break;
        case sikYear:
            end = start + CDateTimeSpan(start.GetDaysInYear());
            break;
        case sikAll:
            end = CDateTime(kAllEnd);
            break;
        }
        if (i == 0 && startOverride != nullptr) {
            start = *startOverride;
        }
        if (i == count - 1 && endOverride != nullptr) {
            end = *endOverride;
        }
        intervals[static_cast<std::size_t>(i)].Set(start, end, zone);
        start = end;
    }
    m_intervals.swap(intervals);
    m_start = m_intervals.front().GetStart(ETimeBase::Local);
    m_end = m_intervals.back().GetEnd(ETimeBase::Local);
}

CDateTime CStatInts::GetIntervalStart(EStatIntKind kind, const CDateTime& date, int offset,
                                      int firstDayOfWeek) {
    switch (kind) {
    case sikHour:
        return date.GetHourStartOffset(offset);
    case sikDay:
        return date.GetDayStartOffset(offset);
    case sikWeek:
        return date.GetWeekStartOffset(offset, firstDayOfWeek);
    case sikMonth:
        return date.GetMonthStartOffset(offset);
    case sikYear:
        return date.GetYearStartOffset(offset);
    case sikAll:
        return CDateTime(offset <= 0 ? kAllStart : kAllEnd);
    }
    return CDateTime();
}

void CStatInts::ThrowNoIntervals() {
    throw CError(1, CText(IDS_INTERNAL_STATS_NO_INTERVALS).GetString());
}
