#pragma once

// Registers the report dialog with the main window's launcher. The program entry calls it
// once before the first window runs, beside the dialogs' own registrations.
void RegisterReportDialog();
