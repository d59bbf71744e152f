#include "app/settings/CSetChooseActivitiesDlg.h"

#include "library/settings/CINIFile.h"

CSetChooseActivitiesDlg::CSetChooseActivitiesDlg() : m_widths({{"ActivityWidth", 30002}}) {}

void CSetChooseActivitiesDlg::Load(CINIFile& ini) {
    m_widths.Load(*ini.GetSection("ChooseActivities", true));
}

void CSetChooseActivitiesDlg::Save(CINIFile& ini) {
    m_widths.Save(*ini.GetSection("ChooseActivities", true));
}
