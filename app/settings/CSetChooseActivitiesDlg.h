#pragma once

// The column width of the choose-activities list (section "ChooseActivities").

#include "app/settings/CColumnWidths.h"
#include "library/settings/IPersistentObject.h"

class CSetChooseActivitiesDlg : public IPersistentObject {
public:
    CSetChooseActivitiesDlg();
    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;
    std::vector<int32_t>& GetColumnWidths() { return m_widths.Get(); }
    bool IsDefaultColumnWidth(size_t index) { return m_widths.IsDefault(index); }

private:
    CColumnWidths m_widths;
};
