#include "app/services/CSystemInputIdleSource.h"

CSystemInputIdleSource& CSystemInputIdleSource::Instance() {
    static CSystemInputIdleSource instance;
    return instance;
}

CSystemInputIdleSource::CSystemInputIdleSource() = default;

CSystemInputIdleSource::~CSystemInputIdleSource() = default;

bool CSystemInputIdleSource::GetLastInputTick(DWORD& tick) {
    if (!m_lookedUp) {
        m_lookedUp = true;
        if (m_user32.Load("user32.dll")) {
            m_getLastInputInfo = reinterpret_cast<GetLastInputInfoFunction>(
                reinterpret_cast<void (*)()>(m_user32.GetFunction("GetLastInputInfo")));
        }
    }
    if (m_getLastInputInfo == nullptr) {
        return false;
    }
    LASTINPUTINFO info = {};
    info.cbSize = sizeof(info);
    if (!m_getLastInputInfo(&info)) {
        return false;
    }
    tick = info.dwTime;
    return true;
}

DWORD CSystemInputIdleSource::GetTickCount() {
    return ::GetTickCount();
}

CDateTime CSystemInputIdleSource::GetUtcNow() {
    return CDateTime::Now(true);
}
