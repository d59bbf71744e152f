#pragma once

#include "library/events/CEventTypeNoResult.h"

// Statistics of a project state may have changed: shown totals should be asked for again.
class CStatsUpdatedEvent : public CEventTypeNoResult {};
