#pragma once

// CSystemInputIdleSource: the system's input-idle counter. GetLastInputInfo is looked
// up in user32.dll at run time, once, on first use: a system without it (or a failing
// call) makes GetLastInputTick answer false, which the detector counts as no idle time.

#include "app/services/IInputIdleSource.h"
#include "library/system/CDLLLoader.h"

class CSystemInputIdleSource : public IInputIdleSource {
public:
    // The process-wide source.
    static CSystemInputIdleSource& Instance();

    CSystemInputIdleSource();
    ~CSystemInputIdleSource() override;

    bool GetLastInputTick(DWORD& tick) override;
    DWORD GetTickCount() override;
    CDateTime GetUtcNow() override;

private:
    using GetLastInputInfoFunction = BOOL(WINAPI*)(PLASTINPUTINFO);

    CDLLLoader m_user32;
    bool m_lookedUp = false;
    GetLastInputInfoFunction m_getLastInputInfo = nullptr;
};
