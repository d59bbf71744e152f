#include "library/controls/CNumberEditBox.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Typing keys that edit boxes turn into clipboard and undo commands, and backspace.
bool IsEditingCharacter(WPARAM character) {
    return character == 3 || character == 8 || character == 24 || character == 26;
}

// Only this much of the text takes part in the check: more digits than a 32-bit
// maximum has are over it anyway.
const int kCheckedLength = 28;

// The leading decimal number of text (as atol reads it), held at the 64-bit limits
// instead of overflowing.
long long LeadingNumber(const char* text) {
    return std::strtoll(text, nullptr, 10);
}

} // namespace

bool CNumberEditBox::Attach(HWND dialog, int controlId, int32_t maximum, int32_t digits) {
    return Attach(dialog != nullptr ? GetDlgItem(dialog, controlId) : nullptr, maximum, digits);
}

bool CNumberEditBox::Attach(HWND edit, int32_t maximum, int32_t digits) {
    UnsubclassAll();
    m_edit = nullptr;
    if (edit == nullptr || !Subclass(edit)) {
        return false;
    }
    m_edit = edit;
    m_maximum = maximum;
    SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(std::max(digits, 0) + 1), 0);
    return true;
}

void CNumberEditBox::SetValue(int32_t value) {
    const std::string text = value == -2 ? std::string() : std::to_string(value);
    SetWindowTextA(m_edit, text.c_str());
}

int32_t CNumberEditBox::GetValue(bool emptyIsZero) const {
    if (m_edit == nullptr) {
        return -1;
    }
    std::vector<char> buffer(256, '\0');
    int copied = 0;
    for (;;) {
        SetLastError(0);
        copied = GetWindowTextA(m_edit, buffer.data(), static_cast<int>(buffer.size()));
        if (copied == 0 && GetLastError() != 0) {
            return -1;
        }
        // A full buffer may have cut the text.
        if (static_cast<size_t>(copied) + 1 < buffer.size() || buffer.size() >= (1u << 20)) {
            break;
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
    if (copied == 0) {
        return emptyIsZero ? 0 : -2;
    }
    const long long value = LeadingNumber(buffer.data());
    return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

bool CNumberEditBox::AcceptsDigit(char digit) const {
    char current[kCheckedLength + 1] = {};
    const int length = std::max(GetWindowTextA(m_edit, current, sizeof(current)), 0);
    DWORD start = 0, end = 0;
    SendMessageA(m_edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    std::string text(current, static_cast<size_t>(length));
    const size_t from = std::min<size_t>(std::min(start, end), text.size());
    const size_t to = std::min<size_t>(std::max(start, end), text.size());
    text.replace(from, to - from, 1, digit);
    return LeadingNumber(text.c_str()) <= m_maximum;
}

void CNumberEditBox::OnMessage(CMessage& message) {
    if (message.message != WM_CHAR || message.window != m_edit) {
        return;
    }
    const WPARAM character = message.wParam;
    if (IsEditingCharacter(character)) {
        return;
    }
    if (character >= '0' && character <= '9' && AcceptsDigit(static_cast<char>(character))) {
        return;
    }
    // Any other character, a paste (22) included, and a digit that would pass the
    // maximum.
    MessageBeep(MB_ICONEXCLAMATION);
    message.handled = true;
    message.result = 0;
}
