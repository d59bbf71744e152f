#pragma once

// Text rules shared by the INI classes: names are compared by their ASCII lower-cased
// form, and lines, names and values are trimmed of blanks and tabs only.

#include <map>
#include <memory>
#include <string>
#include <utility>

std::string ToLowerASCII(std::string text);
std::string TrimBlanksAndTabs(const std::string& text);

// The entry of a map keyed by lower-cased names; when missing and create is set, a new
// T made from this spelling of the name, else null.
template <class T>
T* FindOrCreateByName(std::map<std::string, std::unique_ptr<T>>& entries, const std::string& name,
                      bool create) {
    std::string lowered = ToLowerASCII(name);
    const auto found = entries.find(lowered);
    if (found != entries.end()) {
        return found->second.get();
    }
    if (!create) {
        return nullptr;
    }
    auto entry = std::make_unique<T>(name);
    T* const result = entry.get();
    entries.emplace(std::move(lowered), std::move(entry));
    return result;
}
