#pragma once

// SSettingsValues: what the settings dialog's controls hold, read in one piece, so that
// every page is checked before any setting changes.

#include "library/datetime/CDateTime.h"

#include <cstdint>

struct SSettingsValues {
    int languageIndex = -1; // position in the language list, -1 none
    int firstDayIndex = -1; // position in the day list (0 Sunday), -1 none
    CDateTime workStart;    // times of day; an empty field counts as 0
    CDateTime workEnd;
    int32_t recentSize = 0; // an empty number field counts as 0
    bool detectInactivity = false;
    int32_t inactiveMinutes = 0;
    bool autoStart = false;
    uint32_t emptyMode = 0; // CSetTimeDisplay's empty-time mode
    bool cumulativeTime = false;
    bool showTips = false;
    bool minimizeToNotArea = false;
    uint16_t hotKey = 0; // as the hotkey control and CSetHotKey hold it
    int32_t numColumns = 0;
    bool activateAfterStandby = false;
};
