#include "app/settings/ProjectEntryList.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

#include <string>

namespace {

std::string Key(size_t n, const char* part) {
    return "Project" + std::to_string(n) + part;
}

} // namespace

void ReadProjectEntries(CINISection& section, const std::function<void(SProjectEntry)>& add) {
    uint32_t size = ReadUInt(section, "Size", 0, 0, UINT32_MAX);
    const size_t held = section.GetSettingCount();
    for (size_t n = 0; n < size && n < held; ++n) {
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
