#pragma once

// CLanguageModule: one loaded language module (a resource-only library, or the
// program itself) with its language key ("EN", "NL") and the names of its language
// as readers of other languages call it.

#include "library/system/CDLLLoader.h"

#include <map>
#include <string>

class CLanguageModule {
public:
    CLanguageModule() = default;
    virtual ~CLanguageModule() = default;
    CLanguageModule(const CLanguageModule&) = delete;
    CLanguageModule& operator=(const CLanguageModule&) = delete;

    // Loads a library by path, or takes over the program module when path is empty,
    // and reads key (string keyId, upper-cased) and names (string namesId) from this
    // module alone. False, with the library freed, when it cannot be loaded or has
    // no key.
    bool Load(const std::string& path, unsigned int keyId, unsigned int namesId,
              HMODULE program = nullptr);

    // Fills the names from a list "EN:English~NL:Engels": two-character key, one
    // separator character, the name up to the next "~". Entries shorter than three
    // characters are skipped; a key given twice keeps its first name.
    void ParseNames(const std::string& list);

    // This language's name for a reader of readerKey; withNative appends the
    // module's own name in parentheses (or gives it alone when the reader has none).
    // "<unknown>" when there is no name at all.
    std::string GetName(const std::string& readerKey, bool withNative) const;

    const std::string& GetPath() const { return m_path; }
    const std::string& GetKey() const { return m_key; }
    HMODULE GetModule() const { return m_loader.GetModule(); }

private:
    std::string FindName(const std::string& key) const;

    std::string m_path;
    std::string m_key;
    std::map<std::string, std::string> m_names;
    CDLLLoader m_loader;
};
