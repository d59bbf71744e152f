#pragma once

#include "library/events/CEventTypeNoResult.h"

// The tray icon was added to (shown true) or removed from the notification area.
class CNotIconActiveChangeEvent : public CEventTypeNoResult {
public:
    explicit CNotIconActiveChangeEvent(bool shown_) : shown(shown_) {}
    bool shown;
};
