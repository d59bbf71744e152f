#include "UserSettings.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace {

TEST(SettingsEventsTest, SettersAnnounceChangesAndTheHotKeyAlways) {
    SUserSettings s;
    CRecorder<CHotKeySetEvent> hotKey(&s.hotKey);
    CRecorder<CSetInactivityDetectorChangedEvent> inactivity(&s.inactivity);
    CRecorder<CSetPowerStateTrackerChangedEvent> power(&s.power);
    CRecorder<CEmptyTimeModeChangedEvent> emptyMode(&s.timeDisplay);
    CRecorder<CShowTimeCumulativeChangedEvent> cumulative(&s.timeDisplay);
    CRecorder<CViewTopMostChangedEvent> topMost(&s.view);
    struct SStep {
        const char* what;
        std::function<void()> act;
        std::array<size_t, 6> heard; // so far, in the order of the recorders above
    };
    const SStep steps[] = {
        {"hotkey", [&] { s.hotKey.SetHotKey(0x0644); }, {1, 0, 0, 0, 0, 0}},
        {"same hotkey", [&] { s.hotKey.SetHotKey(0x0644); }, {2, 0, 0, 0, 0, 0}},
        {"only the hotkey's load", [&] { s.Load(""); }, {3, 0, 0, 0, 0, 0}},
        {"detecting already", [&] { s.inactivity.SetDetect(true); }, {3, 0, 0, 0, 0, 0}},
        {"detection off", [&] { s.inactivity.SetDetect(false); }, {3, 1, 0, 0, 0, 0}},
        {"minutes while off", [&] { s.inactivity.SetNumMinutes(45); }, {3, 1, 0, 0, 0, 0}},
        {"detection on", [&] { s.inactivity.SetDetect(true); }, {3, 2, 0, 0, 0, 0}},
        {"same minutes", [&] { s.inactivity.SetNumMinutes(45); }, {3, 2, 0, 0, 0, 0}},
        {"0 minutes becomes 1", [&] { s.inactivity.SetNumMinutes(0); }, {3, 3, 0, 0, 0, 0}},
        {"1 again", [&] { s.inactivity.SetNumMinutes(1); }, {3, 3, 0, 0, 0, 0}},
        {"power tracking off already", [&] { s.power.SetDetect(false); }, {3, 3, 0, 0, 0, 0}},
        {"power tracking on", [&] { s.power.SetDetect(true); }, {3, 3, 1, 0, 0, 0}},
        {"same empty mode", [&] { s.timeDisplay.SetEmptyMode(1); }, {3, 3, 1, 0, 0, 0}},
        {"empty mode", [&] { s.timeDisplay.SetEmptyMode(0); }, {3, 3, 1, 1, 0, 0}},
        {"same cumulation", [&] { s.timeDisplay.SetShowCumulativeTime(true); }, {3, 3, 1, 1, 0, 0}},
        {"cumulation", [&] { s.timeDisplay.SetShowCumulativeTime(false); }, {3, 3, 1, 1, 1, 0}},
        {"same top-most", [&] { s.view.SetTopMost(false); }, {3, 3, 1, 1, 1, 0}},
        {"top-most", [&] { s.view.SetTopMost(true); }, {3, 3, 1, 1, 1, 1}},
        {"toggled top-most", [&] { s.view.ToggleTopMost(); }, {3, 3, 1, 1, 1, 2}},
        {"silent setters",
         [&] {
             s.view.SetMode(1);
             s.view.SetType(4);
             s.minToNotArea.SetMinimizeToNotArea(true);
             s.language.SetLanguage("NL");
         },
         {3, 3, 1, 1, 1, 2}},
        {"loads", [&] { s.Load("[Application]|HotKey=65|[View]|TopMost=y"); }, {4, 3, 1, 1, 1, 2}},
    };
    for (const SStep& step : steps) {
        step.act();
        const std::array<size_t, 6> heard = {hotKey.events.size(),     inactivity.events.size(),
                                             power.events.size(),      emptyMode.events.size(),
                                             cumulative.events.size(), topMost.events.size()};
        EXPECT_EQ(heard, step.heard) << step.what;
    }
    EXPECT_EQ(hotKey.events[2].hotKey, 0) << "loading announces the stored value";
    EXPECT_EQ(hotKey.events[3].hotKey, 65);
    EXPECT_TRUE(topMost.events[0].topMost);
    EXPECT_FALSE(topMost.events[1].topMost);
    EXPECT_EQ(s.inactivity.GetNumMinutes(), 30u) << "as loaded";
    s.inactivity.SetNumMinutes(100000);
    EXPECT_EQ(s.inactivity.GetNumMinutes(), 999u);

    CSetInactivityDetector unsupported(false);
    CINIFile ini;
    unsupported.Load(ini);
    EXPECT_FALSE(unsupported.GetDetect()) << "the default follows the system's support";
}

TEST(SettingsEventsTest, DurationsByTheEmptyTimeMode) {
    struct SCase {
        uint32_t mode;
        const char* zero;
    };
    const SCase cases[] = {{0, "00:00:00"}, {1, "--"}, {2, ""}, {7, "--"}};
    for (const SCase& c : cases) {
        CSetTimeDisplay display;
        display.SetEmptyMode(c.mode);
        EXPECT_EQ(display.FormatDuration(CDateTimeSpan(0.0)), c.zero) << c.mode;
        EXPECT_EQ(display.FormatDuration(CDateTimeSpan(1, 2, 3, 4)), "26:03:04") << c.mode;
        EXPECT_EQ(display.FormatDuration(CDateTimeSpan(0.1 / 86400.0)), "00:00:00")
            << "a span that is not exactly zero shows its rounded length";
    }
}

} // namespace
