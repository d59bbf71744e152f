#pragma once

#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

#include <windows.h>

// What the program is doing, which chooses the icon of its windows and tray icon:
// no project open, work registered in some open project, or projects open and none
// worked on.
enum class EWorkingState { NoProject = 0, Working = 1, NotWorking = 2 };

// The sizes in which each working state's icon is held: 16 pixels (small window
// and tray icons), 32 (large window icons), 48 (state picture of the compact window).
enum class EIconSize { Small16 = 0, Large32 = 1, Big48 = 2 };

// The application icon and the two working-state icons in their three sizes.
struct SApplicationIcons {
    CHandle<CIconHandleTraits> icons[3][3]; // [EWorkingState][EIconSize]

    // Null while not loaded.
    HICON Get(EWorkingState state, EIconSize size) const {
        return icons[static_cast<int>(state)][static_cast<int>(size)].Get();
    }
};
