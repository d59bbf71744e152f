#include "app/settings/CSetHotKey.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

namespace {

const char* const kSection = "Application";
const char* const kHotKey = "HotKey";

// Any virtual-key code with any of the four flags.
constexpr uint32_t kLargestHotKey = 0x0FFF;

} // namespace

CSetHotKey::CSetHotKey() : m_hotKey(0) {}

CSetHotKey::~CSetHotKey() = default;

void CSetHotKey::Load(CINIFile& ini) {
    SetHotKey(static_cast<uint16_t>(
        ReadUInt(*ini.GetSection(kSection, true), kHotKey, 0, 0, kLargestHotKey)));
}

void CSetHotKey::Save(CINIFile& ini) {
    ini.GetSection(kSection, true)->GetSetting(kHotKey, true)->SetUInt(m_hotKey);
}

void CSetHotKey::SetHotKey(uint16_t hotKey) {
    m_hotKey = hotKey;
    CHotKeySetEvent event(m_hotKey);
    Emit(event);
}
