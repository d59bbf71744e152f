#include "app/ui/CClockNoticeBox.h"

#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each notice names the activity and every time it speaks of; no placeholder is left.
TEST(ClockNoticeBoxTest, EveryNoticeNamesTheActivityAndItsTimes) {
    CProjectState state;
    CActivity* activity = new CActivity(&state, "Write", true);
    state.GetRootActivity()->AddChildActivity(activity, -1);
    CDateTime start, end, now;
    start.SetDateTime(2024, 3, 1, 12, 0, 0);
    end.SetDateTime(2024, 3, 1, 12, 30, 0);
    now.SetDateTime(2024, 3, 1, 11, 0, 0);
    CTallymark* tallymark = new CTallymark(activity, start, end);
    activity->GetTallymarks().Add(tallymark);
    const struct {
        EClockNotice notice;
        CTallymark* tallymark;
        CDateTime now;
        const char* words;
    } cases[] = {
        {EClockNotice::StartRefused, nullptr, CDateTime(), "cannot start"},
        {EClockNotice::StopRefused, tallymark, CDateTime(CDateTime::GetMaximum() + 1.0),
         "cannot stop"},
        {EClockNotice::EndedAfterClockSetBack, tallymark, now, "set back"},
    };
    for (const auto& c : cases) {
        const std::string text = CClockNoticeBox::FormatMessage(
            CClockNoticeEvent(c.notice, activity, c.tallymark, c.now));
        EXPECT_NE(text.find(c.words), std::string::npos) << text;
        EXPECT_NE(text.find("Write"), std::string::npos) << text;
        EXPECT_EQ(text.find('['), std::string::npos) << text;
    }
}

} // namespace
