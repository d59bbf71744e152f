#include "app/settings/CSetInstall.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

namespace {

const char* const kSection = "Settings";
const char* const kDefaultLanguage = "EN";

} // namespace

CSetInstall::CSetInstall() {
    SetDefaults();
}

CSetInstall::~CSetInstall() = default;

void CSetInstall::SetDefaults() {
    m_helpInstalled = false;
    m_reportsInstalled = false;
    m_portableInstall = false;
    m_defLanguage = kDefaultLanguage;
}

void CSetInstall::Load(CINIFile& ini) {
    SetDefaults();
    CINISection& section = *ini.GetSection(kSection, true);
    m_helpInstalled = ReadBool(section, "HelpInstalled", m_helpInstalled);
    m_reportsInstalled = ReadBool(section, "ReportsInstalled", m_reportsInstalled);
    m_portableInstall = ReadBool(section, "PortableInstall", m_portableInstall);
    m_defLanguage = ReadLanguageKey(section, "DefLanguage", m_defLanguage);
}

void CSetInstall::Save(CINIFile&) {}
