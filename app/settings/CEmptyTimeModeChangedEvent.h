#pragma once

#include "library/events/CEventTypeNoResult.h"

// The way a zero duration is shown changed.
class CEmptyTimeModeChangedEvent : public CEventTypeNoResult {};
