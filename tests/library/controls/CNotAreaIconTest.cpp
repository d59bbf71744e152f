// The tray icon against a recording shell; the real shell is met in tray/, which
// needs a display.

#include "library/controls/CNotAreaIcon.h"

#include "MenuKeys.h"
#include "tray/CTestTrayOwner.h"

#include <gtest/gtest.h>

namespace {

// Records every call and answers from accept (indexed by NIM_ADD, NIM_MODIFY, NIM_DELETE).
struct SFakeShell {
    static std::vector<DWORD> calls;
    static NOTIFYICONDATAA last;
    static bool accept[3];
    static BOOL WINAPI Notify(DWORD message, PNOTIFYICONDATAA data) {
        calls.push_back(message);
        last = *data;
        return message < 3 && accept[message];
    }
};
std::vector<DWORD> SFakeShell::calls;
NOTIFYICONDATAA SFakeShell::last;
bool SFakeShell::accept[3];

class CNotAreaIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        SFakeShell::calls.clear();
        SFakeShell::accept[0] = SFakeShell::accept[1] = SFakeShell::accept[2] = true;
        m_icon.SetNotifyFunction(&SFakeShell::Notify);
        ASSERT_TRUE(m_icon.SetParent(&m_owner));
    }
    // A mouse message on the icon, as the shell reports it.
    void Mouse(UINT mouseMessage) {
        SendMessageA(m_owner.GetMessageWindow(), CNotAreaIcon::kCallbackMessage,
                     CNotAreaIcon::kIconId, mouseMessage);
    }
    void TaskbarCreated() {
        SendMessageA(m_owner.GetMessageWindow(), CNotAreaIcon::GetTaskbarCreatedMessage(), 0, 0);
    }
    bool WindowShown() const { return IsWindowVisible(m_owner.GetRestoredWindow()) != 0; }

    CTestTrayOwner m_owner;
    CNotAreaIcon m_icon;
};

TEST_F(CNotAreaIconTest, IconHidesTheWindowToTheTrayAndADoubleClickBringsItBack) {
    const HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_TRUE(m_icon.SetIconAndTip(icon, std::string(80, 't'))); // hidden: kept for later
    EXPECT_TRUE(SFakeShell::calls.empty());
    EXPECT_TRUE(m_icon.SetVisible(true));
    EXPECT_TRUE(m_icon.SetVisible(true));
    EXPECT_EQ(SFakeShell::last.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(SFakeShell::last.hWnd, m_owner.GetMessageWindow());
    EXPECT_EQ(SFakeShell::last.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(SFakeShell::last.hIcon, icon);
    EXPECT_EQ(std::string(SFakeShell::last.szTip), std::string(63, 't'));
    EXPECT_FALSE(WindowShown());

    Mouse(WM_LBUTTONUP); // a single click does nothing
    EXPECT_TRUE(m_icon.IsShown());
    Mouse(WM_LBUTTONDBLCLK);
    Mouse(WM_LBUTTONUP);
    Mouse(WM_LBUTTONUP);
    EXPECT_FALSE(m_icon.IsShown());
    EXPECT_TRUE(WindowShown());
    EXPECT_EQ(SFakeShell::calls, std::vector<DWORD>({NIM_ADD, NIM_DELETE}));
    EXPECT_EQ(m_owner.activeChanges, std::vector<bool>({true, false}));
}

TEST_F(CNotAreaIconTest, RefusedShellChangesNothingAndTellsNobody) {
    SFakeShell::accept[NIM_ADD] = false;
    EXPECT_FALSE(m_icon.SetVisible(true));
    EXPECT_FALSE(m_icon.IsShown());
    EXPECT_TRUE(WindowShown());
    SFakeShell::accept[NIM_ADD] = true;
    SFakeShell::accept[NIM_MODIFY] = SFakeShell::accept[NIM_DELETE] = false;
    ASSERT_TRUE(m_icon.SetVisible(true));
    EXPECT_FALSE(m_icon.SetIconAndTip(nullptr, "Tallymarks"));
    EXPECT_FALSE(m_icon.SetVisible(false));
    EXPECT_FALSE(m_icon.Remove());
    EXPECT_TRUE(m_icon.IsShown());
    SFakeShell::accept[NIM_DELETE] = true;
    EXPECT_TRUE(m_icon.Remove());
    EXPECT_FALSE(WindowShown()) << "removing does not restore the window";
    EXPECT_EQ(m_owner.activeChanges, std::vector<bool>({true, false}));
}

TEST_F(CNotAreaIconTest, RecreatedTaskbarGetsAShownIconBackOrTheWindow) {
    TaskbarCreated();
    EXPECT_TRUE(SFakeShell::calls.empty()) << "a hidden icon stays away";
    ASSERT_TRUE(m_icon.SetVisible(true));
    TaskbarCreated();
    EXPECT_EQ(SFakeShell::calls, std::vector<DWORD>({NIM_ADD, NIM_ADD}));
    EXPECT_TRUE(m_icon.IsShown());
    // An icon that cannot come back must not leave the window hidden for good.
    SFakeShell::accept[NIM_ADD] = SFakeShell::accept[NIM_MODIFY] = false;
    TaskbarCreated();
    EXPECT_FALSE(m_icon.IsShown());
    EXPECT_TRUE(WindowShown());
    EXPECT_EQ(m_owner.activeChanges, std::vector<bool>({true, false}));
}

struct SChoice : SPopupMenuEntryData {
    explicit SChoice(int id_) : id(id_) {}
    int id;
};

TEST_F(CNotAreaIconTest, RightClickShowsTheOwnersMenuAndReportsTheChoice) {
    m_owner.fillMenu = [](CPopupMenuEntry& root) {
        root.AddItem("&Start", new SChoice(1), true, false);
        root.AddItem("E&xit", new SChoice(2), true, false);
    };
    std::vector<int> chosen;
    m_owner.onMenuItem = [&](SPopupMenuEntryData* data) {
        chosen.push_back(data == nullptr ? 0 : static_cast<SChoice*>(data)->id);
    };
    PostMenuKeys(m_owner.GetMessageWindow(), {VK_DOWN, VK_DOWN, VK_RETURN});
    Mouse(WM_RBUTTONUP);
    PostMenuKeys(m_owner.GetMessageWindow(), {VK_ESCAPE});
    Mouse(WM_RBUTTONUP);
    EXPECT_EQ(chosen, std::vector<int>({2, 0}));
}

} // namespace
