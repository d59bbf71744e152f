#pragma once

// CSetAutoStart: whether Windows starts the program when the user logs on, kept as the
// value "Tallymarks" under HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run.
// A value of that name counts as enabled whatever it holds; enabling writes the program's
// quoted path.
//
// The registry is asked once, on the first call of any operation. When asking or changing
// fails, the switch is unavailable for the rest of the run and GetError() gives the
// system's reason. Nothing is shown to the user here.

#include "library/settings/CRegistry.h"

#include <cstdint>
#include <string>

class CSetAutoStart {
public:
    CSetAutoStart();
    // Another location and value name, for tests.
    CSetAutoStart(const SRegistryLocation& location, std::string valueName);
    virtual ~CSetAutoStart();
    CSetAutoStart(const CSetAutoStart&) = delete;
    CSetAutoStart& operator=(const CSetAutoStart&) = delete;

    bool IsAvailable();
    bool IsEnabled();
    // The system error code of the last registry call that failed; 0 when none failed.
    uint32_t GetError();
    // False at once when unavailable; true at once when already in that state. Otherwise
    // writes (REG_SZ, the quoted program path) or deletes the value and answers whether
    // that succeeded; a failure makes the switch unavailable.
    bool SetEnabled(bool enabled);

private:
    void LoadOnce();

    CRegistry m_registry;
    std::string m_valueName;
    std::string m_quotedPath;
    bool m_loaded;
    bool m_enabled;
    bool m_available;
    uint32_t m_error;
};
