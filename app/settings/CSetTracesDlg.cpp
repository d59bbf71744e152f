#include "app/settings/CSetTracesDlg.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

#include <climits>
#include <string>

namespace {

const char* const kSection = "ManageTallymarks";

std::string ColumnKey(int priority) {
    return "SortCol" + std::to_string(priority);
}
std::string AscendingKey(int priority) {
    return ColumnKey(priority) + "Asc";
}

} // namespace

CSetTracesDlg::CSetTracesDlg()
    : m_widths({{"StartWidth", 30011},
                {"EndWidth", 30010},
                {"DurationWidth", 30009},
                {"ActivityWidth", 30008}}) {
    ResetSortOrder();
}

void CSetTracesDlg::ResetSortOrder() {
    const bool ascending[NumPriorities] = {false, false, true, true};
    for (int i = 0; i < NumPriorities; ++i) {
        m_columns[i] = i;
        m_ascending[i] = ascending[i];
    }
}

void CSetTracesDlg::Load(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    m_widths.Load(section);
    for (int i = 0; i < NumPriorities; ++i) {
        m_columns[i] = ReadInt(section, ColumnKey(i).c_str(), -1, INT32_MIN, INT32_MAX);
        m_ascending[i] = ReadBool(section, AscendingKey(i).c_str(), false);
    }
    // Only a permutation of the four columns is a sort order.
    bool seen[NumPriorities] = {};
    for (int32_t column : m_columns) {
        if (column < 0 || column >= NumPriorities || seen[column]) {
            ResetSortOrder();
            return;
        }
        seen[column] = true;
    }
}

void CSetTracesDlg::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    m_widths.Save(section);
    for (int i = 0; i < NumPriorities; ++i) {
        section.GetSettingStd(ColumnKey(i), true)->SetInt(m_columns[i]);
    }
    for (int i = 0; i < NumPriorities; ++i) {
        section.GetSettingStd(AscendingKey(i), true)->SetBool(m_ascending[i]);
    }
}

void CSetTracesDlg::SortBy(int32_t column) {
    int at = 0;
    while (at < NumPriorities && m_columns[at] != column) {
        ++at;
    }
    if (at == 0 || at == NumPriorities) {
        m_ascending[0] = !m_ascending[0];
        return;
    }
    const bool ascending = m_ascending[at];
    for (int i = at; i > 0; --i) {
        m_columns[i] = m_columns[i - 1];
        m_ascending[i] = m_ascending[i - 1];
    }
    m_columns[0] = column;
    m_ascending[0] = ascending;
}
