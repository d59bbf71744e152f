#include "app/settings/CSetRecentProjects.h"

#include "app/settings/ProjectEntryList.h"
#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"
#include "model/CProject.h"

namespace {

const char* const kSection = "RecentProjects";

} // namespace

void CSetRecentProjects::Load(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    m_maxSize = ReadUInt(section, "MaxSize", 4, 0, UINT32_MAX);
    m_entries.clear();
    ReadProjectEntries(section, [this](SProjectEntry entry) { m_entries.push_back(entry); });
}

void CSetRecentProjects::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    section.Clear();
    section.GetSetting("MaxSize", true)->SetUInt(m_maxSize);
    WriteProjectEntries(section, m_entries.size(),
                        [this](size_t n) -> const SProjectEntry& { return m_entries[n]; });
}

const SProjectEntry& CSetRecentProjects::GetEntry(size_t index) const {
    return index < m_entries.size() ? m_entries[index] : SProjectEntry::GetEmpty();
}

void CSetRecentProjects::AddProject(const CProject& project) {
    AddEntry(project.GetNameAndPath());
}

void CSetRecentProjects::AddEntry(const SProjectEntry& entry) {
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->filePath == entry.filePath) {
            m_entries.erase(it);
            break;
        }
    }
    m_entries.push_front(entry);
    Trim();
    Announce();
}

void CSetRecentProjects::Remove(const CFilePath& path) {
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->filePath == path) {
            m_entries.erase(it);
            break;
        }
    }
    Announce();
}

void CSetRecentProjects::SetMaxSize(uint32_t maxSize) {
    m_maxSize = maxSize;
    if (Trim()) {
        Announce();
    }
}

bool CSetRecentProjects::Trim() {
    if (m_entries.size() <= m_maxSize) {
        return false;
    }
    m_entries.resize(m_maxSize);
    return true;
}

void CSetRecentProjects::Announce() {
    CRecentMenuChangedEvent event;
    Emit(event);
}
