#pragma once

#include "library/events/CEventTypeNoResult.h"

// Inactivity detection was switched, or its threshold changed while it is on.
class CSetInactivityDetectorChangedEvent : public CEventTypeNoResult {};
