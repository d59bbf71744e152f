#pragma once

// CINISection: one [name] of an INI file, owning its settings.
//
// Keys are looked up without regard to ASCII letter case; a setting keeps the spelling
// of the key with which it was created. Settings are kept, and written, in the byte
// order of their lower-cased keys.
//
//   CINISetting* width = file.GetSection("Main", true)->GetSetting("Width", true);
//   width->SetInt(640);

#include "library/settings/CINISetting.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CINISection {
public:
    explicit CINISection(std::string name);
    virtual ~CINISection() = default;

    const std::string& GetName() const { return m_name; }

    // The setting of that key; when missing and create is set, a new setting with an
    // empty value and this spelling of the key, else null.
    CINISetting* GetSetting(const char* key, bool create);
    CINISetting* GetSettingStd(const std::string& key, bool create);
    bool HasSetting(const std::string& key) const;
    size_t GetSettingCount() const { return m_settings.size(); }
    // The keys in their stored spelling, in key order.
    std::vector<std::string> GetKeys() const;
    // Deletes every setting, so that a list written anew leaves no stale entries.
    void Clear() { m_settings.clear(); }

    // Appends "[name]" and a "\r\n"-led key=value line per setting, in key order.
    void AppendText(std::string& text) const;

private:
    std::string m_name;
    std::map<std::string, std::unique_ptr<CINISetting>> m_settings;
};
