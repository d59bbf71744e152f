#pragma once

// CSetInstall: what the installer recorded in the installation file (section
// "Settings"). The program reads these values and never writes them back.

#include "library/settings/IPersistentObject.h"

#include <string>

class CSetInstall : public IPersistentObject {
public:
    CSetInstall();
    ~CSetInstall() override;

    void Load(CINIFile& ini) override;
    // Writes nothing, so the installation file never changes.
    void Save(CINIFile& ini) override;

    bool GetHelpInstalled() const { return m_helpInstalled; }
    bool GetReportsInstalled() const { return m_reportsInstalled; }
    bool GetPortableInstall() const { return m_portableInstall; }
    // The language abbreviation that users start with; "EN" unless the installer chose.
    std::string& GetDefLanguage() { return m_defLanguage; }
    const std::string& GetDefLanguage() const { return m_defLanguage; }

private:
    void SetDefaults();

    bool m_helpInstalled;
    bool m_reportsInstalled;
    bool m_portableInstall;
    std::string m_defLanguage;
};
