#include "reports/generator/ReportRounding.h"

#include <cmath>

namespace {

const long long kSecondsPerDay = 86400;

} // namespace

std::int32_t GetUnitsPerDay(std::int32_t roundingCode) {
    static const std::int32_t kUnits[] = {86400, 1440, 240, 96, 48, 24};
    return roundingCode >= 0 && roundingCode < 6 ? kUnits[roundingCode] : 1;
}

CDateTimeSpan RoundToUnit(const CDateTimeSpan& span, std::int32_t unitsPerDay) {
    if (!span.IsValid() || unitsPerDay <= 0 || kSecondsPerDay % unitsPerDay != 0) {
        return span;
    }
    const long long seconds = std::llround(span.GetValue() * kSecondsPerDay);
    const long long unit = kSecondsPerDay / unitsPerDay;
    long long units = seconds / unit;
    const long long remainder = seconds % unit;
    if (2 * (remainder < 0 ? -remainder : remainder) >= unit) {
        units += seconds < 0 ? -1 : 1;
    }
    return CDateTimeSpan(static_cast<double>(units * unit) / kSecondsPerDay);
}
