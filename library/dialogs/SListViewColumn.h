#pragma once

// A column of a list view as its owner describes it.

#include <cstdint>
#include <string>

struct SListViewColumn {
    std::string title;
    int32_t format = 0; // LVCFMT_* alignment; 0: left, the control's default (not set)
    // Pixels. Negative: the column takes the rest of the client width, at least the
    // absolute value (the last such column does; earlier ones keep their width).
    int32_t width = 0;
    // The width is a default, not one the user left: it is raised to what the title
    // needs, so a language's default never cuts its own heading. A width the user left
    // is kept as it is.
    bool defaultWidth = false;
};
