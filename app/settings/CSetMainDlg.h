#pragma once

// CSetMainDlg: the full main window's time columns (section "MainWindow"): whether it
// follows the current date and time, the date it shows otherwise, the number of time
// columns and the widths of the activity column and of each time column.

#include "app/settings/CNumColumnsChangedEvent.h"
#include "library/datetime/CDateTime.h"
#include "library/events/CSignal.h"
#include "library/settings/IPersistentObject.h"

#include <cstdint>
#include <vector>

class CSetMainDlg : public IPersistentObject, public CSignal<CNumColumnsChangedEvent> {
public:
    static constexpr int32_t MaxColumns = 99;

    CSetMainDlg();
    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    bool& GetTrackNow() { return m_trackNow; }
    CDateTime& GetPosition() { return m_position; }
    int32_t GetNumColumns() const { return m_numColumns; }
    // Widths of new columns come in right after the activity width (with the
    // language's default width), removed ones go from there, so the right-most
    // columns keep theirs. Emits CNumColumnsChangedEvent when the number changes.
    void SetNumColumns(int32_t number);
    // The activity width first, then one per time column; resolved on the first call.
    std::vector<int32_t>& GetColumnWidths();
    // Whether the width at index is still the language's default: never stored, or a
    // column added since, and not changed.
    bool IsDefaultColumnWidth(size_t index);

private:
    // Keeps m_defaults as long as m_widths, stored widths marked as having no default.
    void MatchDefaults();

    bool m_trackNow = true;
    int32_t m_numColumns = 2;
    CDateTime m_position;
    std::vector<int32_t> m_widths;
    // Per width the default it took, or kNoDefault for a stored one.
    std::vector<int32_t> m_defaults;
    bool m_resolved = false;
};
