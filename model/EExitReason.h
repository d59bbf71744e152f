#pragma once

// Why projects are asked whether they may close: it decides the question's wording and
// whether the user may cancel. The values are the ones the main window and the tray pass.
enum class EExitReason {
    CloseProject = 0, // one project is closed
    Exit = 1,         // the program ends at the user's wish
    EndSession = 2,   // the Windows session ends
    ExitNoCancel = 3, // the program ends and the user cannot cancel
};
