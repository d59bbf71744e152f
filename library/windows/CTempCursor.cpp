#include "library/windows/CTempCursor.h"

CTempCursor::CTempCursor(UINT resourceId, HINSTANCE instance) {
    Set(MAKEINTRESOURCEA(resourceId), instance);
}

CTempCursor::CTempCursor(const char* name, HINSTANCE instance) {
    Set(name, instance);
}

CTempCursor::~CTempCursor() {
    Restore();
}

void CTempCursor::Change(UINT resourceId, HINSTANCE instance) {
    Restore();
    Set(MAKEINTRESOURCEA(resourceId), instance);
}

void CTempCursor::Change(const char* name, HINSTANCE instance) {
    Restore();
    Set(name, instance);
}

void CTempCursor::Restore() {
    if (m_previous != nullptr) {
        SetCursor(m_previous);
        m_previous = nullptr;
    }
}

void CTempCursor::Set(const char* name, HINSTANCE instance) {
    HCURSOR cursor = LoadCursorA(instance, name);
    m_previous = cursor != nullptr ? SetCursor(cursor) : nullptr;
}
