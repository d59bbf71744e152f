#include "model/CStatInt.h"

#include "model/CModelTimeZone.h"

#include <climits>
#include <cmath>
#include <cstdint>

CStatInt::CStatInt() = default;

CStatInt::CStatInt(const CDateTime& localStart, const CDateTime& localEnd) {
    Set(localStart, localEnd);
}

CStatInt::CStatInt(const CDateTime& localStart, const CDateTime& localEnd, const CTimeZone& zone) {
    Set(localStart, localEnd, zone);
}

void CStatInt::Set(const CDateTime& localStart, const CDateTime& localEnd) {
    Set(localStart, localEnd, CModelTimeZone::Get());
}

void CStatInt::Set(const CDateTime& localStart, const CDateTime& localEnd, const CTimeZone& zone) {
    m_start = localStart;
    m_end = localEnd;
    m_utcStart = localStart.LocalToUtc(zone);
    m_utcEnd = localEnd.LocalToUtc(zone);
    m_key.start = PackValue(m_start);
    m_key.end = PackValue(m_end);
}

bool CStatInt::IsInCalendar() const {
    return m_start.IsValid() && m_end.IsValid() && m_utcStart.IsValid() && m_utcEnd.IsValid();
}

std::int64_t CStatInt::PackValue(const CDateTime& date) {
    const double value = date.GetValue();
    if (!std::isfinite(value) || std::fabs(value) > INT_MAX / 2) {
        // Nothing that can be built lies out here; any such value is one (useless) key.
        return INT64_MIN;
    }
    const double day = std::floor(value + 1e-8);
    const std::int64_t second = std::llround((value - day) * 86400.0);
    return static_cast<std::int64_t>(day) * 131072 + second;
}
