#pragma once

// The traits of every handle kind that CHandle owns: how it is closed and which
// value means "no handle". Close results are not examined.

#include <windows.h>
#include <commctrl.h>

struct CFFHandleTraits { // FindFirstFileA searches
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { FindClose(h); }
};

struct CIHVHandleTraits { // kernel objects that fail as INVALID_HANDLE_VALUE (CreateFileA)
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};

struct CGDIHandleTraits { // fonts, bitmaps, brushes
    using Type = HGDIOBJ;
    static Type None() { return nullptr; }
    static void Close(Type h) { DeleteObject(h); }
};

struct CRGNHandleTraits {
    using Type = HRGN;
    static Type None() { return nullptr; }
    static void Close(Type h) { DeleteObject(h); }
};

struct CResHandleTraits { // LoadResource
    using Type = HGLOBAL;
    static Type None() { return nullptr; }
    static void Close(Type h) { FreeResource(h); }
};

struct CIconHandleTraits {
    using Type = HICON;
    static Type None() { return nullptr; }
    static void Close(Type h) { DestroyIcon(h); }
};

struct CImgLHandleTraits {
    using Type = HIMAGELIST;
    static Type None() { return nullptr; }
    static void Close(Type h) { ImageList_Destroy(h); }
};

struct CMenuHandleTraits {
    using Type = HMENU;
    static Type None() { return nullptr; }
    static void Close(Type h) { DestroyMenu(h); }
};

struct CMutexHandleTraits { // the owner releases the mutex before closing it
    using Type = HANDLE;
    static Type None() { return nullptr; }
    static void Close(Type h) {
        ReleaseMutex(h);
        CloseHandle(h);
    }
};

struct CCursorHandleTraits {
    using Type = HCURSOR;
    static Type None() { return nullptr; }
    static void Close(Type h) { DestroyCursor(h); }
};
