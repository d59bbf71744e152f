#include "app/settings/CSetPowerStateTracker.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

namespace {

const char* const kSection = "PowerStateTracker";
const char* const kDetect = "Detect";

} // namespace

CSetPowerStateTracker::CSetPowerStateTracker() : m_detect(false) {}

CSetPowerStateTracker::~CSetPowerStateTracker() = default;

void CSetPowerStateTracker::Load(CINIFile& ini) {
    m_detect = ReadBool(*ini.GetSection(kSection, true), kDetect, false);
}

void CSetPowerStateTracker::Save(CINIFile& ini) {
    ini.GetSection(kSection, true)->GetSetting(kDetect, true)->SetBool(m_detect);
}

void CSetPowerStateTracker::SetDetect(bool detect) {
    if (detect == m_detect) {
        return;
    }
    m_detect = detect;
    CSetPowerStateTrackerChangedEvent event;
    Emit(event);
}
