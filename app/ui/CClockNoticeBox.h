#pragma once

#include "library/events/CSlot.h"
#include "model/CClockNoticeEvent.h"

#include <string>

// Tells the user, in a message box over the active window, what the clock made the model
// do otherwise than asked (CClockNotices): a start or stop refused because the clock shows
// a time that no project file can hold, or a tally mark ended by the time that really
// passed because the clock was set back.
class CClockNoticeBox : public CSlot<CClockNoticeEvent> {
public:
    // Listens from construction on.
    CClockNoticeBox();
    // The message for a notice (placeholders replaced); local times as the user reads them.
    static std::string FormatMessage(const CClockNoticeEvent& event);

protected:
    bool OnEvent(CClockNoticeEvent& event) override;
};
