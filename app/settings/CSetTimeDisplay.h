#pragma once

// CSetTimeDisplay: how durations are shown (user file, section "TimeDisplay"): the text of
// a zero duration (empty-time mode) and whether an activity's time includes that of its
// child activities. Each setter announces a change of its own value.

#include "app/settings/CEmptyTimeModeChangedEvent.h"
#include "app/settings/CShowTimeCumulativeChangedEvent.h"
#include "library/datetime/CDateTimeSpan.h"
#include "library/events/CSignal.h"
#include "library/settings/IPersistentObject.h"

#include <cstdint>
#include <string>

class CSetTimeDisplay : public IPersistentObject,
                        public CSignal<CEmptyTimeModeChangedEvent>,
                        public CSignal<CShowTimeCumulativeChangedEvent> {
public:
    // Empty-time modes: the text of a zero duration.
    static constexpr uint32_t EmptyAsZeros = 0;  // "00:00:00"
    static constexpr uint32_t EmptyAsDashes = 1; // "--"
    static constexpr uint32_t EmptyAsNothing = 2;

    CSetTimeDisplay();
    ~CSetTimeDisplay() override;

    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    uint32_t GetEmptyMode() const { return m_emptyMode; }
    bool GetShowCumulativeTime() const { return m_showCumulativeTime; }
    void SetEmptyMode(uint32_t mode);
    void SetShowCumulativeTime(bool show);

    // A non-zero span as hours, minutes and seconds ("H:MM:SS", all three parts); a zero
    // span by the empty-time mode, "--" for a mode not listed above.
    std::string FormatDuration(const CDateTimeSpan& span) const;

private:
    uint32_t m_emptyMode;
    bool m_showCumulativeTime;
};
