#pragma once

// CSetTips: the tip of the day (user file, section "Settings"): whether a tip shows at
// start-up and the index of the next tip. The index is kept as stored, as a 32-bit
// pattern (a stored -1 is 0xFFFFFFFF); the tip dialog wraps it into its range.

#include "library/settings/IPersistentObject.h"

#include <cstdint>

class CSetTips : public IPersistentObject {
public:
    CSetTips();
    ~CSetTips() override;

    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    bool& GetShowTips() { return m_showTips; }
    uint32_t& GetTipIndex() { return m_tipIndex; }

private:
    void SetDefaults();

    bool m_showTips;
    uint32_t m_tipIndex;
};
