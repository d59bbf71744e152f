#pragma once

#include "library/events/CEventTypeNoResult.h"

// The recent-projects list changed: the menu rebuilds its entries.
class CRecentMenuChangedEvent : public CEventTypeNoResult {};
