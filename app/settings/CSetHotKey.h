#pragma once

// CSetHotKey: the key combination that brings the program to the front (user file,
// section "Application", key "HotKey"), as a hotkey control holds it: low byte the
// virtual-key code, high byte the HOTKEYF_* flags (1 Shift, 2 Ctrl, 4 Alt, 8 extended);
// 0 for none.
//
// Every SetHotKey, and every Load, emits CHotKeySetEvent with the value, also when it did
// not change, so that the hotkey registration always follows the setting.

#include "app/settings/CHotKeySetEvent.h"
#include "library/events/CSignal.h"
#include "library/settings/IPersistentObject.h"

#include <cstdint>

class CSetHotKey : public IPersistentObject, public CSignal<CHotKeySetEvent> {
public:
    CSetHotKey();
    ~CSetHotKey() override;

    // Ends by emitting CHotKeySetEvent with the loaded value. A stored value with flags
    // other than the four known gives no hotkey.
    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    uint16_t GetHotKey() const { return m_hotKey; }
    void SetHotKey(uint16_t hotKey);

private:
    uint16_t m_hotKey;
};
