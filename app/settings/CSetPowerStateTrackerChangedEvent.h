#pragma once

#include "library/events/CEventTypeNoResult.h"

// The switch that activates the program after a standby changed.
class CSetPowerStateTrackerChangedEvent : public CEventTypeNoResult {};
