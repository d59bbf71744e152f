#include "app/settings/CSetLanguage.h"

#include "app/settings/CSetInstall.h"
#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

namespace {

const char* const kSection = "Settings";
const char* const kLanguage = "Language";

} // namespace

CSetLanguage::CSetLanguage(const CSetInstall& install)
    : m_install(install), m_language(install.GetDefLanguage()) {}

CSetLanguage::~CSetLanguage() = default;

void CSetLanguage::Load(CINIFile& ini) {
    m_language =
        ReadLanguageKey(*ini.GetSection(kSection, true), kLanguage, m_install.GetDefLanguage());
}

void CSetLanguage::Save(CINIFile& ini) {
    ini.GetSection(kSection, true)->GetSetting(kLanguage, true)->SetString(m_language);
}
