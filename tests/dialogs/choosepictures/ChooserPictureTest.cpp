// The chooser dialogs on a real display: every control inside the window, no two controls
// overlapping except a group or frame around what it holds, the calendars showing all seven
// day columns inside their groups; a picture of each is kept for people to look at.

#include "dialogs/CChooseActivitiesDlg.h"
#include "dialogs/CChooseTimePeriodDlg.h"

#include "../chooseactivities/ChooserFixture.h"
#include "harness/LayoutCheck.h"
#include "resources/ResourceIds.h"

#include <set>
#include <string>
#include <vector>

using harness::CUiScript;

namespace {

// Controls in containers (group boxes, frames) may lie inside them, nowhere else on
// another control.
std::string CheckLayout(HWND dialog, const std::set<int>& containers) {
    return harness::CheckLayout(dialog, harness::ContainerRules(dialog, containers));
}

class ChooserPictureTest : public choosertest::CChooserFixture {
protected:
    ChooserPictureTest() {
        Build({"Planning", " Quotes", " Permits", "Demolition", "Plumbing", " Pipes"});
        const double today = CDateTime::Now(true).GetDayStart().GetValue();
        AddTallymark("Quotes", today - 3.5, today - 3.25);
        AddTallymark("Pipes", today - 1.5, today - 1.2);
    }
};

TEST_F(ChooserPictureTest, PeriodDialogLaysOutAroundWholeCalendars) {
    CChooseTimePeriodDlg dialog(*m_project, *State(), CTallymark::GetNullDate(),
                                CTallymark::GetNullDate());
    CUiScript script;
    std::string layout, calendars;
    const std::string picture = "choose-time-period.bmp";
    script.Do([&] { harness::Click(dialog.GetHwnd(), IDC_PERIOD_THIS_WEEK); }).Do([&] {
        HWND window = dialog.GetHwnd();
        layout = CheckLayout(window, {IDC_PERIOD_PRESETS_GROUP, IDC_PERIOD_START_GROUP,
                                      IDC_PERIOD_END_GROUP, IDC_PERIOD_START_TIME_FRAME,
                                      IDC_PERIOD_END_TIME_FRAME});
        calendars = harness::CheckCalendar(window, IDC_PERIOD_START_DATE, IDC_PERIOD_START_GROUP) +
                    harness::CheckCalendar(window, IDC_PERIOD_END_DATE, IDC_PERIOD_END_GROUP);
        harness::KeepPicture(window, picture);
        harness::Click(window, IDCANCEL);
    });
    script.Run([&] { dialog.Create(CChooseTimePeriodDlg::MakeParams(nullptr)); });
    EXPECT_EQ(layout, "");
    EXPECT_EQ(calendars, "");
    EXPECT_NE(GetFileAttributesA(picture.c_str()), INVALID_FILE_ATTRIBUTES) << picture;
}

TEST_F(ChooserPictureTest, PeriodDialogShowsBothLinesOfRunningWork) {
    ASSERT_TRUE(Projects().StartWorking(m_project, m_a["Permits"]));
    CChooseTimePeriodDlg dialog(*m_project, *State(), CTallymark::GetNullDate(),
                                CTallymark::GetNullDate());
    CUiScript script;
    std::string text, layout;
    int hidden = -1;
    script.Do([&] {
        HWND window = dialog.GetHwnd();
        text = harness::GetText(GetDlgItem(window, IDC_PERIOD_AVAILABLE));
        hidden = harness::HiddenLines(GetDlgItem(window, IDC_PERIOD_AVAILABLE));
        layout = CheckLayout(window, {IDC_PERIOD_PRESETS_GROUP, IDC_PERIOD_START_GROUP,
                                      IDC_PERIOD_END_GROUP, IDC_PERIOD_START_TIME_FRAME,
                                      IDC_PERIOD_END_TIME_FRAME});
        harness::Click(window, IDCANCEL);
    });
    script.Run([&] { dialog.Create(CChooseTimePeriodDlg::MakeParams(nullptr)); });
    EXPECT_NE(text.find('\n'), std::string::npos) << text;
    EXPECT_EQ(hidden, 0) << text;
    EXPECT_EQ(layout, "");
}

TEST_F(ChooserPictureTest, ActivitiesDialogLaysOutCleanlyAtEverySize) {
    std::set<CActivity*> chosen = {m_a["Quotes"], m_a["Pipes"]};
    CChooseActivitiesDlg dialog(*m_project, *State(), chosen, IDS_CHOOSE_ACTS_EXPORT);
    CUiScript script;
    std::string atTemplate, stretched;
    const std::string picture = "choose-activities.bmp";
    script
        .Do([&] {
            HWND window = dialog.GetHwnd();
            atTemplate = CheckLayout(window, {});
            harness::KeepPicture(window, picture);
            RECT rect = {};
            GetWindowRect(window, &rect);
            SetWindowPos(window, nullptr, 0, 0, (rect.right - rect.left) * 3 / 2,
                         (rect.bottom - rect.top) * 3 / 2, SWP_NOMOVE | SWP_NOZORDER);
        })
        .Do([&] {
            stretched = CheckLayout(dialog.GetHwnd(), {});
            harness::Click(dialog.GetHwnd(), IDCANCEL);
        });
    script.Run([&] { dialog.Create(CChooseActivitiesDlg::MakeParams(nullptr)); });
    EXPECT_EQ(atTemplate, "");
    EXPECT_EQ(stretched, "");
    EXPECT_NE(GetFileAttributesA(picture.c_str()), INVALID_FILE_ATTRIBUTES) << picture;
}

} // namespace
