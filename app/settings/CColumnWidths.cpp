#include "app/settings/CColumnWidths.h"

#include "app/settings/SettingReaders.h"
#include "app/ui/LayoutNumber.h"
#include "library/settings/CINIFile.h"

CColumnWidths::CColumnWidths(std::vector<SColumn> columns)
    : m_columns(std::move(columns)), m_widths(m_columns.size(), -1) {}

void CColumnWidths::Load(CINISection& section) {
    for (size_t i = 0; i < m_columns.size(); ++i) {
        m_widths[i] = ReadColumnWidth(section, m_columns[i].key);
    }
}

void CColumnWidths::Save(CINISection& section) const {
    for (size_t i = 0; i < m_columns.size(); ++i) {
        section.GetSetting(m_columns[i].key, true)->SetInt(m_widths[i]);
    }
}

std::vector<int32_t>& CColumnWidths::Get() {
    if (!m_resolved) {
        for (size_t i = 0; i < m_columns.size(); ++i) {
            GetLayoutNumber(m_widths[i], m_columns[i].layoutId);
        }
        m_resolved = true;
    }
    return m_widths;
}
