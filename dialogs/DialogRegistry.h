#pragma once

// Registers the program's dialogs with the main window's launcher, each group in its own
// function. The program entry calls RegisterDialogs once before the first window runs;
// tests register the groups they drive.

void RegisterDialogs();

// The tally mark dialog (a new tally mark from the main window).
void RegisterTallymarkDialogs();
// The manage tally marks dialog.
void RegisterManageTallymarksDialogs();
// The manage activities dialog.
void RegisterManageActivitiesDialogs();
// The tip of the day, about and project statistics dialogs.
void RegisterInfoDialogs();
// The project properties dialog, also the new-project dialog of the application.
void RegisterProjectPropertiesDialogs();
// The settings dialog.
void RegisterSettingsDialogs();
// The detected inactivity dialog and the import and export dialog.
void RegisterExchangeDialogs();
