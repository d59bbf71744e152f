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

// A restored window lies wholly on the work area; one larger than the work area shows its
// top-left part.
TEST(WorkAreaTest, AWindowIsMovedWhollyOntoTheWorkArea) {
    const RECT work = {0, 0, 1024, 768};
    const struct {
        POINT point;
        SIZE size;
        POINT expected;
    } cases[] = {
        {{960, 736}, {456, 436}, {568, 332}}, {{-500, -20}, {456, 436}, {0, 0}},
        {{100, 50}, {456, 436}, {100, 50}},   {{568, 332}, {456, 436}, {568, 332}},
        {{300, 300}, {2000, 900}, {0, 0}},    {{300, 100}, {200, 900}, {300, 0}},
    };
    for (const auto& test : cases) {
        const POINT got = ClampIntoWorkArea(test.point, test.size, work);
        EXPECT_EQ(got.x, test.expected.x) << test.point.x << "," << test.point.y;
        EXPECT_EQ(got.y, test.expected.y) << test.point.x << "," << test.point.y;
    }
}

} // namespace
