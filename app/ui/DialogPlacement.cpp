#include "app/ui/DialogPlacement.h"

#include "app/main/CAppMain.h"
#include "app/settings/CSetDialogPosNSize.h"
#include "library/dialogs/CDialogWindow.h"

namespace {

CSetDialogPosNSize& Placements() {
    return CAppMain::Get().GetSetDialogPosNSize();
}

void RestoreRect(CDialogWindow& dialog, int slot, bool storedHeight) {
    const SDialogPlacement placement = Placements().GetPlacement(slot);
    if (placement.x == CSetDialogPosNSize::NotStored) {
        return;
    }
    const SSize minimum = dialog.GetSize(true);
    dialog.SetRect(placement.x, placement.y, placement.width,
                   storedHeight ? placement.height : minimum.height, &minimum);
}

} // namespace

void RestoreDialogPosition(CDialogWindow& dialog, int slot) {
    int32_t x = 0;
    int32_t y = 0;
    Placements().GetPosition(slot, x, y);
    if (x != CSetDialogPosNSize::NotStored) {
        dialog.SetPos(x, y);
    }
}

void StoreDialogPosition(const CDialogWindow& dialog, int slot) {
    const POINT position = dialog.GetPos(true);
    Placements().SetPosition(slot, position.x, position.y);
}

void RestoreDialogRect(CDialogWindow& dialog, int slot) {
    RestoreRect(dialog, slot, true);
}

void RestoreDialogRectWidthOnly(CDialogWindow& dialog, int slot) {
    RestoreRect(dialog, slot, false);
}

void StoreDialogRect(const CDialogWindow& dialog, int slot) {
    const SWindowRect rect = dialog.GetRect(true);
    Placements().SetPlacement(slot, {rect.x, rect.y, rect.width, rect.height});
}
