#pragma once

#include <cstddef>

// A placeholder found in a template text: where it stands, its length and the position of
// its name in its level's list of names.
struct SReportPlaceholder {
    size_t at = 0;
    size_t length = 0;
    size_t name = 0;
};
