#include "library/system/CDupAppPreventer.h"

#include "ChildRoles.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Names of this test program alone, so that parallel runs never meet.
class CDupAppPreventerTest : public ::testing::Test {
protected:
    CDupAppPreventerTest()
        : m_suffix(std::to_string(GetCurrentProcessId())),
          m_mutexName("TallymarksTest_Run_Check_" + m_suffix),
          m_className("TallymarksTestMain_" + m_suffix) {}

    ~CDupAppPreventerTest() override {
        if (m_window != nullptr) {
            DestroyWindow(m_window);
        }
        UnregisterClassA(m_className.c_str(), GetModuleHandleA(nullptr));
    }

    // A hidden top-level window of the guard's class, as the main window would be.
    HWND CreateMainWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = m_className.c_str();
        RegisterClassA(&windowClass);
        m_window = CreateWindowExA(0, m_className.c_str(), "main", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                   100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        return m_window;
    }

    // What a second process sees: ChildGuardMark plus 1 first, 2 other window, 4 it is
    // the expected one.
    DWORD SecondStart(HWND expected = nullptr) const {
        return RunChild(OwnProgramPath(), Role(expected));
    }

    std::string Role(HWND expected) const {
        return "dup-app " + m_mutexName + " " + m_className + " " +
               std::to_string(reinterpret_cast<uintptr_t>(expected));
    }

    std::string m_suffix;
    std::string m_mutexName;
    std::string m_className;
    HWND m_window = nullptr;
};

TEST_F(CDupAppPreventerTest, SecondProcessFindsTheFirstAndItsWindow) {
    EXPECT_EQ(SecondStart(), ChildGuardMark | 1) << "nobody runs: the child is first";
    {
        CDupAppPreventer first(m_mutexName.c_str(), m_className.c_str(), true, true);
        EXPECT_TRUE(first.IsFirstInstance());
        EXPECT_FALSE(first.HasOtherWindow());
        EXPECT_EQ(first.GetOtherWindow(), nullptr);

        EXPECT_EQ(SecondStart(), ChildGuardMark) << "not first, and no main window yet";
        const HWND window = CreateMainWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(SecondStart(window), ChildGuardMark | 2 | 4);
        EXPECT_FALSE(first.Check(true)) << "the first instance never sees another window";
    }
    EXPECT_EQ(SecondStart(), ChildGuardMark | 1) << "the guard's end frees the mutex";
}

TEST_F(CDupAppPreventerTest, ChecksOnlyWhenAskedAndCreatesOnlyWhenAllowed) {
    CDupAppPreventer deferred(m_mutexName.c_str(), m_className.c_str(), false, true);
    EXPECT_FALSE(deferred.IsFirstInstance());
    EXPECT_EQ(SecondStart(), ChildGuardMark | 1) << "an unchecked guard holds no mutex";

    CDupAppPreventer lookOnly(m_mutexName.c_str(), m_className.c_str(), true, false);
    EXPECT_FALSE(lookOnly.IsFirstInstance());
    EXPECT_EQ(SecondStart(), ChildGuardMark | 1) << "check without create makes no mutex";

    EXPECT_FALSE(deferred.Check(true));
    EXPECT_TRUE(deferred.IsFirstInstance());
    const HWND window = CreateMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(lookOnly.Check(false));
    EXPECT_EQ(lookOnly.GetOtherWindow(), window);
}

// Starts released at one moment can all miss the mutex when they look for it; still
// exactly one of them may be first.
TEST_F(CDupAppPreventerTest, SimultaneousStartsHaveOneFirstInstance) {
    const std::string eventName = "TallymarksTest_Go_" + m_suffix;
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(go, nullptr);
    std::vector<HANDLE> children;
    for (int i = 0; i < 6; ++i) {
        HANDLE child = StartChild(OwnProgramPath(), Role(nullptr) + " " + eventName + " 1500");
        ASSERT_NE(child, nullptr);
        children.push_back(child);
    }
    Sleep(1500); // let every child reach its wait
    SetEvent(go);
    int firsts = 0;
    for (HANDLE child : children) {
        DWORD code = 0xFFFFFFFF;
        ASSERT_EQ(WaitForSingleObject(child, 60000), WAIT_OBJECT_0);
        GetExitCodeProcess(child, &code);
        CloseHandle(child);
        EXPECT_EQ(code & ~DWORD{1}, ChildGuardMark);
        firsts += (code & 1) != 0 ? 1 : 0;
    }
    CloseHandle(go);
    EXPECT_EQ(firsts, 1);
}

} // namespace
