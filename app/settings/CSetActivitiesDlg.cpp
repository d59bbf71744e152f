#include "app/settings/CSetActivitiesDlg.h"

#include "library/settings/CINIFile.h"

CSetActivitiesDlg::CSetActivitiesDlg()
    : m_widths({{"ActivityWidth", 30000}, {"InUseWidth", 30001}}) {}

void CSetActivitiesDlg::Load(CINIFile& ini) {
    m_widths.Load(*ini.GetSection("ManageActivities", true));
}

void CSetActivitiesDlg::Save(CINIFile& ini) {
    m_widths.Save(*ini.GetSection("ManageActivities", true));
}
