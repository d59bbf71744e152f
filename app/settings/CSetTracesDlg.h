#pragma once

// The manage-tally-marks list (section "ManageTallymarks"): its four column widths
// (Start, End, Duration, Activity) and its sort order, four priorities of a column
// (0 Start, 1 End, 2 Duration, 3 Activity) and a direction each; priority 0 sorts first.

#include "app/settings/CColumnWidths.h"
#include "library/settings/IPersistentObject.h"

class CSetTracesDlg : public IPersistentObject {
public:
    static constexpr int NumPriorities = 4;

    CSetTracesDlg();
    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    std::vector<int32_t>& GetColumnWidths() { return m_widths.Get(); }
    bool IsDefaultColumnWidth(size_t index) { return m_widths.IsDefault(index); }
    int32_t& GetSortColumn(int priority) { return m_columns[priority]; }
    bool& GetSortAscending(int priority) { return m_ascending[priority]; }
    // The first sort key: flips its direction, or brings the column first with its
    // own direction, the others moving down one place.
    void SortBy(int32_t column);

private:
    void ResetSortOrder();

    CColumnWidths m_widths;
    int32_t m_columns[NumPriorities];
    bool m_ascending[NumPriorities];
};
