// Dialogs of the built Dutch module on a real display, run as the program runs them with
// Dutch chosen: no control on another except a group or frame around what it holds, every
// column heading whole, every line of a label shown; a picture of each is kept for people
// to look at.

#include "dialogs/CActivitiesDlg.h"
#include "dialogs/CChooseTimePeriodDlg.h"
#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/LayoutCheck.h"
#include "app/ui/ModalDialogParams.h"
#include "harness/UiControls.h"
#include "library/system/CResourceModule.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string BuiltFile(const char* name) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = self;
    return path.substr(0, path.rfind('\\')) + "\\..\\" + name;
}

// Controls in containers (group boxes, frames) may lie inside them, nowhere else on
// another control.
std::string CheckLayout(HWND dialog, const std::set<int>& containers) {
    return harness::CheckLayout(dialog, harness::ContainerRules(dialog, containers));
}

// The headings of a list's columns that its header cuts short, one line each.
std::string CutHeadings(HWND list) {
    HWND header = ListView_GetHeader(list);
    HDC dc = GetDC(header);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0)));
    // The header draws its text inside a margin of three edges on either side.
    const int margins = 6 * GetSystemMetrics(SM_CXEDGE);
    std::string cut;
    for (int i = 0; i < Header_GetItemCount(header); ++i) {
        char text[128] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        SIZE size = {};
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        if (size.cx + margins > item.cxy) {
            cut += "\"" + std::string(text) + "\" needs " + std::to_string(size.cx + margins) +
                   " pixels, has " + std::to_string(item.cxy) + "\n";
        }
    }
    SelectObject(dc, old);
    ReleaseDC(header, dc);
    return cut;
}

// The application with the built Dutch module as its resource module, the program's
// resources behind it, as the program sets it up when Dutch is chosen.
class DutchPictureTest : public harness::CDialogAppFixture {
protected:
    DutchPictureTest() {
        StartApp(false);
        m_module = LoadLibraryA(BuiltFile("Tallymarks_NL.dll").c_str());
        EXPECT_NE(m_module, nullptr);
        CResourceModule::GetCurrent().SetInstance(m_module);
        CResourceModule::GetCurrent().SetFallbackInstance(GetModuleHandleA(nullptr));
        CText::SetResourceModule(&CResourceModule::GetCurrent());
        m_project = Projects().CreateNew();
        CProjectState* state = m_project->GetState();
        CActivity* root = state->GetRootActivity();
        for (const char* name : {"Planning", "Sloopwerk", "Loodgieterswerk"}) {
            root->AddChildActivity(new CActivity(state, name, true), -1);
        }
        Projects().SetCurrent(m_project);
    }
    ~DutchPictureTest() override {
        m_app.reset();
        CText::SetResourceModule(nullptr);
        CResourceModule::GetCurrent().SetInstance(nullptr);
        CResourceModule::GetCurrent().SetFallbackInstance(nullptr);
        FreeLibrary(m_module);
    }

    HMODULE m_module = nullptr;
    CProject* m_project = nullptr;
};

TEST_F(DutchPictureTest, TheModuleIsChosen) {
    char text[16] = "";
    LoadStringA(CResourceModule::GetCurrent().GetInstance(), IDS_LANGUAGE_ABBREVIATION, text,
                sizeof text);
    EXPECT_STREQ(text, "NL");
}

TEST_F(DutchPictureTest, ChooseTimePeriodWithRunningWorkLaysOutCleanly) {
    CProjectState* state = m_project->GetState();
    CActivity* activity = state->GetRootActivity()->GetFirstChild();
    const double now = CDateTime::Now(true).GetValue();
    activity->GetTallymarks().Add(
        new CTallymark(activity, CDateTime(now - 2.0), CDateTime(now - 1.9)));
    ASSERT_TRUE(Projects().StartWorking(m_project, activity));
    CChooseTimePeriodDlg dialog(*m_project, *state, CTallymark::GetNullDate(),
                                CTallymark::GetNullDate());
    harness::CUiScript script;
    std::string layout, calendars;
    int hidden = -1;
    const std::string picture = "language-dutch-choose-time-period.bmp";
    script.Do([&] {
        HWND window = dialog.GetHwnd();
        layout = CheckLayout(window, {IDC_PERIOD_PRESETS_GROUP, IDC_PERIOD_START_GROUP,
                                      IDC_PERIOD_END_GROUP, IDC_PERIOD_START_TIME_FRAME,
                                      IDC_PERIOD_END_TIME_FRAME});
        calendars = harness::CheckCalendar(window, IDC_PERIOD_START_DATE, IDC_PERIOD_START_GROUP) +
                    harness::CheckCalendar(window, IDC_PERIOD_END_DATE, IDC_PERIOD_END_GROUP);
        hidden = harness::HiddenLines(GetDlgItem(window, IDC_PERIOD_AVAILABLE));
        harness::KeepPicture(window, picture);
        harness::Click(window, IDCANCEL);
    });
    script.Run([&] { dialog.Create(CChooseTimePeriodDlg::MakeParams(nullptr)); });
    EXPECT_EQ(layout, "");
    EXPECT_EQ(calendars, "");
    EXPECT_EQ(hidden, 0) << "lines of the available data that do not show";
    EXPECT_NE(GetFileAttributesA(picture.c_str()), INVALID_FILE_ATTRIBUTES) << picture;
}

TEST_F(DutchPictureTest, ManageActivitiesShowsWholeHeadings) {
    CActivitiesDlg dialog(m_project);
    harness::CUiScript script;
    std::string layout, headings;
    const std::string picture = "language-dutch-manage-activities.bmp";
    script.Do([&] {
        HWND window = dialog.GetHwnd();
        layout = harness::CheckLayout(window);
        headings = CutHeadings(GetDlgItem(window, IDC_ACTIVITIES_LIST));
        harness::KeepPicture(window, picture);
        dialog.Close();
    });
    script.Run([&] { dialog.Create(MakeModalDialogParams(CActivitiesDlg::kIdentity, nullptr)); });
    EXPECT_EQ(layout, "");
    EXPECT_EQ(headings, "");
    EXPECT_NE(GetFileAttributesA(picture.c_str()), INVALID_FILE_ATTRIBUTES) << picture;
}

} // namespace
