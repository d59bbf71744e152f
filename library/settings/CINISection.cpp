#include "library/settings/CINISection.h"

#include "library/settings/INIText.h"

#include <utility>

CINISection::CINISection(std::string name) : m_name(std::move(name)) {}

CINISetting* CINISection::GetSetting(const char* key, bool create) {
    return GetSettingStd(key != nullptr ? std::string(key) : std::string(), create);
}

CINISetting* CINISection::GetSettingStd(const std::string& key, bool create) {
    std::string lowered = ToLowerASCII(key);
    const auto found = m_settings.find(lowered);
    if (found != m_settings.end()) {
        return found->second.get();
    }
    if (!create) {
        return nullptr;
    }
    auto setting = std::make_unique<CINISetting>(key);
    CINISetting* const result = setting.get();
    m_settings.emplace(std::move(lowered), std::move(setting));
    return result;
}

bool CINISection::HasSetting(const std::string& key) const {
    return m_settings.count(ToLowerASCII(key)) != 0;
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
