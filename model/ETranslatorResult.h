#pragma once

// What a translator found: recognised or read completely (trOK), another format, a
// file made by a newer version of the program, or unreadable data.
enum ETranslatorResult : int {
    trOK = 0,
    trNotThisFormat = 1,
    trNewerVersion = 2,
    trDamaged = 3,
};
