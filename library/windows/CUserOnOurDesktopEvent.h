#pragma once

#include "library/events/CEventTypeNoResult.h"

// The input desktop is the program's own again: the user can see its windows.
class CUserOnOurDesktopEvent : public CEventTypeNoResult {};
