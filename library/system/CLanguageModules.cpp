#include "library/system/CLanguageModules.h"

#include "library/files/CFileFinder.h"
#include "library/system/CApp.h"

#include <cctype>

CLanguageModules::CLanguageModules(HMODULE program)
    : m_program(program != nullptr ? program : GetModuleHandleA(nullptr)) {}

CLanguageModules::EAdd CLanguageModules::Add(const std::string& path, unsigned int keyId,
                                             unsigned int namesId) {
    auto module = std::make_unique<CLanguageModule>();
    if (!module->Load(path, keyId, namesId, m_program)) {
        return EAdd::failed;
    }
    const std::string key = module->GetKey();
    // The first module of a key stays; a later one is freed with its object.
    return m_modules.emplace(key, std::move(module)).second ? EAdd::added : EAdd::duplicate;
}

SLanguageLoadResult CLanguageModules::Load(const std::string& folder, const std::string& pattern,
                                           unsigned int keyId, unsigned int namesId) {
    SLanguageLoadResult result;
    UnloadAll();
    if (Add(std::string(), keyId, namesId) == EAdd::failed) {
        result.failed.push_back(CApp(m_program).GetModulePath());
    }
    CFileFinder finder;
    result.found = finder.Find(folder, pattern);
    if (!result.found) {
        result.error = GetLastError();
    }
    for (const std::string& path : finder.GetPaths()) {
        if (Add(path, keyId, namesId) == EAdd::failed) {
            result.failed.push_back(path);
        }
    }
    return result;
}

CLanguageModule* CLanguageModules::Find(const std::string& key) const {
    std::string upper = key;
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const auto found = m_modules.find(upper);
    return found == m_modules.end() ? nullptr : found->second.get();
}

std::map<std::string, CLanguageModule*>
CLanguageModules::GetNames(const std::string& readerKey) const {
    std::map<std::string, CLanguageModule*> names;
    // Keys are visited in ascending order, so the smaller key keeps a shared name.
    for (const auto& entry : m_modules) {
        names.emplace(entry.second->GetName(readerKey, false), entry.second.get());
    }
    return names;
}
