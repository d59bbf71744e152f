#include "app/settings/CSetTips.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

namespace {

const char* const kSection = "Settings";
const char* const kShowTips = "ShowTips";
const char* const kTipIndex = "TipIndex";

} // namespace

CSetTips::CSetTips() {
    SetDefaults();
}

CSetTips::~CSetTips() = default;

void CSetTips::SetDefaults() {
    m_showTips = true;
    m_tipIndex = 0;
}

void CSetTips::Load(CINIFile& ini) {
    SetDefaults();
    CINISection& section = *ini.GetSection(kSection, true);
    m_showTips = ReadBool(section, kShowTips, m_showTips);
    // Any 32-bit number, signed or unsigned, names a tip once wrapped.
    int64_t index = 0;
    if (ReadNumber(section, kTipIndex, index) && index >= INT32_MIN && index <= UINT32_MAX) {
        m_tipIndex = static_cast<uint32_t>(index);
    }
}

void CSetTips::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    section.GetSetting(kShowTips, true)->SetBool(m_showTips);
    section.GetSetting(kTipIndex, true)->SetUInt(m_tipIndex);
}
