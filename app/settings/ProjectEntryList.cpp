#include "app/settings/ProjectEntryList.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"
#include "library/settings/INIText.h"

#include <cstdint>
#include <set>
#include <string>

namespace {

std::string Key(size_t n, const char* part) {
    return "Project" + std::to_string(n) + part;
}

// The n of a key "Project<n>Name" (any letter case), written as Key writes it: decimal
// without leading zeros.
bool ParseEntryNumber(const std::string& key, uint32_t& n) {
    const std::string lowered = ToLowerASCII(key);
    const std::string prefix = "project";
    const std::string suffix = "name";
    if (lowered.size() <= prefix.size() + suffix.size() ||
        lowered.compare(0, prefix.size(), prefix) != 0 ||
        lowered.compare(lowered.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    const std::string digits =
        lowered.substr(prefix.size(), lowered.size() - prefix.size() - suffix.size());
    if (digits.size() > 10 || (digits.size() > 1 && digits[0] == '0') ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const uint64_t value = std::stoull(digits);
    if (value > UINT32_MAX) {
        return false;
    }
    n = static_cast<uint32_t>(value);
    return true;
}

} // namespace

void ReadProjectEntries(CINISection& section, const std::function<void(SProjectEntry)>& add) {
    const uint32_t size = ReadUInt(section, "Size", 0, 0, UINT32_MAX);
    std::set<uint32_t> numbers;
    for (const std::string& key : section.GetKeys()) {
        uint32_t n = 0;
        if (ParseEntryNumber(key, n) && n < size) {
            numbers.insert(n);
        }
    }
    for (uint32_t n : numbers) {
        CINISetting* name = section.GetSettingStd(Key(n, "Name"), false);
        CINISetting* path = section.GetSettingStd(Key(n, "FilePath"), false);
        if (name == nullptr || path == nullptr) {
            continue;
        }
        SProjectEntry entry;
        entry.name = name->GetString("");
        const std::string file = path->GetString("");
        if (entry.name.empty() || file.empty()) {
            continue;
        }
        entry.filePath = CFilePath(file);
        add(std::move(entry));
    }
}

void WriteProjectEntries(CINISection& section, size_t count,
                         const std::function<const SProjectEntry&(size_t)>& entry) {
    section.GetSetting("Size", true)->SetUInt(static_cast<uint32_t>(count));
    for (size_t n = 0; n < count; ++n) {
        const SProjectEntry& e = entry(n);
        section.GetSettingStd(Key(n, "Name"), true)->SetString(e.name);
        section.GetSettingStd(Key(n, "FilePath"), true)->SetString(e.filePath.GetPath());
    }
}
