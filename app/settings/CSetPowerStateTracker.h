#pragma once

// CSetPowerStateTracker: whether the program comes to the front when the computer
// resumes from a standby (user file, section "PowerStateTracker", key "Detect").

#include "app/settings/CSetPowerStateTrackerChangedEvent.h"
#include "library/events/CSignal.h"
#include "library/settings/IPersistentObject.h"

class CSetPowerStateTracker : public IPersistentObject,
                              public CSignal<CSetPowerStateTrackerChangedEvent> {
public:
    CSetPowerStateTracker();
    ~CSetPowerStateTracker() override;

    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    bool GetDetect() const { return m_detect; }
    // Emits the change event when the switch changes.
    void SetDetect(bool detect);

private:
    bool m_detect;
};
