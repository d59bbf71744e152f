#include "app/settings/CSetMinToNotArea.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

namespace {

const char* const kSection = "Application";
const char* const kMinimizeToNotArea = "MinimizeToNotArea";

} // namespace

CSetMinToNotArea::CSetMinToNotArea() : m_minimizeToNotArea(false) {}

CSetMinToNotArea::~CSetMinToNotArea() = default;

void CSetMinToNotArea::Load(CINIFile& ini) {
    m_minimizeToNotArea = ReadBool(*ini.GetSection(kSection, true), kMinimizeToNotArea, false);
}

void CSetMinToNotArea::Save(CINIFile& ini) {
    ini.GetSection(kSection, true)
        ->GetSetting(kMinimizeToNotArea, true)
        ->SetBool(m_minimizeToNotArea);
}
