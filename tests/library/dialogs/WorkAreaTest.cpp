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

} // namespace
