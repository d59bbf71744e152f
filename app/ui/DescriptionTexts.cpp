#include "app/ui/DescriptionTexts.h"

#include "library/datetime/CDateTime.h"
#include "library/datetime/CDateTimeFormat.h"
#include "library/datetime/CDateTimeSpan.h"
#include "library/text/CText.h"
#include "resources/ResourceIds.h"

#include <cmath>

namespace {

const long long kSecondsPerDay = 86400;

bool HasTimeOfDay(const CDateTime& date) {
    return date.GetValue() != std::floor(date.GetValue());
}

unsigned int FirstLineId(int layout, bool running) {
    if (running) {
        return IDS_PERIOD_STILL_ACTIVE;
    }
    switch (layout) {
    case 2:
        return IDS_PERIOD_FROM_TO_NEW_LINE;
    case 3:
        return IDS_PERIOD_FROM_TO_TWO_LINES;
    default:
        return IDS_PERIOD_FROM_TO;
    }
}

// The length in whole days and the rest of a day. The length is first rounded to
// whole seconds: a difference of day numbers is seldom exact, and 11.99999999 days
// must read as 12 days, not as 11 days and 24 hours.
CText FormatLength(const CDateTimeSpan& length) {
    if (!length.IsValid()) {
        return CText();
    }
    const long long seconds = std::llround(length.GetValue() * kSecondsPerDay);
    const long long days = seconds / kSecondsPerDay;
    const CDateTimeSpan rest(static_cast<double>(seconds - days * kSecondsPerDay) / kSecondsPerDay);
    CText text;
    if (days != 0) {
        text.Load(rest.GetValue() == 0 ? IDS_PERIOD_LENGTH_DAYS : IDS_PERIOD_LENGTH_DAYS_HOURS);
        text.ReplaceWithLong("[DAYS]", static_cast<long>(days), true);
        text.ReplaceWithText("[DAYSLBL]", CText(days == 1 ? IDS_DAY_WORD : IDS_DAYS_WORD), true);
    } else {
        text.Load(rest.GetValue() == 0 ? IDS_PERIOD_EMPTY : IDS_PERIOD_LENGTH_HOURS);
    }
    text.ReplaceWithString("[HOURS]", rest.FormatHMS(3), true);
    return text;
}

} // namespace

std::string FormatPeriodDescription(int layout, const CDateTime& start, const CDateTime& end) {
    return FormatPeriodDescription(layout, start, end, CDateTimeFormat::Instance(),
                                   LOCALE_USER_DEFAULT);
}

std::string FormatPeriodDescription(int layout, const CDateTime& start, const CDateTime& end,
                                    const CDateTimeFormat& format, LCID locale) {
    if (start.GetValue() == kNoDate) {
        return CText(IDS_NO_CHOICE_MADE);
    }
    const bool running = end.GetValue() == kNoDate;
    const bool datesOnly = !HasTimeOfDay(start) && (running || !HasTimeOfDay(end));
    const std::string& datePattern = format.GetWeekdayDateFormat();
    auto write = [&](const CDateTime& date) {
        return datesOnly ? date.FormatDate(datePattern, 0, locale)
                         : date.FormatDateTime(datePattern, format.GetTimeOfDayFormat(), 0, locale);
    };
    CText text(FirstLineId(layout, running));
    text.ReplaceWithString("[START]", write(start), true);
    if (running) {
        return text;
    }
    text.ReplaceWithString("[END]", write(end), true);
    return text.GetString() + FormatLength(end - start).GetString();
}

std::string FormatActivityCount(const std::set<CActivity*>& chosen, int total,
                                unsigned int messageId) {
    CText text(messageId);
    text.ReplaceWithText("[ACTS]",
                         CText(chosen.size() == 1 ? IDS_ACTIVITY_WORD : IDS_ACTIVITIES_WORD), true);
    text.ReplaceWithNumber("[TOTALNUMACTS]", total, true);
    text.ReplaceWithLong("[NUMACTS]", static_cast<long>(chosen.size()), true);
    return text;
}
