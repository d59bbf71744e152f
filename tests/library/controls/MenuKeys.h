#pragma once

#include <windows.h>

#include <vector>

// Queues keys for the next menu of the thread to read: arrows and Escape as key
// presses, Enter as the character that chooses the item.
inline void PostMenuKeys(HWND window, const std::vector<WPARAM>& keys) {
    for (WPARAM key : keys) {
        PostMessageA(window, key == VK_RETURN ? WM_CHAR : WM_KEYDOWN, key == VK_RETURN ? '\r' : key,
                     0);
    }
}
