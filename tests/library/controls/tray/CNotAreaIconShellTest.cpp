// The tray icon against the real notification area. Wine has one only with a display:
// this program runs under an X server (Xvfb) with Wine's normal graphics driver, and
// skips its tests when no notification area answers.

#include "library/controls/CNotAreaIcon.h"

#include "CTestTrayOwner.h"
#include "ShellIcon.h"

#include <gtest/gtest.h>

namespace {

class CNotAreaIconShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_icon.SetParent(&m_owner));
        m_icon.SetIconAndTip(LoadIconA(nullptr, IDI_APPLICATION), "Tallymarks test");
        if (!m_icon.SetVisible(true)) {
            GTEST_SKIP() << "no notification area: Shell_NotifyIconA needs an X display and "
                            "Wine's normal graphics driver (run this program under xvfb-run "
                            "in a Wine prefix without the null driver)";
        }
    }
    void TearDown() override { m_icon.Remove(); }
    void TaskbarCreated() {
        SendMessageA(m_owner.GetMessageWindow(), CNotAreaIcon::GetTaskbarCreatedMessage(), 0, 0);
    }

    CTestTrayOwner m_owner;
    CNotAreaIcon m_icon;
};

TEST_F(CNotAreaIconShellTest, ShownIconSurvivesATaskbarRestart) {
    const HWND window = m_owner.GetMessageWindow();
    EXPECT_TRUE(ShellNotifyIcon(NIM_MODIFY, window));
    EXPECT_TRUE(m_icon.SetIconAndTip(LoadIconA(nullptr, IDI_INFORMATION), std::string(90, 'y')));
    // The shell lost the icon, as after its restart, and announces a new task bar.
    ASSERT_TRUE(ShellNotifyIcon(NIM_DELETE, window));
    TaskbarCreated();
    EXPECT_TRUE(ShellNotifyIcon(NIM_MODIFY, window));
    // Announced while the icon is still there, it stays.
    TaskbarCreated();
    EXPECT_TRUE(m_icon.IsShown());
    EXPECT_FALSE(IsWindowVisible(m_owner.GetRestoredWindow()));
    EXPECT_TRUE(m_icon.Remove());
    EXPECT_FALSE(ShellNotifyIcon(NIM_MODIFY, window));
}

TEST_F(CNotAreaIconShellTest, DoubleClickRemovesTheIconAndItStaysAway) {
    const HWND window = m_owner.GetMessageWindow();
    SendMessageA(window, CNotAreaIcon::kCallbackMessage, CNotAreaIcon::kIconId, WM_LBUTTONDBLCLK);
    SendMessageA(window, CNotAreaIcon::kCallbackMessage, CNotAreaIcon::kIconId, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(m_owner.GetRestoredWindow()));
    TaskbarCreated();
    EXPECT_FALSE(m_icon.IsShown());
    EXPECT_FALSE(ShellNotifyIcon(NIM_MODIFY, window));
    EXPECT_EQ(m_owner.activeChanges, std::vector<bool>({true, false}));
}

} // namespace
