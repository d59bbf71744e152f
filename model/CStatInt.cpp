#include "model/CStatInt.h"

#include "model/CModelTimeZone.h"

#include <climits>
#include <cmath>
#include <tuple>

bool SStatIntKey::operator<(const SStatIntKey& other) const {
    return std::tie(startDay, startSecond, endDay, endSecond) <
           std::tie(other.startDay, other.startSecond, other.endDay, other.endSecond);
}

bool SStatIntKey::operator==(const SStatIntKey& other) const {
    return startDay == other.startDay && startSecond == other.startSecond &&
           endDay == other.endDay && endSecond == other.endSecond;
}

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
    SplitValue(m_start, m_key.startDay, m_key.startSecond);
    SplitValue(m_end, m_key.endDay, m_key.endSecond);
}

void CStatInt::SplitValue(const CDateTime& date, int& day, int& second) {
    const double value = date.GetValue();
    if (!std::isfinite(value) || std::fabs(value) > INT_MAX / 2) {
        // Nothing that can be built lies out here; any such value is one (useless) key.
        day = INT_MIN;
        second = 0;
        return;
    }
    const double whole = std::floor(value + 1e-8);
    day = static_cast<int>(whole);
    second = static_cast<int>(std::lround((value - whole) * 86400.0));
}
