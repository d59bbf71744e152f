#pragma once

#include "library/events/CEventTypeNoResult.h"

// Whether shown times include those of the child activities changed.
class CShowTimeCumulativeChangedEvent : public CEventTypeNoResult {};
