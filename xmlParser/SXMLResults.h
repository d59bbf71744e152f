#pragma once

#include "xmlParser/EXMLError.h"

// What a parse reports: the code and, for a non-zero code, where it happened (line and
// column from 1; 0 for codes that have no place in the text).
struct SXMLResults {
    EXMLError error = xeNone;
    int line = 0;
    int column = 0;
};
