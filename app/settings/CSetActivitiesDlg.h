#pragma once

// The column widths of the manage-activities list (section "ManageActivities"):
// Activity, In use.

#include "app/settings/CColumnWidths.h"
#include "library/settings/IPersistentObject.h"

class CSetActivitiesDlg : public IPersistentObject {
public:
    CSetActivitiesDlg();
    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;
    std::vector<int32_t>& GetColumnWidths() { return m_widths.Get(); }
    bool IsDefaultColumnWidth(size_t index) { return m_widths.IsDefault(index); }

private:
    CColumnWidths m_widths;
};
