#pragma once

// CSetView: how the main window shows itself (user file, section "View"): the display
// (full or compact), the period of the time columns and whether it stays on top of other
// windows. Only the always-on-top switch is announced.

#include "app/settings/CViewTopMostChangedEvent.h"
#include "library/events/CSignal.h"
#include "library/settings/IPersistentObject.h"

#include <cstdint>

class CSetView : public IPersistentObject, public CSignal<CViewTopMostChangedEvent> {
public:
    // Display modes.
    static constexpr uint32_t ModeFull = 0;
    static constexpr uint32_t ModeCompact = 1;
    // Period types of the time columns: 0 hour, 1 day, 2 week, 3 month, 4 year, 5 the
    // whole project.
    static constexpr uint32_t TypeDay = 1;
    static constexpr uint32_t TypeWholeProject = 5;

    CSetView();
    ~CSetView() override;

    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    uint32_t GetMode() const { return m_mode; }
    void SetMode(uint32_t mode) { m_mode = mode; }
    uint32_t GetType() const { return m_type; }
    void SetType(uint32_t type) { m_type = type; }
    bool GetTopMost() const { return m_topMost; }
    // Emits CViewTopMostChangedEvent with the new value when it changes.
    void SetTopMost(bool topMost);
    void ToggleTopMost() { SetTopMost(!m_topMost); }

private:
    uint32_t m_mode;
    uint32_t m_type;
    bool m_topMost;
};
