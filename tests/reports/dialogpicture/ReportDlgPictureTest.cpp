// The report dialog on a real display: every control inside the window, no two controls
// of one group on each other, whole label texts, and the controls following a larger
// window by their anchors; a picture is kept for people to look at.

#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "harness/LayoutCheck.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "reports/dialog/CReportDlg.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

bool IsClass(HWND control, const char* name) {
    char className[32] = "";
    GetClassNameA(control, className, sizeof(className));
    return std::string(className) == name;
}

// What is wrong with the layout, one line per fault; empty when nothing is. Scroll bars
// are left out, and group boxes lie over anything.
std::string CheckLayout(HWND dialog) {
    std::vector<HWND> shown;
    for (HWND child : harness::VisibleChildren(dialog)) {
        if (!IsClass(child, "ScrollBar")) {
            shown.push_back(child);
        }
    }
    harness::SLayoutRules rules;
    rules.mayHold = [](HWND outer, HWND) {
        return harness::IsGroupBox(outer) && GetDlgCtrlID(outer) != IDC_REPORT_PERIOD_TEXT;
    };
    // Labels and buttons show their whole text (radio and check boxes beside a box).
    rules.alsoCheck = [&](HWND control, const RECT& rect) -> std::string {
        const bool button = IsClass(control, "Button");
        const int text = harness::TextWidth(control);
        if (text == 0 || rules.mayHold(control, nullptr) ||
            (!button && !IsClass(control, "Static"))) {
            return "";
        }
        const int width = text - 4 + (button ? 0 : 2);
        const int room = rect.right - rect.left - (button ? 16 : 0);
        return width > room ? std::to_string(GetDlgCtrlID(control)) + " cuts its text (" +
                                  std::to_string(width) + " > " + std::to_string(room) + ")\n"
                            : "";
    };
    return harness::CheckLayout(dialog, shown, rules);
}

class ReportDlgPictureTest : public harness::CDialogAppFixture {};

TEST_F(ReportDlgPictureTest, LaysOutCleanlyAndFollowsTheWindowsSize) {
    CreateDirectoryA(m_folder.File("Report templates").c_str(), nullptr);
    CreateDirectoryA(m_folder.File("Report templates\\EN").c_str(), nullptr);
    m_folder.Write("Report templates\\EN\\Plain.wkr",
                   "[Settings]\r\nCategorization=Text\\Plain list\r\nDescription=Every activity "
                   "with its time.\r\nFormat=txt\r\nFileNameType=Text files\r\n"
                   "DefaultExtension=txt\r\nContentFile=Plain.txt\r\n");
    m_folder.Write("Report templates\\EN\\Plain.txt", "[#activity_name#]");
    StartApp(true);
    m_app->GetSetReportDlg().GetTemplate() = "Plain.wkr";
    m_app->GetSetReportDlg().GetDestination() = 1;
    CProject* project = Projects().CreateNew();
    CProjectState* state = project->GetState();
    for (const char* name : {"Planning", "Building"}) {
        state->GetRootActivity()->AddChildActivity(new CActivity(state, name, true), -1);
    }

    CReportDlg dialog(project);
    std::vector<std::string> faults;
    const int moved[] = {IDC_REPORT_TEMPLATE_TREE, IDC_REPORT_DESCRIPTION, IDC_REPORT_FILE_NAME,
                         IDC_REPORT_GENERATE, IDC_REPORT_STATISTICS_PER};
    std::map<int, RECT> before, after;
    SIZE grown = {120, 90};
    harness::CUiScript script;
    script.Do([&] {
        HWND window = dialog.GetHwnd();
        SetDlgItemTextA(window, IDC_REPORT_FILE_NAME, "C:\\Reports\\Plain list.txt");
        faults.push_back(CheckLayout(window));
        EXPECT_TRUE(harness::KeepPicture(window, "report.bmp"));
        for (int id : moved) {
            before[id] = harness::RectIn(window, GetDlgItem(window, id));
        }
        RECT rect = {};
        GetWindowRect(window, &rect);
        SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left + grown.cx,
                     rect.bottom - rect.top + grown.cy, SWP_NOMOVE | SWP_NOZORDER);
        for (int id : moved) {
            after[id] = harness::RectIn(window, GetDlgItem(window, id));
        }
        faults.push_back(CheckLayout(window));
        dialog.Close();
    });
    harness::RunDialog(script, dialog, CReportDlg::MakeParams(nullptr));
    EXPECT_EQ(faults, std::vector<std::string>({"", ""}));
    // {id, width, x, height, y} change expected, in units of the growth.
    const int anchors[][5] = {{IDC_REPORT_TEMPLATE_TREE, 1, 0, 1, 0},
                              {IDC_REPORT_DESCRIPTION, 0, 1, 1, 0},
                              {IDC_REPORT_FILE_NAME, 1, 0, 0, 1},
                              {IDC_REPORT_GENERATE, 0, 1, 0, 1},
                              {IDC_REPORT_STATISTICS_PER, 0, 0, 0, 0}};
    for (const auto& anchor : anchors) {
        SCOPED_TRACE(anchor[0]);
        const RECT& old = before[anchor[0]];
        const RECT& now = after[anchor[0]];
        EXPECT_EQ((now.right - now.left) - (old.right - old.left), anchor[1] * grown.cx);
        EXPECT_EQ(now.left - old.left, anchor[2] * grown.cx);
        EXPECT_EQ((now.bottom - now.top) - (old.bottom - old.top), anchor[3] * grown.cy);
        EXPECT_EQ(now.top - old.top, anchor[4] * grown.cy);
    }
}

} // namespace
