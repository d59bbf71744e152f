// The project properties dialog on a real display, for a new project: every control inside
// the window and on no other, whole texts in the content lines, at the template's size
// and widened (it never grows taller); a picture is kept for people to look at.

#include "app/main/CAppMain.h"
#include "app/ui/SharedPictures.h"
#include "dialogs/CProjectPropertiesDlg.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "harness/WindowPicture.h"
#include "library/system/CScratchFolder.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// What is wrong with the layout, one line per fault; empty when nothing is.
std::string CheckLayout(HWND dialog) {
    std::string faults;
    RECT client = {};
    GetClientRect(dialog, &client);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        const RECT rect = ClientRectOf(dialog, child);
        const std::string name = std::to_string(GetDlgCtrlID(child));
        RECT inside = {};
        if (!IntersectRect(&inside, &rect, &client) || !EqualRect(&inside, &rect)) {
            faults += name + " outside the client area\n";
        }
        for (HWND other : shown) {
            const RECT otherRect = ClientRectOf(dialog, other);
            if (IntersectRect(&inside, &rect, &otherRect)) {
                faults += name + " overlaps " + std::to_string(GetDlgCtrlID(other)) + "\n";
            }
        }
        // A static's whole text fits its width.
        char text[128] = "";
        GetWindowTextA(child, text, sizeof(text));
        const SSize extent = CDialogWindow::GetTextSize(child, text);
        if (GetDlgCtrlID(child) != IDC_PROPERTIES_NAME && text[0] != '\0' &&
            extent.width - 8 > rect.right - rect.left) {
            faults += name + " cuts its text\n";
        }
        shown.push_back(child);
    }
    return faults;
}

TEST(PropertiesPictureTest, NewProjectLaysOutCleanlyAndOnlyWidens) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    LoadIconsAndImageLists(GetModuleHandleA(nullptr));
    CScratchFolder folder;
    SAppOptions options;
    options.programFolder = folder.Path();
    options.mutexName.clear();
    CAppMain app(options);
    CProject* project = app.GetProjects().CreateNew();
    CProjectState* state = project->GetState();
    state->SetName("Kitchen renovation");
    for (const char* name : {"Planning", "Demolition", "Plumbing"}) {
        state->GetRootActivity()->AddChildActivity(new CActivity(state, name, true), -1);
    }

    CProjectPropertiesDlg dialog(project);
    std::vector<std::string> faults;
    RECT before = {}, after = {}, cancelBefore = {}, cancelAfter = {}, nameBefore = {},
         nameAfter = {};
    harness::CUiScript script;
    script.Do([&] {
        HWND window = dialog.GetHwnd();
        EXPECT_EQ(harness::GetText(window), "Tallymarks - New project properties");
        faults.push_back(CheckLayout(window));
        char current[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, current);
        EXPECT_TRUE(
            harness::SaveWindowPicture(window, std::string(current) + "\\project-properties.bmp"));
        GetWindowRect(window, &before);
        cancelBefore = ClientRectOf(window, GetDlgItem(window, IDCANCEL));
        nameBefore = ClientRectOf(window, GetDlgItem(window, IDC_PROPERTIES_NAME));
        // Asked for one and a half times each way: only the width follows.
        SetWindowPos(window, nullptr, 0, 0, (before.right - before.left) * 3 / 2,
                     (before.bottom - before.top) * 3 / 2, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(window, &after);
        cancelAfter = ClientRectOf(window, GetDlgItem(window, IDCANCEL));
        nameAfter = ClientRectOf(window, GetDlgItem(window, IDC_PROPERTIES_NAME));
        faults.push_back(CheckLayout(window));
        dialog.Close();
    });
    SDialogParams params = CProjectPropertiesDlg::MakeParams(nullptr);
    params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
    script.Run([&] { dialog.Create(params); });
    EXPECT_EQ(faults, std::vector<std::string>({"", ""}));
    const LONG grown = (after.right - after.left) - (before.right - before.left);
    EXPECT_EQ(grown, (before.right - before.left) / 2);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(cancelAfter.left - cancelBefore.left, grown);
    EXPECT_EQ(cancelAfter.top, cancelBefore.top);
    EXPECT_EQ((nameAfter.right - nameAfter.left) - (nameBefore.right - nameBefore.left), grown);
}

} // namespace
