#pragma once

// CLanguageModules: the program's own language and every language module found in
// the program's folder, by language key.
//
//   CLanguageModules modules;
//   modules.Load(app.GetModuleFolder(), "Tallymarks_*.dll", 40089, 40090);
//   if (CLanguageModule* nl = modules.Find("nl")) { ... nl->GetModule() ... }

#include "library/system/CLanguageModule.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct SLanguageLoadResult {
    bool found = false;              // the search for module files worked
    DWORD error = 0;                 // the system's error code when it did not
    std::vector<std::string> failed; // files that are no language modules
};

class CLanguageModules {
public:
    // module: the program module (null: the running program).
    explicit CLanguageModules(HMODULE program = nullptr);
    virtual ~CLanguageModules() = default;
    CLanguageModules(const CLanguageModules&) = delete;
    CLanguageModules& operator=(const CLanguageModules&) = delete;

    // Unloads everything, then loads the program module and every library of folder
    // that matches pattern. A module whose key is already loaded is dropped quietly.
    SLanguageLoadResult Load(const std::string& folder, const std::string& pattern,
                             unsigned int keyId, unsigned int namesId);
    void UnloadAll() { m_modules.clear(); }

    // The module of that key (compared upper-cased), or null.
    CLanguageModule* Find(const std::string& key) const;
    // Display name (for readerKey) -> module; of two equal names the smaller key wins.
    std::map<std::string, CLanguageModule*> GetNames(const std::string& readerKey) const;
    size_t GetCount() const { return m_modules.size(); }

private:
    enum class EAdd { added, duplicate, failed };
    EAdd Add(const std::string& path, unsigned int keyId, unsigned int namesId);

    HMODULE m_program;
    std::map<std::string, std::unique_ptr<CLanguageModule>> m_modules;
};
