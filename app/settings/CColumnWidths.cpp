#include "app/settings/CColumnWidths.h"

#include "app/settings/SettingReaders.h"
#include "app/ui/LayoutNumber.h"
#include "library/settings/CINIFile.h"

#include <climits>

namespace {

const int32_t kNoDefault = INT32_MIN;

} // namespace

CColumnWidths::CColumnWidths(std::vector<SColumn> columns)
    : m_columns(std::move(columns)), m_widths(m_columns.size(), -1),
      m_defaults(m_columns.size(), kNoDefault) {}

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
            const bool unset = m_widths[i] == -1;
            GetLayoutNumber(m_widths[i], m_columns[i].layoutId);
            m_defaults[i] = unset ? m_widths[i] : kNoDefault;
        }
        m_resolved = true;
    }
    return m_widths;
}

bool CColumnWidths::IsDefault(size_t index) {
    const std::vector<int32_t>& widths = Get();
    return index < widths.size() && m_defaults[index] != kNoDefault &&
           widths[index] == m_defaults[index];
}
