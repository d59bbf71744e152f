#include "library/dialogs/CModalScope.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The messages of one kind waiting for window, taken out.
int TakePosted(HWND window, UINT message) {
    int count = 0;
    MSG msg;
    while (PeekMessageA(&msg, window, message, message, PM_REMOVE)) {
        ++count;
    }
    return count;
}

// Every listener hears the end of the last moment once, posted (never while the code that
// ended it still runs), and not the end of a moment nested in another; one that was
// removed hears nothing.
TEST(CModalScopeTest, EveryListenerIsToldOnceWhenTheLastMomentEnds) {
    HWND first =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    HWND second =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    const UINT kFirst = WM_APP + 1, kSecond = WM_APP + 2, kGone = WM_APP + 3;
    CModalScope::AddEndListener(first, kFirst);
    CModalScope::AddEndListener(first, kFirst); // once however often added
    CModalScope::AddEndListener(second, kSecond);
    CModalScope::AddEndListener(second, kGone);
    CModalScope::RemoveEndListener(second, kGone);
    std::vector<int> afterInner, afterOuter;
    {
        CModalScope outer;
        { CModalScope inner; }
        afterInner = {TakePosted(first, kFirst), TakePosted(second, kSecond)};
        EXPECT_TRUE(CModalScope::IsActive());
    }
    EXPECT_FALSE(CModalScope::IsActive());
    afterOuter = {TakePosted(first, kFirst), TakePosted(second, kSecond),
                  TakePosted(second, kGone)};
    CModalScope::RemoveEndListener(first, kFirst);
    CModalScope::RemoveEndListener(second, kSecond);
    { CModalScope again; }
    EXPECT_EQ(TakePosted(first, kFirst) + TakePosted(second, kSecond), 0);
    EXPECT_EQ(afterInner, (std::vector<int>{0, 0}));
    EXPECT_EQ(afterOuter, (std::vector<int>{1, 1, 0}));
    DestroyWindow(first);
    DestroyWindow(second);
}

} // namespace
