#pragma once

#include "library/events/CEventTypeNoResult.h"

// A whole hour of the local clock has begun.
class CCurrentHourChangedEvent : public CEventTypeNoResult {};
