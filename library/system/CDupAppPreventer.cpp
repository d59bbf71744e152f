#include "library/system/CDupAppPreventer.h"

CDupAppPreventer::CDupAppPreventer(const char* mutexName, const char* windowClass, bool check,
                                   bool create)
    : m_mutexName(mutexName != nullptr ? mutexName : ""),
      m_windowClass(windowClass != nullptr ? windowClass : "") {
    if (check) {
        Check(create);
    }
}

bool CDupAppPreventer::Check(bool create) {
    if (m_firstInstance) {
        return false;
    }
    HANDLE mutex = OpenMutexA(MUTEX_ALL_ACCESS, TRUE, m_mutexName.c_str());
    if (mutex != nullptr) {
        m_mutex = mutex;
    } else if (create) {
        mutex = CreateMutexA(nullptr, FALSE, m_mutexName.c_str());
        // Two starts at the same moment can both miss the mutex above; the later
        // creation then opens the one the other made.
        const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
        if (mutex != nullptr) {
            m_mutex = mutex;
            m_firstInstance = !existed;
        }
    }
    if (!m_firstInstance) {
        m_otherWindow = FindWindowA(m_windowClass.c_str(), nullptr);
    }
    return m_otherWindow != nullptr;
}
