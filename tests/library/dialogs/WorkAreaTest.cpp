#include "library/dialogs/WorkArea.h"

#include <gtest/gtest.h>

namespace {

// A restored place is stored from the work area's corner: read back in screen
// coordinates it lands where the window was, not a taskbar's size further.
TEST(WorkAreaTest, RestoredPlacesComeBackInScreenCoordinates) {
    const struct {
        RECT monitor, work, normal, expected;
    } cases[] = {
        {{0, 0, 1920, 1080}, {0, 40, 1920, 1080}, {100, 60, 600, 460}, {100, 100, 600, 500}},
        {{0, 0, 1920, 1080}, {60, 0, 1920, 1080}, {100, 60, 600, 460}, {160, 60, 660, 460}},
        {{-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, {20, 30, 420, 330}, {20, 30, 420, 330}},
    };
    for (const auto& test : cases) {
        const RECT got = WorkspaceToScreen(test.normal, test.monitor, test.work);
        EXPECT_TRUE(EqualRect(&got, &test.expected))
            << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
}

// A restored corner keeps 64 by 32 pixels of the window on the work area; one left of or
// above it (from a monitor since removed) comes to its edge; the window's size plays no
// part.
TEST(WorkAreaTest, ACornerIsKeptOnTheWorkArea) {
    const RECT work = {0, 0, 1024, 768};
    const struct {
        POINT point;
        POINT expected;
    } cases[] = {
        {{960, 736}, {960, 736}}, {{-500, -20}, {0, 0}},     {{100, 50}, {100, 50}},
        {{824, 700}, {824, 700}}, {{1500, 900}, {960, 736}}, {{300, 30000}, {300, 736}},
    };
    for (const auto& test : cases) {
        const POINT got = ClampIntoWorkArea(test.point, work);
        EXPECT_EQ(got.x, test.expected.x) << test.point.x << "," << test.point.y;
        EXPECT_EQ(got.y, test.expected.y) << test.point.x << "," << test.point.y;
    }
}

} // namespace
