#include "app/ui/DialogPlacement.h"

#include "app/main/CAppMain.h"
#include "app/settings/CSetDialogPosNSize.h"
#include "library/dialogs/CDialogWindow.h"

namespace {

CSetDialogPosNSize& Placements() {
    return CAppMain::Get().GetSetDialogPosNSize();
}

void RestoreRect(CDialogWindow& dialog, EPlacementSlot slot, bool storedHeight) {
    const SDialogPlacement placement = Placements().GetPlacement(SlotIndex(slot));
    if (placement.x == CSetDialogPosNSize::NotStored) {
        return;
    }
    const SSize minimum = dialog.GetSize(true);
    dialog.SetRect(placement.x, placement.y, placement.width,
                   storedHeight ? placement.height : minimum.height, &minimum);
}

} // namespace

void RestoreDialogPosition(CDialogWindow& dialog, EPlacementSlot slot) {
    int32_t x = 0;
    int32_t y = 0;
    Placements().GetPosition(SlotIndex(slot), x, y);
    if (x != CSetDialogPosNSize::NotStored) {
        dialog.SetPos(x, y);
    }
}

void StoreDialogPosition(const CDialogWindow& dialog, EPlacementSlot slot) {
    const POINT position = dialog.GetPos(true);
    Placements().SetPosition(SlotIndex(slot), position.x, position.y);
}

void RestoreDialogRect(CDialogWindow& dialog, EPlacementSlot slot) {
    RestoreRect(dialog, slot, true);
}

void RestoreDialogRectWidthOnly(CDialogWindow& dialog, EPlacementSlot slot) {
    RestoreRect(dialog, slot, false);
}

void StoreDialogRect(const CDialogWindow& dialog, EPlacementSlot slot) {
    const SWindowRect rect = dialog.GetRect(true);
    Placements().SetPlacement(SlotIndex(slot), {rect.x, rect.y, rect.width, rect.height});
}
