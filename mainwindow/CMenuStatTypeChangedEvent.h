#pragma once

#include "library/events/CEventTypeNoResult.h"

// The user chose another period kind in the main menu (0 hour, 1 day, 2 week, 3 month,
// 4 year, 5 the whole project); the setting already holds the new kind.
class CMenuStatTypeChangedEvent : public CEventTypeNoResult {
public:
    CMenuStatTypeChangedEvent(int oldKind_, int newKind_) : oldKind(oldKind_), newKind(newKind_) {}
    int oldKind;
    int newKind;
};
