#include "library/datetime/CTimeZone.h"

#include <cstring>

CTimeZone::CTimeZone() : m_zoneId(TIME_ZONE_ID_UNKNOWN) {
    std::memset(&m_information, 0, sizeof m_information);
}

CTimeZone::CTimeZone(const TIME_ZONE_INFORMATION& information, DWORD zoneId)
    : m_information(information), m_zoneId(zoneId) {}

CTimeZone CTimeZone::GetCurrent() {
    TIME_ZONE_INFORMATION information;
    std::memset(&information, 0, sizeof information);
    DWORD zoneId = GetTimeZoneInformation(&information);
    return CTimeZone(information, zoneId);
}

bool CTimeZone::IsValid() const {
    return m_zoneId != TIME_ZONE_ID_INVALID;
}

bool CTimeZone::HasDaylightSaving() const {
    // A zero month is the system's way of saying that a zone keeps standard time.
    return IsValid() && m_zoneId != TIME_ZONE_ID_UNKNOWN &&
           m_information.DaylightDate.wMonth != 0 && m_information.StandardDate.wMonth != 0;
}
