#pragma once

// CTempCursor: shows a cursor for the lifetime of a scope and puts the previous one
// back at its end.
//
//   CTempCursor wait(32514 /* IDC_WAIT */, nullptr);   // around a long operation

#include <windows.h>

class CTempCursor {
public:
    // A cursor that cannot be loaded changes nothing (and nothing is restored).
    CTempCursor(UINT resourceId, HINSTANCE instance);
    CTempCursor(const char* name, HINSTANCE instance);
    virtual ~CTempCursor();

    CTempCursor(const CTempCursor&) = delete;
    CTempCursor& operator=(const CTempCursor&) = delete;

    void Change(UINT resourceId, HINSTANCE instance);
    void Change(const char* name, HINSTANCE instance);
    // Puts the previous cursor back, once. When no cursor was set before, the
    // temporary cursor stays.
    void Restore();

private:
    void Set(const char* name, HINSTANCE instance);

    HCURSOR m_previous = nullptr;
};
