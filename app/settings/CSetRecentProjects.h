#pragma once

// CSetRecentProjects: the most recently used projects, newest first, behind the
// recent-projects menu (section "RecentProjects"). Every change is announced.

#include "app/settings/CRecentMenuChangedEvent.h"
#include "library/events/CSignal.h"
#include "library/settings/IPersistentObject.h"
#include "model/SProjectEntry.h"

#include <cstdint>
#include <deque>

class CProject;

class CSetRecentProjects : public IPersistentObject, public CSignal<CRecentMenuChangedEvent> {
public:
    CSetRecentProjects() = default;
    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    uint32_t GetMaxSize() const { return m_maxSize; }
    size_t GetSize() const { return m_entries.size(); }
    // Entry 0 is the newest; out of range gives the shared empty entry.
    const SProjectEntry& GetEntry(size_t index) const;

    // Puts the project first (moving it when its path is listed already, in any letter
    // case) and drops the oldest beyond the maximum.
    void AddProject(const CProject& project);
    void AddEntry(const SProjectEntry& entry);
    // Removes the first entry of that path; announces a change even when none matched.
    void Remove(const CFilePath& path);
    // Announces a change only when entries had to go.
    void SetMaxSize(uint32_t maxSize);

private:
    void Announce();
    bool Trim();

    uint32_t m_maxSize = 4;
    std::deque<SProjectEntry> m_entries;
};
