#pragma once

// The data object of a popup menu command: users derive their command data from it
// and get it back from CPopupMenuEntry::Track when the command is chosen.
struct SPopupMenuEntryData {
    virtual ~SPopupMenuEntryData() = default;
};
