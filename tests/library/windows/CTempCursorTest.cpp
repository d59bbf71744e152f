#include "library/windows/CTempCursor.h"

#include <gtest/gtest.h>

namespace {

class CTempCursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        m_wait = LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));  // IDC_WAIT
        ASSERT_NE(m_arrow, nullptr);
        ASSERT_NE(m_wait, nullptr);
        ASSERT_NE(m_arrow, m_wait);
        SetCursor(m_arrow);
    }
    HCURSOR m_arrow = nullptr;
    HCURSOR m_wait = nullptr;
};

TEST_F(CTempCursorTest, ShowsForTheScopeAndRestores) {
    {
        CTempCursor wait(32514, nullptr);
        EXPECT_EQ(GetCursor(), m_wait);
    }
    EXPECT_EQ(GetCursor(), m_arrow);
}

TEST_F(CTempCursorTest, UnloadableCursorChangesNothing) {
    {
        CTempCursor missing("no such cursor", nullptr);
        EXPECT_EQ(GetCursor(), m_arrow);
        SetCursor(m_wait); // someone else's change is not undone
    }
    EXPECT_EQ(GetCursor(), m_wait);
}

TEST_F(CTempCursorTest, RestoresOnlyOnce) {
    CTempCursor* wait = new CTempCursor(32514, nullptr);
    wait->Restore();
    EXPECT_EQ(GetCursor(), m_arrow);
    SetCursor(m_wait);
    delete wait;
    EXPECT_EQ(GetCursor(), m_wait);
}

TEST_F(CTempCursorTest, ChangeRestoresFirst) {
    {
        CTempCursor cursor(32514, nullptr);
        cursor.Change(32513, nullptr); // IDC_IBEAM
        EXPECT_NE(GetCursor(), m_wait);
    }
    EXPECT_EQ(GetCursor(), m_arrow);
}

TEST_F(CTempCursorTest, NoPreviousCursorLeavesTheTemporaryOne) {
    SetCursor(nullptr);
    { CTempCursor wait(32514, nullptr); }
    EXPECT_EQ(GetCursor(), m_wait);
}

} // namespace
