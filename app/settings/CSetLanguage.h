#pragma once

// CSetLanguage: the abbreviation of the user's language module (user file, section
// "Settings", key "Language"). Without a stored choice it is the installation's
// default language, read from the CSetInstall given at construction, which must
// outlive this object and be loaded first.

#include "library/settings/IPersistentObject.h"

#include <string>

class CSetInstall;

class CSetLanguage : public IPersistentObject {
public:
    explicit CSetLanguage(const CSetInstall& install);
    ~CSetLanguage() override;

    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    std::string& GetLanguage() { return m_language; }
    void SetLanguage(const std::string& language) { m_language = language; }

private:
    const CSetInstall& m_install;
    std::string m_language;
};
