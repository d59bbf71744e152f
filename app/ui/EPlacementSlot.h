#pragma once

// EPlacementSlot: the slot of CSetDialogPosNSize in which a window keeps where it stood and
// how large it was. The values are the keys of the settings file and never change; 8 and
// 19 are kept there but belong to no window.

enum class EPlacementSlot : int {
    MainWindow = 0,
    ManageTallymarks = 1,
    ProjectProperties = 2,
    About = 3,
    Report = 4,
    Settings = 5,
    ProjectStatistics = 6,
    Tallymark = 7,
    SplitTallymark = 9,
    MoveTallymarks = 10,
    CompactWindow = 11,
    TipOfTheDay = 12,
    Import = 13,
    Export = 14,
    ChooseProject = 15,
    DetectedInactivity = 16,
    ChoosePeriod = 17,
    ChooseActivities = 18,
    ManageActivities = 20,
};

// The slot's index among the stored slots.
constexpr int SlotIndex(EPlacementSlot slot) {
    return static_cast<int>(slot);
}
