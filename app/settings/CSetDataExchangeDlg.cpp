#include "app/settings/CSetDataExchangeDlg.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

CSetDataExchangeDlg::CSetDataExchangeDlg(bool exportDirection)
    : m_section(exportDirection ? "Export" : "Import"),
      m_widths(
          {{"ActivityWidth", 30003}, {"ActivityDescWidth", 30004}, {"TraceDescWidth", 30005}}) {}

void CSetDataExchangeDlg::Load(CINIFile& ini) {
    CINISection& section = *ini.GetSection(m_section, true);
    m_widths.Load(section);
    m_removeTraces = ReadBool(section, "RemoveTraces", true);
}

void CSetDataExchangeDlg::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(m_section, true);
    m_widths.Save(section);
    section.GetSetting("RemoveTraces", true)->SetBool(m_removeTraces);
}
