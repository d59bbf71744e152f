#pragma once

// CSetLastProjects: the projects that were open when the program ended, the active
// one among them, and the folder last used in the project file dialogs (section
// "OpenProjects"). It is also the project browser's memory of that folder.

#include "library/settings/IPersistentObject.h"
#include "model/ILastProjectFolder.h"
#include "model/SProjectEntry.h"

#include <cstdint>
#include <string>
#include <vector>

class CProject;

class CSetLastProjects : public IPersistentObject, public ILastProjectFolder {
public:
    CSetLastProjects() = default;
    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    std::string GetLastPath() const override { return m_lastPath; }
    // Keeps the folder of a chosen file (the part before its last backslash).
    void SetLastPathFromFile(const std::string& filePath) override;

    // Removes every entry and makes the first one active again.
    void Clear();
    void Add(const CProject& project, bool active);
    void Add(const SProjectEntry& entry, bool active);
    size_t GetSize() const { return m_entries.size(); }
    // The entry, or the shared empty entry for an index out of range.
    const SProjectEntry& GetEntry(size_t index) const;
    SProjectEntry GetActiveEntry() const;

private:
    std::string m_lastPath;
    std::vector<SProjectEntry> m_entries;
    uint32_t m_active = 0;
};
