#include "library/system/CLanguageModule.h"

#include "library/system/CResourceModule.h"
#include "library/text/CText.h"

#include <cctype>

namespace {

std::string ToUpper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

bool CLanguageModule::Load(const std::string& path, unsigned int keyId, unsigned int namesId,
                           HMODULE program) {
    m_path = path;
    m_key.clear();
    m_names.clear();
    if (path.empty()) {
        m_loader.Attach(program != nullptr ? program : GetModuleHandleA(nullptr));
    } else if (!m_loader.Load(path.c_str())) {
        return false;
    }
    const CResourceModule module(m_loader.GetModule());
    m_key = ToUpper(CText(keyId, module).GetString());
    if (m_key.empty()) {
        m_loader.Unload();
        return false;
    }
    ParseNames(CText(namesId, module).GetString());
    return true;
}

void CLanguageModule::ParseNames(const std::string& list) {
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find('~', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        const std::string entry = list.substr(start, end - start);
        if (entry.size() >= 3) {
            m_names.emplace(entry.substr(0, 2), entry.substr(3));
        }
        start = end + 1;
    }
}

std::string CLanguageModule::FindName(const std::string& key) const {
    const auto found = m_names.find(key);
    return found == m_names.end() ? std::string() : found->second;
}

std::string CLanguageModule::GetName(const std::string& readerKey, bool withNative) const {
    const std::string reader = ToUpper(readerKey);
    std::string name = FindName(reader);
    if (withNative && reader != m_key) {
        const std::string native = FindName(m_key);
        if (!native.empty()) {
            name = name.empty() ? native : name + " (" + native + ")";
        }
    }
    return name.empty() ? "<unknown>" : name;
}
