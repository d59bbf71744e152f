// The project properties dialog on a real display, for a new project: every control inside
// the window and on no other, whole texts in the content lines, at the template's size
// and widened (it never grows taller); a picture is kept for people to look at.

#include "dialogs/CPropsDlg.h"
#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "harness/LayoutCheck.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// No overlap at all, and each control's whole text (mnemonic marks measured too) fits its
// width, but for the name being typed.
std::string CheckLayout(HWND dialog) {
    harness::SLayoutRules rules;
    rules.alsoCheck = [](HWND control, const RECT& rect) -> std::string {
        return GetDlgCtrlID(control) != IDC_PROPERTIES_NAME &&
                       harness::TextWidth(control, true) - 4 > rect.right - rect.left
                   ? std::to_string(GetDlgCtrlID(control)) + " cuts its text\n"
                   : "";
    };
    return harness::CheckLayout(dialog, rules);
}

class PropertiesPictureTest : public harness::CDialogAppFixture {};

TEST_F(PropertiesPictureTest, NewProjectLaysOutCleanlyAndOnlyWidens) {
    StartApp(false);
    CProject* project = Projects().CreateNew();
    CProjectState* state = project->GetState();
    state->SetName("Kitchen renovation");
    for (const char* name : {"Planning", "Demolition", "Plumbing"}) {
        state->GetRootActivity()->AddChildActivity(new CActivity(state, name, true), -1);
    }

    CPropsDlg dialog(project);
    std::vector<std::string> faults;
    RECT before = {}, after = {}, cancelBefore = {}, cancelAfter = {}, nameBefore = {},
         nameAfter = {};
    harness::CUiScript script;
    script.Do([&] {
        HWND window = dialog.GetHwnd();
        EXPECT_EQ(harness::GetText(window), "Tallymarks - New project properties");
        faults.push_back(CheckLayout(window));
        EXPECT_TRUE(harness::KeepPicture(window, "project-properties.bmp"));
        GetWindowRect(window, &before);
        cancelBefore = harness::RectIn(window, GetDlgItem(window, IDCANCEL));
        nameBefore = harness::RectIn(window, GetDlgItem(window, IDC_PROPERTIES_NAME));
        // Asked for one and a half times each way: only the width follows.
        SetWindowPos(window, nullptr, 0, 0, (before.right - before.left) * 3 / 2,
                     (before.bottom - before.top) * 3 / 2, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(window, &after);
        cancelAfter = harness::RectIn(window, GetDlgItem(window, IDCANCEL));
        nameAfter = harness::RectIn(window, GetDlgItem(window, IDC_PROPERTIES_NAME));
        faults.push_back(CheckLayout(window));
        dialog.Close();
    });
    harness::RunDialog(script, dialog, CPropsDlg::MakeParams(nullptr));
    EXPECT_EQ(faults, std::vector<std::string>({"", ""}));
    const LONG grown = (after.right - after.left) - (before.right - before.left);
    EXPECT_EQ(grown, (before.right - before.left) / 2);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(cancelAfter.left - cancelBefore.left, grown);
    EXPECT_EQ(cancelAfter.top, cancelBefore.top);
    EXPECT_EQ((nameAfter.right - nameAfter.left) - (nameBefore.right - nameBefore.left), grown);
}

} // namespace
