#pragma once

// CSetInactivityDetector: whether the program watches for inactivity and after how many
// minutes without input it speaks up (user file, section "InactivityDetector").
//
// The threshold always lies in MinMinutes..MaxMinutes: a stored or given number outside
// is moved to the nearer end: 0 minutes would report inactivity at every check, and the
// upper limit keeps the threshold in milliseconds far from overflowing 32 bits. The change
// event tells the detector to restart or stop; a new threshold alone is announced only
// while detection is on.

#include "app/settings/CSetInactivityDetectorChangedEvent.h"
#include "library/events/CSignal.h"
#include "library/settings/IPersistentObject.h"

#include <cstdint>

class CSetInactivityDetector : public IPersistentObject,
                               public CSignal<CSetInactivityDetectorChangedEvent> {
public:
    static constexpr uint32_t MinMinutes = 1;
    static constexpr uint32_t MaxMinutes = 999;
    static constexpr uint32_t DefaultMinutes = 30;

    // detectByDefault: the switch without a stored value, normally whether this system
    // supports inactivity detection.
    explicit CSetInactivityDetector(bool detectByDefault);
    ~CSetInactivityDetector() override;

    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    bool GetDetect() const { return m_detect; }
    uint32_t GetNumMinutes() const { return m_numMinutes; }
    // Emits the change event when the switch changes.
    void SetDetect(bool detect);
    // Stores the threshold (moved into range); emits the change event when it changed and
    // detection is on.
    void SetNumMinutes(uint32_t minutes);

private:
    void Announce();

    bool m_detectByDefault;
    bool m_detect;
    uint32_t m_numMinutes;
};
