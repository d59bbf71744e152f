#pragma once

// Measures the texts of a module's dialogs: each dialog is created (hidden) from the
// module's template with its own font, and each label, button, check box, radio button
// and group box text is drawn in memory against the room its control leaves for it; a
// button lying on up-down arrows is named too.

#include <windows.h>

#include <string>
#include <vector>

class CFitCheck {
public:
    // The controls whose text does not fit, one line each; dialogs that cannot be
    // created are listed too.
    static std::vector<std::string> Run(HMODULE module);

private:
    static void CheckDialog(HMODULE module, unsigned id, HWND owner,
                            std::vector<std::string>& findings);
    static void CheckOverlaps(HWND dialog, const std::string& where,
                              std::vector<std::string>& findings);
    // The room one control leaves for its text, the size the text takes in it and its
    // width on one line; false when the control's kind carries no text to measure.
    static bool Measure(HWND control, SIZE& needed, SIZE& room, LONG& lineWidth);
};
