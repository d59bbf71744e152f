#pragma once

// The two displays of the main window. The values are the ones the view settings store.
enum class EDisplayMode {
    Full = 0,    // the full window with the activity list
    Compact = 1, // the one-row window
};
