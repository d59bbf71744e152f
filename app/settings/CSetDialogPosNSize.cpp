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

int32_t ReadAny(CINISection& section, const std::string& key, int32_t defaultValue) {
    return ReadInt(section, key.c_str(), defaultValue, INT32_MIN, INT32_MAX);
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
        m_slots[n].x = ReadAny(section, Key("PositionXDlg", n), NotStored);
        m_slots[n].y = ReadAny(section, Key("PositionYDlg", n), NotStored);
        m_slots[n].width = ReadAny(section, Key("SizeXDlg", n), 0);
        m_slots[n].height = ReadAny(section, Key("SizeYDlg", n), 0);
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
