#pragma once

// CSetDialogPosNSize: where every dialog was and how big it was when last closed
// (section "Dialogs"). 21 slots, one per window (0 the full main window, 1 manage
// tally marks, ... 20 manage activities; 8 and 19 are kept but unused). A slot never
// stored has X = Y = NotStored and no size.

#include "library/settings/IPersistentObject.h"

#include <cstdint>

struct SDialogPlacement {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

class CSetDialogPosNSize : public IPersistentObject {
public:
    static constexpr int NumSlots = 21;
    static constexpr int32_t NotStored = INT32_MIN;

    CSetDialogPosNSize();
    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    // The slot must be 0 to 20; others read as never stored and are not kept.
    SDialogPlacement GetPlacement(int slot) const;
    void SetPlacement(int slot, const SDialogPlacement& placement);
    void GetPosition(int slot, int32_t& x, int32_t& y) const;
    void SetPosition(int slot, int32_t x, int32_t y);

private:
    static bool IsSlot(int slot) { return slot >= 0 && slot < NumSlots; }

    SDialogPlacement m_slots[NumSlots];
};
