#include "library/settings/CINISection.h"

#include "library/settings/INIText.h"

#include <utility>

CINISection::CINISection(std::string name) : m_name(std::move(name)) {}

CINISetting* CINISection::GetSetting(const char* key, bool create) {
    return GetSettingStd(key != nullptr ? std::string(key) : std::string(), create);
}

CINISetting* CINISection::GetSettingStd(const std::string& key, bool create) {
    return FindOrCreateByName(m_settings, key, create);
}

bool CINISection::HasSetting(const std::string& key) const {
    return m_settings.count(ToLowerASCII(key)) != 0;
}

std::vector<std::string> CINISection::GetKeys() const {
    std::vector<std::string> keys;
    keys.reserve(m_settings.size());
    for (const auto& entry : m_settings) {
        keys.push_back(entry.second->GetKey());
    }
    return keys;
}

void CINISection::AppendText(std::string& text) const {
    text += '[';
    text += m_name;
    text += ']';
    for (const auto& entry : m_settings) {
        const CINISetting& setting = *entry.second;
        text += "\r\n";
        text += setting.GetKey();
        text += '=';
        text += setting.GetStringStd(std::string());
    }
}
