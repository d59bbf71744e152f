#include "app/settings/CSetLastProjects.h"

#include "app/settings/ProjectEntryList.h"
#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"
#include "model/CProject.h"

#include <windows.h>
#include <shlobj.h>

namespace {

const char* const kSection = "OpenProjects";

} // namespace

void CSetLastProjects::Load(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    m_lastPath = ReadText(section, "LastPath", "");
    if (m_lastPath.empty()) {
        char documents[MAX_PATH] = {};
        if (SHGetSpecialFolderPathA(nullptr, documents, CSIDL_PERSONAL, FALSE)) {
            m_lastPath = documents;
        }
    }
    m_entries.clear();
    ReadProjectEntries(section, [this](SProjectEntry entry) { m_entries.push_back(entry); });
    m_active = ReadUInt(section, "Active", 0, 0, UINT32_MAX);
    if (m_active >= m_entries.size()) {
        m_active = 0;
    }
}

void CSetLastProjects::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    section.Clear();
    section.GetSetting("LastPath", true)->SetString(m_lastPath);
    WriteProjectEntries(section, m_entries.size(),
                        [this](size_t n) -> const SProjectEntry& { return m_entries[n]; });
    section.GetSetting("Active", true)->SetUInt(m_active);
}

void CSetLastProjects::SetLastPathFromFile(const std::string& filePath) {
    const size_t slash = filePath.find_last_of('\\');
    if (slash != std::string::npos) {
        m_lastPath = filePath.substr(0, slash);
    }
}

void CSetLastProjects::Clear() {
    m_entries.clear();
    m_active = 0;
}

void CSetLastProjects::Add(const CProject& project, bool active) {
    Add(project.GetNameAndPath(), active);
}

void CSetLastProjects::Add(const SProjectEntry& entry, bool active) {
    m_entries.push_back(entry);
    if (active) {
        m_active = static_cast<uint32_t>(m_entries.size() - 1);
    }
}

const SProjectEntry& CSetLastProjects::GetEntry(size_t index) const {
    return index < m_entries.size() ? m_entries[index] : SProjectEntry::GetEmpty();
}

SProjectEntry CSetLastProjects::GetActiveEntry() const {
    return m_active < m_entries.size() ? m_entries[m_active] : SProjectEntry();
}
