#include "app/settings/CSetInactivityDetector.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

#include <algorithm>

namespace {

const char* const kSection = "InactivityDetector";
const char* const kDetect = "Detect";
const char* const kNumMinutes = "NumMinutes";

} // namespace

CSetInactivityDetector::CSetInactivityDetector(bool detectByDefault)
    : m_detectByDefault(detectByDefault), m_detect(detectByDefault), m_numMinutes(DefaultMinutes) {}

CSetInactivityDetector::~CSetInactivityDetector() = default;

void CSetInactivityDetector::Load(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    m_detect = ReadBool(section, kDetect, m_detectByDefault);
    m_numMinutes = ReadClampedUInt(section, kNumMinutes, DefaultMinutes, MinMinutes, MaxMinutes);
}

void CSetInactivityDetector::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    section.GetSetting(kDetect, true)->SetBool(m_detect);
    section.GetSetting(kNumMinutes, true)->SetUInt(m_numMinutes);
}

void CSetInactivityDetector::SetDetect(bool detect) {
    if (detect == m_detect) {
        return;
    }
    m_detect = detect;
    Announce();
}

void CSetInactivityDetector::SetNumMinutes(uint32_t minutes) {
    minutes = std::clamp(minutes, MinMinutes, MaxMinutes);
    if (minutes == m_numMinutes) {
        return;
    }
    m_numMinutes = minutes;
    if (m_detect) {
        Announce();
    }
}

void CSetInactivityDetector::Announce() {
    CSetInactivityDetectorChangedEvent event;
    Emit(event);
}
