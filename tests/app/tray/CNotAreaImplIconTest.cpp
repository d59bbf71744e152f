// The tray icon's picture and tooltip, its appearances, and the icon on the real
// notification area (which Wine has only on a display: this program runs under Xvfb).

#include "app/tray/CNotAreaImpl.h"

#include "app/ui/SharedPictures.h"
#include "library/windows/CInvisibleWindow.h"
// Shared with the icon control's tests: the keys that drive a menu, and the shell asked
// directly about an icon.
#include "library/controls/MenuKeys.h"
#include "library/controls/tray/ShellIcon.h"

#include "TrayTestHelpers.h"

#include <gtest/gtest.h>

#include <memory>

using traytest::AddActivity;
using traytest::AddProject;
using traytest::CActiveChangeLog;
using traytest::CFakeMainWindow;

namespace {

// A shell that records what it is sent and accepts it while accept is set.
struct SRecordingShell {
    struct SCall {
        DWORD message;
        std::string tip;
        HICON icon;
    };
    static std::vector<SCall> calls;
    static bool accept;
    static BOOL WINAPI Notify(DWORD message, PNOTIFYICONDATAA data) {
        calls.push_back({message, data->szTip, data->hIcon});
        return accept;
    }
};
std::vector<SRecordingShell::SCall> SRecordingShell::calls;
bool SRecordingShell::accept = true;

class CNotAreaImplIconTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadIconsAndImageLists(GetModuleHandleA(nullptr)); }
    void SetUp() override {
        SRecordingShell::calls.clear();
        SRecordingShell::accept = true;
        m_tray->GetIcon().SetNotifyFunction(&SRecordingShell::Notify);
        m_tray->SetMainDlg(&m_main);
        ASSERT_NE(m_messageWindow.Create(), nullptr);
        ASSERT_TRUE(m_tray->Attach(m_messageWindow.GetHandle()));
        m_log.Connect(m_tray.get());
    }
    std::string Tip() { return m_tray->GetIcon().GetIconData().szTip; }
    HICON Picture() { return m_tray->GetIcon().GetIconData().hIcon; }
    static HICON StateIcon(EWorkingState state) {
        return ApplicationIcons().Get(state, EIconSize::Small16);
    }

    CProjects m_projects;
    CFakeMainWindow m_main;
    CInvisibleWindow m_messageWindow{GetModuleHandleA(nullptr)};
    std::unique_ptr<CNotAreaImpl> m_tray = std::make_unique<CNotAreaImpl>(m_projects);
    CActiveChangeLog m_log;
};

TEST_F(CNotAreaImplIconTest, PictureAndTooltipTellWhetherWorkIsRegistered) {
    CProject* project = nullptr;
    CActivity* activity = nullptr;
    const struct {
        const char* state;
        void (*enter)(CProjects& projects, CProject*& project, CActivity*& activity);
        EWorkingState picture;
        const char* tip;
    } cases[] = {
        {"no project", [](CProjects&, CProject*&, CActivity*&) {}, EWorkingState::NoProject,
         "Tallymarks - No project loaded"},
        {"a project, idle",
         [](CProjects& projects, CProject*& p, CActivity*& a) {
             p = AddProject(projects, "Alpha");
             a = AddActivity(p, "Write", true);
         },
         EWorkingState::NotWorking, "Tallymarks - Not working"},
        {"working",
         [](CProjects& projects, CProject*& p, CActivity*& a) { projects.StartWorking(p, a); },
         EWorkingState::Working, "Tallymarks - Working"},
        {"stopped", [](CProjects& projects, CProject*& p, CActivity*&) { projects.StopWorking(p); },
         EWorkingState::NotWorking, "Tallymarks - Not working"},
    };
    for (const auto& c : cases) {
        c.enter(m_projects, project, activity);
        EXPECT_TRUE(m_tray->UpdateIcon()) << c.state;
        EXPECT_EQ(Tip(), c.tip) << c.state;
        EXPECT_NE(StateIcon(c.picture), nullptr) << c.state;
        EXPECT_EQ(Picture(), StateIcon(c.picture)) << c.state;
    }
    EXPECT_TRUE(SRecordingShell::calls.empty()) << "a hidden icon keeps its changes";
}

TEST_F(CNotAreaImplIconTest, ShownIconTakesChangesAtOnceAndReportsARefusal) {
    ASSERT_TRUE(m_tray->ShowIcon(true));
    AddProject(m_projects, "Alpha");
    EXPECT_TRUE(m_tray->UpdateIcon());
    ASSERT_FALSE(SRecordingShell::calls.empty());
    EXPECT_EQ(SRecordingShell::calls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(SRecordingShell::calls.back().tip, "Tallymarks - Not working");
    SRecordingShell::accept = false;
    EXPECT_FALSE(m_tray->UpdateIcon());
    EXPECT_TRUE(m_tray->IsIconShown());
}

TEST_F(CNotAreaImplIconTest, AppearancesAreAnnouncedAfterTheIconIsUpdated) {
    // The announcement finds the icon up to date, also when nobody updated it before.
    std::vector<std::string> tipsAtAnnouncement;
    struct CTipLog : CActiveChangeLog {
        CNotAreaImpl* tray = nullptr;
        std::vector<std::string>* tips = nullptr;
        bool OnEvent(CNotIconActiveChangeEvent& event) override {
            tips->push_back(tray->GetIcon().GetIconData().szTip);
            return CActiveChangeLog::OnEvent(event);
        }
    } tipLog;
    tipLog.tray = m_tray.get();
    tipLog.tips = &tipsAtAnnouncement;
    tipLog.Connect(m_tray.get());

    m_main.Show();
    ASSERT_TRUE(m_tray->ShowIcon(true));
    EXPECT_TRUE(m_tray->IsIconShown());
    EXPECT_FALSE(m_main.IsShown());
    AddProject(m_projects, "Alpha");
    ASSERT_TRUE(m_tray->ShowIcon(false));
    EXPECT_TRUE(m_main.IsShown());
    EXPECT_EQ(tipsAtAnnouncement, std::vector<std::string>({"Tallymarks - No project loaded",
                                                            "Tallymarks - Not working"}));
    EXPECT_EQ(m_log.shown, std::vector<bool>({true, false}));

    // A refused change is not announced.
    SRecordingShell::accept = false;
    EXPECT_FALSE(m_tray->ShowIcon(true));
    EXPECT_EQ(m_log.shown, std::vector<bool>({true, false}));
}

TEST_F(CNotAreaImplIconTest, WindowKindsAreTheAttachedAndTheMainWindow) {
    EXPECT_EQ(m_tray->GetWindow(INotAreaIconParent::kMessageWindow), m_messageWindow.GetHandle());
    EXPECT_EQ(m_tray->GetWindow(INotAreaIconParent::kRestoredWindow), m_main.GetMainWindowHandle());
    m_tray->SetMainDlg(nullptr);
    EXPECT_EQ(m_tray->GetWindow(INotAreaIconParent::kRestoredWindow), nullptr);
}

class CNotAreaImplShellTest : public CNotAreaImplIconTest {
protected:
    void SetUp() override {
        CNotAreaImplIconTest::SetUp();
        m_tray->GetIcon().SetNotifyFunction(&Shell_NotifyIconA);
        m_tray->UpdateIcon();
        m_main.Show();
        if (!m_tray->ShowIcon(true)) {
            GTEST_SKIP() << "no notification area: Shell_NotifyIconA needs an X display and "
                            "Wine's normal graphics driver (run this program under xvfb-run "
                            "in a Wine prefix without the null driver)";
        }
    }
    // A right click on the icon, with the keys that choose from its menu queued.
    void RightClick(const std::vector<WPARAM>& keys) {
        PostMenuKeys(m_messageWindow.GetHandle(), keys);
        SendMessageA(m_messageWindow.GetHandle(), CNotAreaIcon::kCallbackMessage,
                     CNotAreaIcon::kIconId, WM_RBUTTONUP);
    }
};

TEST_F(CNotAreaImplShellTest, MenuShowsTheWindowAgainOrEndsTheProgram) {
    const HWND window = m_messageWindow.GetHandle();
    EXPECT_TRUE(m_tray->IsIconShown());
    EXPECT_TRUE(ShellNotifyIcon(NIM_MODIFY, window));
    EXPECT_FALSE(m_main.IsShown());

    m_main.exitAnswer = false;
    RightClick({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(m_main.exitReasons, std::vector<EExitReason>({EExitReason::Exit}));
    EXPECT_TRUE(m_tray->IsIconShown()) << "a refused exit leaves the icon";

    RightClick({VK_DOWN, VK_RETURN});
    EXPECT_FALSE(m_tray->IsIconShown());
    EXPECT_FALSE(ShellNotifyIcon(NIM_MODIFY, window));
    EXPECT_TRUE(m_main.IsShown());
    EXPECT_EQ(m_log.shown, std::vector<bool>({true, false}));
}

namespace {

// Whether a modal moment ran while the menu was open; the menu's keys come after.
bool g_momentDuringMenu = false;
HWND g_menuKeysWindow = nullptr;
void CALLBACK LookDuringMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_momentDuringMenu = CModalScope::IsActive();
    PostMenuKeys(g_menuKeysWindow, {VK_DOWN, VK_DOWN, VK_RETURN});
}

} // namespace

// The menu's loop is a modal moment, so that a close request, a hand-over or an
// inactivity meanwhile waits; the chosen Exit is asked for once the loop is over.
TEST_F(CNotAreaImplShellTest, TheMenuIsAMomentAndItsChoiceComesAfterIt) {
    g_momentDuringMenu = false;
    g_menuKeysWindow = m_messageWindow.GetHandle();
    m_main.exitAnswer = false;
    SetTimer(nullptr, 0, 50, &LookDuringMenu);
    SendMessageA(m_messageWindow.GetHandle(), CNotAreaIcon::kCallbackMessage, CNotAreaIcon::kIconId,
                 WM_RBUTTONUP);
    EXPECT_TRUE(g_momentDuringMenu);
    EXPECT_FALSE(CModalScope::IsActive());
    EXPECT_EQ(m_main.exitReasons, std::vector<EExitReason>({EExitReason::Exit}));
    EXPECT_EQ(m_main.exitsDuringAMoment, std::vector<bool>({false}));
}

TEST_F(CNotAreaImplShellTest, GoingAwayTakesTheIconAlong) {
    const HWND window = m_messageWindow.GetHandle();
    m_tray.reset();
    EXPECT_FALSE(ShellNotifyIcon(NIM_MODIFY, window));
    EXPECT_EQ(m_log.shown, std::vector<bool>({true, false}));
}

} // namespace
