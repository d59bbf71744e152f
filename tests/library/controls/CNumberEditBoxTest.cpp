#include "library/controls/CNumberEditBox.h"

#include "ControlsTestIds.h"
#include "TestDialog.h"
#include "harness/UiControls.h"

#include <gtest/gtest.h>

namespace {

// Runs steps on a box of the number dialog limited to maximum (2 digits).
void WithNumberBox(int32_t maximum, const std::function<void(CNumberEditBox&, HWND)>& steps) {
    CTestDialog dialog(IDD_NUMBERS);
    CNumberEditBox box;
    harness::CUiScript script;
    script.Do([&] { steps(box, dialog.GetItem(IDC_MINUTES)); }).Do([&] { dialog.Close(); });
    dialog.Run(script, [&](HWND window) { box.Attach(window, IDC_MINUTES, maximum, 2); });
}

TEST(CNumberEditBoxTest, TypingKeepsDigitsWithinTheMaximum) {
    struct SCase {
        const char* start;
        int from, to; // the selection
        const char* typed;
        const char* expected;
    } cases[] = {
        {"5", 1, 1, "9", "59"},   {"59", 2, 2, "0", "59"}, {"59", 0, 2, "7", "7"},
        {"5", 0, 0, "1", "15"},   {"", 0, 0, "60", "6"},   {"3", 1, 1, "a-.!( ", "3"},
        {"3", 1, 1, "\x16", "3"}, {"45", 2, 2, "\b", "4"},
    };
    for (const SCase& test : cases) {
        std::string text;
        WithNumberBox(59, [&](CNumberEditBox&, HWND edit) {
            SetWindowTextA(edit, test.start);
            SendMessageA(edit, EM_SETSEL, test.from, test.to);
            harness::Type(edit, test.typed);
            text = harness::GetText(edit);
        });
        EXPECT_EQ(text, test.expected) << test.start << " + " << test.typed;
    }
}

TEST(CNumberEditBoxTest, ValuesAreWrittenAndReadInDecimal) {
    std::vector<int32_t> values;
    std::string shown;
    LRESULT limit = 0;
    CNumberEditBox stale;
    WithNumberBox(999, [&](CNumberEditBox& box, HWND edit) {
        limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
        box.SetValue(-2);
        values = {box.GetValue(true), box.GetValue(false)};
        box.SetValue(42);
        shown = harness::GetText(edit);
        values.push_back(box.GetValue(false));
        for (const char* text : {"12 minutes", "99999999999999999999"}) {
            SetWindowTextA(edit, text);
            values.push_back(box.GetValue(false));
        }
        stale.Attach(edit, 99, 2);
    });
    EXPECT_EQ(limit, 3);
    EXPECT_EQ(shown, "42");
    EXPECT_EQ(values, std::vector<int32_t>({0, -2, 42, 12, INT32_MAX}));
    EXPECT_EQ(stale.GetValue(true), -1) << "the box is gone";
    EXPECT_FALSE(stale.Attach(nullptr, 59, 2));
}

} // namespace
