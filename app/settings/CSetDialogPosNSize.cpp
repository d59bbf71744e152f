#include "app/settings/CSetDialogPosNSize.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

#include <string>

namespace {

const char* const kSection = "Dialogs";
const SDialogPlacement kNeverStored = {CSetDialogPosNSize::NotStored, CSetDialogPosNSize::NotStored,
                                       0, 0};

std::string Key(const char* name, int slot) {
    return name + std::to_string(slot);
}

int32_t ReadCoordinate(CINISection& section, const std::string& key) {
    return ReadInt(section, key.c_str(), CSetDialogPosNSize::NotStored, -kLargestCoordinate - 1,
                   kLargestCoordinate);
}

int32_t ReadSize(CINISection& section, const std::string& key) {
    return ReadInt(section, key.c_str(), 0, 0, kLargestCoordinate);
}

} // namespace

CSetDialogPosNSize::CSetDialogPosNSize() {
    for (SDialogPlacement& slot : m_slots) {
        slot = kNeverStored;
    }
}

void CSetDialogPosNSize::Load(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    for (int n = 0; n < NumSlots; ++n) {
        m_slots[n].x = ReadCoordinate(section, Key("PositionXDlg", n));
        m_slots[n].y = ReadCoordinate(section, Key("PositionYDlg", n));
        // Half a place is no place.
        if (m_slots[n].x == NotStored || m_slots[n].y == NotStored) {
            m_slots[n].x = NotStored;
            m_slots[n].y = NotStored;
        }
        m_slots[n].width = ReadSize(section, Key("SizeXDlg", n));
        m_slots[n].height = ReadSize(section, Key("SizeYDlg", n));
    }
}

void CSetDialogPosNSize::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    for (int n = 0; n < NumSlots; ++n) {
        section.GetSettingStd(Key("PositionXDlg", n), true)->SetInt(m_slots[n].x);
        section.GetSettingStd(Key("PositionYDlg", n), true)->SetInt(m_slots[n].y);
        section.GetSettingStd(Key("SizeXDlg", n), true)->SetInt(m_slots[n].width);
        section.GetSettingStd(Key("SizeYDlg", n), true)->SetInt(m_slots[n].height);
    }
}

SDialogPlacement CSetDialogPosNSize::GetPlacement(int slot) const {
    return IsSlot(slot) ? m_slots[slot] : kNeverStored;
}

void CSetDialogPosNSize::SetPlacement(int slot, const SDialogPlacement& placement) {
    if (IsSlot(slot)) {
        m_slots[slot] = placement;
    }
}

void CSetDialogPosNSize::GetPosition(int slot, int32_t& x, int32_t& y) const {
    const SDialogPlacement placement = GetPlacement(slot);
    x = placement.x;
    y = placement.y;
}

void CSetDialogPosNSize::SetPosition(int slot, int32_t x, int32_t y) {
    if (IsSlot(slot)) {
        m_slots[slot].x = x;
        m_slots[slot].y = y;
    }
}
