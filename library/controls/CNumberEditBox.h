#pragma once

// CNumberEditBox: an edit box of a dialog that takes only digits and no number
// above its maximum. A refused character sounds the warning beep.
//
//   CNumberEditBox minutes;
//   minutes.Attach(dialog, IDC_MINUTES, 59, 2);
//   minutes.SetValue(30);
//   int32_t value = minutes.GetValue(true);

#include "library/windows/CSubclassedWindow.h"

#include <windows.h>

#include <cstdint>

class CNumberEditBox : public CSubclassedWindow {
public:
    CNumberEditBox() = default;
    ~CNumberEditBox() override = default;

    // Binds to the edit box, limits its text to digits + 1 characters and filters
    // its typing; false (unattached) when the box is missing or cannot be
    // subclassed. A second attach leaves the first box.
    bool Attach(HWND edit, int32_t maximum, int32_t digits);
    bool Attach(HWND dialog, int controlId, int32_t maximum, int32_t digits);

    // -2 empties the box; any other value is written in decimal.
    void SetValue(int32_t value);
    // The leading number of the text; for an empty box 0 when emptyIsZero, else -2;
    // -1 when the text cannot be read.
    int32_t GetValue(bool emptyIsZero) const;
    HWND GetWindow() const { return m_edit; }

    void OnMessage(CMessage& message) override;

private:
    // True when the digit typed over the current selection keeps the number
    // within the maximum.
    bool AcceptsDigit(char digit) const;

    int32_t m_maximum = 0;
    HWND m_edit = nullptr;
};
