#include "library/controls/CTracker.h"

CTracker::~CTracker() {
    Release();
}

void CTracker::Release() {
    // Forgotten before the call, so a callback that releases again does nothing.
    ITrackerCallback* held = m_held;
    m_held = nullptr;
    if (held != nullptr) {
        held->OnTrackerRelease();
    }
}

void CTracker::Set(ITrackerCallback* held) {
    Release();
    m_held = held;
}
