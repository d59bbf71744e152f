#include "library/files/CClipboard.h"

#include <cstring>

bool CClipboard::SetData(UINT format, const void* bytes, size_t size) const {
    if (bytes == nullptr || size == 0) {
        return false;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) {
        return false;
    }
    void* target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(block);
    if (!OpenClipboard(m_owner)) {
        GlobalFree(block);
        return false;
    }
    const bool emptied = EmptyClipboard() != FALSE;
    // Once placed, the block belongs to the clipboard; otherwise it is still ours.
    const bool placed = emptied && SetClipboardData(format, block) != nullptr;
    CloseClipboard();
    if (!placed) {
        GlobalFree(block);
    }
    return placed;
}

bool CClipboard::SetData(UINT format, const char* text) const {
    if (text == nullptr) {
        return false;
    }
    return SetData(format, text, std::strlen(text) + 1);
}

bool CClipboard::SetData(UINT format, const std::string& text) const {
    return SetData(format, text.c_str(), text.size() + 1);
}
