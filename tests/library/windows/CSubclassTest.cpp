#include "library/windows/CInvisibleWindow.h"
#include "library/windows/CSubclassController.h"
#include "library/windows/CSubclassedWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const UINT kProbe = WM_APP + 1;
std::vector<int>* g_log = nullptr;
int g_ownProcCalls = 0;

// The window's own procedure: answers kProbe with 100 and counts its calls.
LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
        ++g_ownProcCalls;
        return 100;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow() {
    static ATOM atom = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &OwnProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "SubclassTestWindow";
        return RegisterClassA(&windowClass);
    }();
    EXPECT_NE(atom, 0);
    return CreateWindowExA(0, "SubclassTestWindow", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Logs its tag for every kProbe and reacts as the test tells it to.
class CProbe : public CSubclassedWindow {
public:
    int tag = 0;
    std::function<void(CMessage&)> react;
    void OnMessage(CMessage& message) override {
        if (message.message != kProbe) {
            return;
        }
        if (g_log != nullptr) {
            g_log->push_back(tag);
        }
        if (react) {
            react(message);
        }
    }
};

class CSubclassTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log = &m_log;
        g_ownProcCalls = 0;
        m_window = MakeWindow();
        ASSERT_NE(m_window, nullptr);
        m_probes[0].tag = 1;
        m_probes[1].tag = 2;
    }
    void TearDown() override {
        if (IsWindow(m_window)) {
            DestroyWindow(m_window);
        }
        g_log = nullptr;
    }
    LRESULT Probe() { return SendMessageA(m_window, kProbe, 0, 0); }

    std::vector<int> m_log;
    HWND m_window = nullptr;
    CProbe m_probes[2]; // m_probes[0] has the lower address
};

TEST_F(CSubclassTest, SubclassersSeeMessagesInAddressOrder) {
    ASSERT_TRUE(m_probes[1].Subclass(m_window));
    ASSERT_TRUE(m_probes[0].Subclass(m_window));
    EXPECT_EQ(Probe(), 100);
    EXPECT_EQ(m_log, std::vector<int>({1, 2}));
    EXPECT_EQ(g_ownProcCalls, 1);
}

TEST_F(CSubclassTest, HandledMessageStopsAndReturnsTheResult) {
    m_probes[0].react = [](CMessage& m) {
        m.handled = true;
        m.result = 7;
    };
    m_probes[0].Subclass(m_window);
    m_probes[1].Subclass(m_window);
    EXPECT_EQ(Probe(), 7);
    EXPECT_EQ(m_log, std::vector<int>({1}));
    EXPECT_EQ(g_ownProcCalls, 0);
}

TEST_F(CSubclassTest, PreviousProcRunsOnceWhenCalledByAHandler) {
    m_probes[0].react = [](CMessage& m) { EXPECT_EQ(m.CallPreviousProc(), 100); };
    m_probes[1].react = [](CMessage& m) { EXPECT_EQ(m.CallPreviousProc(), 100); };
    m_probes[0].Subclass(m_window);
    m_probes[1].Subclass(m_window);
    EXPECT_EQ(Probe(), 100);
    EXPECT_EQ(g_ownProcCalls, 1);
}

TEST_F(CSubclassTest, LastSubclasserPutsTheOwnProcedureBack) {
    const LONG_PTR own = GetWindowLongPtrA(m_window, GWLP_WNDPROC);
    m_probes[0].Subclass(m_window);
    m_probes[0].Subclass(m_window); // twice: in the set once
    m_probes[1].Subclass(m_window);
    m_probes[1].Unsubclass(m_window);
    EXPECT_NE(GetWindowLongPtrA(m_window, GWLP_WNDPROC), own);
    m_probes[0].Unsubclass(m_window);
    EXPECT_EQ(GetWindowLongPtrA(m_window, GWLP_WNDPROC), own);
    EXPECT_FALSE(CSubclassController::Instance().IsSubclassed(m_window));
    EXPECT_EQ(Probe(), 100);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(CSubclassTest, HandlerMayLeaveOrDestroyDuringDelivery) {
    auto* doomed = new CProbe[2];
    // Order by address: the probes of the fixture and the two on the heap.
    m_probes[0].Subclass(m_window);
    doomed[0].tag = 10;
    doomed[1].tag = 11;
    doomed[0].Subclass(m_window);
    doomed[1].Subclass(m_window);
    bool deleted = false;
    doomed[0].react = [&](CMessage&) {
        if (!deleted) {
            deleted = true;
            delete[] doomed; // destroys itself and its neighbour mid-delivery
        }
    };
    m_probes[0].react = [&](CMessage&) { m_probes[0].Unsubclass(m_window); };
    EXPECT_EQ(Probe(), 100);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(Probe(), 100); // nobody is left
    EXPECT_FALSE(CSubclassController::Instance().IsSubclassed(m_window));
}

TEST_F(CSubclassTest, DestroyedWindowGivesUpItsRecord) {
    m_probes[0].Subclass(m_window);
    m_probes[1].Subclass(m_window);
    DestroyWindow(m_window);
    EXPECT_FALSE(CSubclassController::Instance().IsSubclassed(m_window));
    EXPECT_FALSE(m_probes[0].IsSubclassing(m_window));
    // A new window, possibly with the same handle, is subclassed afresh.
    HWND next = MakeWindow();
    const LONG_PTR own = GetWindowLongPtrA(next, GWLP_WNDPROC);
    ASSERT_TRUE(m_probes[0].Subclass(next));
    m_probes[0].UnsubclassAll();
    EXPECT_EQ(GetWindowLongPtrA(next, GWLP_WNDPROC), own);
    DestroyWindow(next);
}

TEST_F(CSubclassTest, MissingWindowIsRefused) {
    EXPECT_FALSE(m_probes[0].Subclass(nullptr));
    EXPECT_FALSE(m_probes[0].IsSubclassing(nullptr));
}

TEST(CInvisibleWindowTest, IsAHiddenTopLevelWindowFoundByItsClass) {
    CInvisibleWindow invisible(GetModuleHandleA(nullptr));
    EXPECT_EQ(invisible.GetHandle(), nullptr);
    HWND window = invisible.Create();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(invisible.Create(), window);
    EXPECT_EQ(FindWindowA("Brakfen_IVW", nullptr), window);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(window)); // WM_CLOSE does not reach the default procedure
}

TEST(CInvisibleWindowTest, DestructorDestroysTheWindow) {
    HWND window;
    {
        CInvisibleWindow invisible(nullptr);
        window = invisible.Create(GetModuleHandleA(nullptr));
        ASSERT_NE(window, nullptr);
    }
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
