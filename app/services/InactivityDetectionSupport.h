#pragma once

// Whether this system can tell how long ago the last user input was: an NT-family
// Windows from 2000 on. The application starts the inactivity detector only then, and
// it is the default of the detection switch.

#include "library/system/CWindowsVersion.h"

// Worked out once, from the version found at start-up.
bool IsInactivityDetectionSupported();
bool IsInactivityDetectionSupportedOn(const SWindowsVersion& version);
