#pragma once

// The dialogs that the main window's launcher opens, by the number the menu and the
// application object ask for. A kind is available only once its dialog is registered
// with the launcher; the menu greys the commands of kinds that are not.

enum class EDialogKind {
    ManageTallymarks = 1,
    ProjectProperties = 2,
    About = 3,
    Report = 4,
    Settings = 5,
    ProjectStatistics = 6,
    NewTallymark = 7,
    TipOfTheDay = 12,
    Import = 13,
    Export = 14,
    ManageActivities = 20,
};
