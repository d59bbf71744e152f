#pragma once

#include "library/events/CEventTypeNoResult.h"

#include <cstdint>

// The activation hotkey setting was stored or loaded, also when it did not change.
// hotKey: low byte the virtual-key code, high byte the HOTKEYF_* flags; 0 for none.
class CHotKeySetEvent : public CEventTypeNoResult {
public:
    explicit CHotKeySetEvent(uint16_t hotKey_) : hotKey(hotKey_) {}
    uint16_t hotKey;
};
