#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// Records every close, so that tests see exactly which handles were closed and when.
struct CFakeTraits {
    using Type = int;
    static std::vector<int>& Closed() {
        static std::vector<int> closed;
        return closed;
    }
    static Type None() { return -1; }
    static void Close(Type h) { Closed().push_back(h); }
};
using CFake = CHandle<CFakeTraits>;

class CHandleTest : public ::testing::Test {
protected:
    void SetUp() override { CFakeTraits::Closed().clear(); }
    const std::vector<int>& Closed() { return CFakeTraits::Closed(); }
};

TEST_F(CHandleTest, NoneValueIsNeverClosed) {
    {
        CFake none;
        EXPECT_EQ(none.Get(), -1);
        EXPECT_FALSE(none.IsSet());
        CFake explicitNone(-1);
        none = explicitNone;
    }
    EXPECT_TRUE(Closed().empty());
    EXPECT_EQ(CHandle<CIHVHandleTraits>().Get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(CHandle<CGDIHandleTraits>().Get(), nullptr);
}

TEST_F(CHandleTest, LastOfThreeCopiesClosesOnce) {
    auto* a = new CFake(7);
    auto* b = new CFake(*a);
    auto* c = new CFake(*b);
    EXPECT_EQ(c->GetShareCount(), 3);
    delete a;
    delete c;
    EXPECT_TRUE(Closed().empty());
    delete b;
    EXPECT_EQ(Closed(), std::vector<int>({7}));
}

TEST_F(CHandleTest, RawAssignmentKeepsOtherCopiesOpen) {
    CFake a(1);
    CFake b(a);
    a = 2;
    EXPECT_TRUE(Closed().empty());
    EXPECT_EQ(a.Get(), 2);
    EXPECT_EQ(b.Get(), 1);
    EXPECT_EQ(a.GetShareCount(), 1);
    EXPECT_EQ(b.GetShareCount(), 1);
    a = 3; // a is the only owner of 2: closed before 3 is taken
    EXPECT_EQ(Closed(), std::vector<int>({2}));
}

TEST_F(CHandleTest, SelfAssignmentsChangeNothing) {
    CFake a(5);
    CFake b(a);
    a = a;
    a = b;
    b = 5; // the same raw handle again: must not close what it still owns
    EXPECT_TRUE(Closed().empty());
    EXPECT_EQ(a.GetShareCount(), 2);
    CFake only(6);
    only = 6;
    EXPECT_TRUE(Closed().empty());
    EXPECT_EQ(only.Get(), 6);
}

TEST_F(CHandleTest, AssignmentReleasesTheOldBlock) {
    CFake a(1);
    {
        CFake b(2);
        a = b;
        EXPECT_EQ(Closed(), std::vector<int>({1}));
    }
    EXPECT_EQ(Closed(), std::vector<int>({1}));
    EXPECT_EQ(a.Get(), 2);
}

TEST(CHandleWin32Test, LastFontCopyDeletesTheFont) {
    LOGFONTA lf = {};
    lf.lfHeight = 12;
    HFONT raw = CreateFontIndirectA(&lf);
    ASSERT_NE(raw, nullptr);
    {
        CHandle<CGDIHandleTraits> font(raw);
        CHandle<CGDIHandleTraits> copy(font);
        { CHandle<CGDIHandleTraits> third(copy); }
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(GetObjectType(raw), 0u);
}

// A mutex whose owner closes it without releasing it is abandoned: a waiter then
// gets WAIT_ABANDONED instead of WAIT_OBJECT_0.
TEST(CHandleWin32Test, MutexIsReleasedBeforeClosing) {
    HANDLE raw = CreateMutexA(nullptr, TRUE, nullptr);
    ASSERT_NE(raw, nullptr);
    HANDLE waiterCopy = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), raw, GetCurrentProcess(), &waiterCopy, 0,
                                FALSE, DUPLICATE_SAME_ACCESS));
    { CHandle<CMutexHandleTraits> mutex(raw); }
    DWORD result = 0;
    std::thread waiter([&] { result = WaitForSingleObject(waiterCopy, 5000); });
    waiter.join();
    EXPECT_EQ(result, WAIT_OBJECT_0);
    ReleaseMutex(waiterCopy);
    CloseHandle(waiterCopy);
}

} // namespace
