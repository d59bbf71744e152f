#include "library/controls/CRepeatButton.h"

#include "ControlsTestIds.h"
#include "TestDialog.h"

#include <gtest/gtest.h>

using harness::CUiScript;

namespace {

bool IsPushed(HWND button) {
    return (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}

// First delay 1000 ms, interval 100 ms: one command at once, one after the delay,
// then one per interval, none after the release.
TEST(CRepeatButtonTest, HeldButtonRepeatsAfterTheFirstDelayUntilReleased) {
    CTestDialog dialog(IDD_REPEAT);
    CRepeatButton later;
    size_t atRelease = 0;
    DWORD released = 0;
    bool pushedWhileHeld = false, pushedAfter = true;
    HWND button = nullptr;
    CUiScript script;
    script
        .Do([&] {
            button = dialog.GetItem(IDC_LATER);
            SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            pushedWhileHeld = IsPushed(dialog.GetItem(IDC_LATER));
        })
        .WaitFor([&] { return dialog.GetCommands(IDC_LATER).size() >= 7; }, 5000, "7 commands")
        .Do([&] {
            SendMessageA(dialog.GetItem(IDC_LATER), WM_LBUTTONUP, 0, 0);
            atRelease = dialog.GetCommands(IDC_LATER).size();
            released = GetTickCount();
            pushedAfter = IsPushed(dialog.GetItem(IDC_LATER));
        })
        .WaitFor(ElapsedSince(&released, 400), 2000, "time after the release")
        .Do([&] { dialog.Close(); });
    dialog.Run(script, [&](HWND window) { ASSERT_TRUE(later.Attach(window, IDC_LATER, 1000)); });

    const std::vector<SCommandRecord> commands = dialog.GetCommands(IDC_LATER);
    EXPECT_TRUE(pushedWhileHeld);
    EXPECT_FALSE(pushedAfter);
    ASSERT_EQ(commands.size(), atRelease);
    ASSERT_GE(commands.size(), 7u);
    EXPECT_EQ(commands[0].control, button);
    const DWORD slack = 20; // of the tick count; timers never come early
    EXPECT_GE(commands[1].tick - commands[0].tick, 1000 - slack);
    for (size_t i = 2; i < commands.size(); ++i) {
        EXPECT_GE(commands[i].tick - commands[i - 1].tick, 100 - slack) << i;
        EXPECT_LT(commands[i].tick - commands[i - 1].tick, 900u) << i;
    }
}

// Whatever takes the mouse away (a message box, a menu, another window), and a
// second Attach, let the button go: no more commands after the first.
TEST(CRepeatButtonTest, LosingTheCaptureOrTheButtonEndsTheRepeat) {
    void (*takeAways[])(CRepeatButton&, HWND dialog, HWND button) = {
        [](CRepeatButton&, HWND dialog, HWND) { SetCapture(dialog); },
        [](CRepeatButton&, HWND, HWND) { ReleaseCapture(); },
        [](CRepeatButton&, HWND, HWND button) { SendMessageA(button, WM_CANCELMODE, 0, 0); },
        [](CRepeatButton& repeat, HWND dialog, HWND) { repeat.Attach(dialog, IDC_EARLIER, 200); },
    };
    for (auto takeAway : takeAways) {
        CTestDialog dialog(IDD_REPEAT);
        CRepeatButton repeat;
        DWORD lost = 0;
        bool pushedAfter = true, capturedAfter = true;
        CUiScript script;
        script
            .Do([&] {
                HWND button = dialog.GetItem(IDC_LATER);
                SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0);
                takeAway(repeat, dialog.GetWindow(), button);
                capturedAfter = GetCapture() == button;
                ReleaseCapture();
                lost = GetTickCount();
                pushedAfter = IsPushed(button);
            })
            .WaitFor(ElapsedSince(&lost, 500), 2000, "past the first delay")
            .Do([&] { dialog.Close(); });
        dialog.Run(script, [&](HWND window) { repeat.Attach(window, IDC_LATER, 200, 50); });

        EXPECT_FALSE(pushedAfter);
        EXPECT_FALSE(capturedAfter);
        EXPECT_EQ(dialog.GetCommands(IDC_LATER).size(), 1u);
    }
}

} // namespace
