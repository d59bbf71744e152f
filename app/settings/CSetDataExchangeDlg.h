#pragma once

// The import or the export dialog's settings (section "Import" or "Export"): its three
// column widths (activity, activity description, tally-mark description) and whether
// the chosen tally marks are moved rather than copied.

#include "app/settings/CColumnWidths.h"
#include "library/settings/IPersistentObject.h"

#include <string>

class CSetDataExchangeDlg : public IPersistentObject {
public:
    explicit CSetDataExchangeDlg(bool exportDirection);
    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;
    std::vector<int32_t>& GetColumnWidths() { return m_widths.Get(); }
    bool IsDefaultColumnWidth(size_t index) { return m_widths.IsDefault(index); }
    bool& GetRemoveTraces() { return m_removeTraces; }

private:
    std::string m_section;
    CColumnWidths m_widths;
    bool m_removeTraces = true;
};
