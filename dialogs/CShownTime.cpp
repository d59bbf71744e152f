#include "dialogs/CShownTime.h"

#include "dialogs/LocalTime.h"

#include <cmath>

namespace {

// The fields of a local time as its date and time fields show them: to the second.
CDateTime AsShown(const CDateTime& local) {
    return local.IsValid() ? CDateTime(local.GetAsSystemTime()) : CDateTime();
}

} // namespace

void CShownTime::Put(const CDateTime& utc) {
    m_utc = utc;
    m_local = ToLocalTime(utc);
    m_putUtc = m_utc;
    m_putShown = AsShown(m_local);
    m_skipped = m_putSkipped = false;
}

void CShownTime::PutLocal(const CDateTime& local) {
    m_local = local;
    m_utc = ToUniversalTime(local);
    m_putUtc = m_utc;
    m_putShown = AsShown(local);
    m_skipped = m_putSkipped = IsSkippedLocalTime(local);
}

void CShownTime::Read(const CDateTime& local) {
    m_local = local;
    // Both are whole seconds: half of one tells equal from changed.
    const double kHalfSecond = 0.5 / 86400.0;
    if (local.IsValid() && m_putShown.IsValid() &&
        std::fabs((local - m_putShown).GetValue()) < kHalfSecond) {
        m_utc = m_putUtc;
        m_skipped = m_putSkipped;
    } else {
        m_utc = ToUniversalTime(local);
        m_skipped = IsSkippedLocalTime(local);
    }
}
