#include "library/windows/CDesktopWaiter.h"
#include "library/windows/CInvisibleWindow.h"
#include "library/windows/CWindowActivator.h"

#include <gtest/gtest.h>

namespace {

void Pump(
    DWORD ms, const std::function<bool()>& done = [] { return false; }) {
    MSG msg;
    for (const DWORD start = GetTickCount(); !done() && GetTickCount() - start < ms; Sleep(5)) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }
}

TEST(CDesktopWaiterTest, DesktopNamesAreReadInFull) {
    ASSERT_TRUE(CDesktopWaiter::IsDesktopCheckAvailable());
    // The second is longer than the first buffer of 255 bytes.
    for (const std::string& name : {std::string("Waiter"), "Waiter" + std::string(250, 'd')}) {
        HDESK desktop = CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        ASSERT_NE(desktop, nullptr) << GetLastError();
        EXPECT_EQ(CDesktopWaiter::GetDesktopName(desktop), name);
        CloseDesktop(desktop);
    }
    EXPECT_EQ(CDesktopWaiter::GetDesktopName(nullptr), "");
    // Wine has one desktop, which has the input.
    EXPECT_TRUE(CDesktopWaiter().IsUserOnOurDesktop());
}

class CWindowActivatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_timerWindow.Create(), nullptr);
        for (HWND& window : m_windows) {
            window = CreateWindowExA(0, "STATIC", "Activated", WS_POPUP | WS_CAPTION, 10, 10, 200,
                                     100, nullptr, nullptr, nullptr, nullptr);
        }
        m_activator.GetWaiter().SetDesktopCheck([this] {
            ++m_checks;
            return m_userHere;
        });
    }
    void TearDown() override {
        for (HWND window : m_windows) {
            DestroyWindow(window);
        }
    }
    // Shown, restored and active. The foreground is shared with every other test program
    // that runs at the same time, so the thread's own active window counts as well.
    bool IsActivated(HWND window) const {
        return IsWindowVisible(window) && !IsIconic(window) &&
               (GetForegroundWindow() == window || GetActiveWindow() == window);
    }

    CInvisibleWindow m_timerWindow{GetModuleHandleA(nullptr)};
    HWND m_windows[2] = {};
    bool m_userHere = true;
    int m_checks = 0;
    CWindowActivator m_activator;
};

TEST_F(CWindowActivatorTest, HiddenAndMinimisedWindowsComeToTheFrontAtOnce) {
    m_activator.Activate(m_windows[0], m_timerWindow.GetHandle());
    EXPECT_TRUE(IsActivated(m_windows[0]));
    ShowWindow(m_windows[0], SW_MINIMIZE);
    m_activator.Activate(m_windows[0], m_timerWindow.GetHandle());
    EXPECT_TRUE(IsActivated(m_windows[0]));
    EXPECT_FALSE(m_activator.GetWaiter().IsWaiting());
    // The program's activator acts at once on Wine's only desktop.
    ActivateWindow(m_windows[1], m_timerWindow.GetHandle());
    EXPECT_TRUE(IsActivated(m_windows[1]));
}

TEST_F(CWindowActivatorTest, RequestsWhileTheUserIsAwayEndInOneActivationOfTheLatest) {
    m_userHere = false;
    m_activator.Activate(m_windows[0], m_timerWindow.GetHandle());
    m_activator.Activate(m_windows[1], m_timerWindow.GetHandle());
    Pump(1100);
    EXPECT_FALSE(IsWindowVisible(m_windows[1]));
    EXPECT_GE(m_checks, 3);

    m_userHere = true;
    const DWORD back = GetTickCount();
    Pump(3000, [&] { return IsWindowVisible(m_windows[1]) != 0; });
    EXPECT_TRUE(IsActivated(m_windows[1]));
    EXPECT_LE(GetTickCount() - back, 1000u) << "the poll runs every 500 ms";
    EXPECT_FALSE(IsWindowVisible(m_windows[0]));
    const int checksAtReturn = m_checks;
    Pump(1100);
    EXPECT_EQ(m_checks, checksAtReturn) << "the poll ends with the return";
}

// Nothing may stay "waiting" with no poll running: later requests would be lost.
TEST_F(CWindowActivatorTest, RequestsThatCannotBePolledActivateAtOnce) {
    m_userHere = false;
    m_activator.Activate(m_windows[0], nullptr);
    EXPECT_TRUE(IsActivated(m_windows[0]));
    EXPECT_FALSE(m_activator.GetWaiter().IsWaiting());

    HWND gone =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    m_activator.Activate(m_windows[1], gone);
    DestroyWindow(gone);
    m_activator.Activate(m_windows[1], m_timerWindow.GetHandle());
    m_userHere = true;
    Pump(3000, [&] { return IsWindowVisible(m_windows[1]) != 0; });
    EXPECT_TRUE(IsActivated(m_windows[1]));
}

} // namespace
