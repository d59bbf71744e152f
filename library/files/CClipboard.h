#pragma once

// CClipboard: puts data on the clipboard in one format, replacing what it held.
//
//   CClipboard(dialog).SetData(CF_TEXT, reportText);

#include <windows.h>

#include <cstddef>
#include <string>

class CClipboard {
public:
    // owner: the window that opens the clipboard (may be null).
    explicit CClipboard(HWND owner) : m_owner(owner) {}
    virtual ~CClipboard() = default;

    // Copies size bytes into a new movable global block and places it; true when the
    // clipboard was emptied and took the block. Empty data is refused.
    bool SetData(UINT format, const void* bytes, size_t size) const;
    // The text's bytes with their terminating zero.
    bool SetData(UINT format, const char* text) const;
    bool SetData(UINT format, const std::string& text) const;

private:
    HWND m_owner;
};
