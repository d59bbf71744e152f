// The choose project dialog over a set of open projects: what it lists and greys, what
// OK, a double-click and Cancel hand back, and a project closed while it runs.

#include "dialogs/CChooseProjectDlg.h"
#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/EProjectFileFormat.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using harness::CUiScript;

namespace {

const int kList = IDC_CHOOSE_PROJECT_LIST;
const int kOk = IDC_CHOOSE_PROJECT_OK;

class ChooseProjectDlgTest : public harness::CDialogAppFixture {
protected:
    ChooseProjectDlgTest() { StartApp(false); }
    // A saved project with one activity, opened in mode.
    CProject* Open(const std::string& name, int mode) {
        {
            CProject project;
            project.GetState()->SetName(name);
            project.GetState()->GetRootActivity()->AddChildActivity(
                new CActivity(project.GetState(), "Work", true), -1);
            project.Save(false, nullptr, m_folder.File(name + ".wkp").c_str(), pffBinary);
        }
        return Projects().OpenPath(m_folder.File(name + ".wkp"), mode, true);
    }
    CProject* Run(CUiScript& script, bool currentAllowed, bool workingAllowed) {
        CChooseProjectDlg dialog(currentAllowed, workingAllowed);
        m_dialog = &dialog;
        harness::RunDialog(script, dialog, IDD_CHOOSE_PROJECT);
        m_dialog = nullptr;
        return dialog.GetChosenProject();
    }
    HWND Dlg() const { return m_dialog->GetHwnd(); }
    // Each item's text, "-" before a greyed one, ">" before the selected one.
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        HWND list = GetDlgItem(Dlg(), kList);
        const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
        for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
            char text[512] = {};
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
            const bool greyed = m_dialog->GetSelectedProject() == nullptr;
            items.push_back(std::string(i == selected ? ">" : "") + (greyed ? "-" : "") + text);
        }
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        return items;
    }
    // Selects item index as a click would, or double-clicks it.
    void Pick(int index, WORD notification = LBN_SELCHANGE) const {
        HWND list = GetDlgItem(Dlg(), kList);
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(Dlg(), WM_COMMAND, MAKEWPARAM(kList, notification),
                     reinterpret_cast<LPARAM>(list));
    }

    CChooseProjectDlg* m_dialog = nullptr;
};

TEST_F(ChooseProjectDlgTest, ListsUserProjectsByNameGreyingThoseNotAllowed) {
    CProject* delta = Open("Delta", CProjects::kOpenOnly);
    Open("Alpha", CProjects::kOpenAndSwitch);
    Open("Gamma", CProjects::kOpenForExchange);
    CProject* beta = Projects().CreateNew();
    beta->GetState()->SetName("Beta");
    Projects().StartWorking(delta, delta->GetState()->GetRootActivity()->GetFirstChild());
    const std::string folder = m_folder.Path() + "\\";
    CUiScript script;
    std::vector<std::string> items;
    bool okAtFirst = true, okOnBeta = false, openAfterDoubleClick = false;
    script
        .Do([&] {
            items = Items();
            okAtFirst = harness::IsItemEnabled(Dlg(), kOk);
            Pick(2, LBN_DBLCLK);
        })
        .Do([&] {
            openAfterDoubleClick = m_dialog->IsOpen();
            Pick(1);
            okOnBeta = harness::IsItemEnabled(Dlg(), kOk);
            harness::Click(Dlg(), kOk);
        });
    EXPECT_EQ(Run(script, false, false), beta);
    EXPECT_EQ(items, std::vector<std::string>({">-Alpha (active, " + folder + "Alpha.wkp)",
                                               "Beta (not saved yet)",
                                               "-Delta (working, " + folder + "Delta.wkp)"}));
    EXPECT_FALSE(okAtFirst);
    EXPECT_TRUE(openAfterDoubleClick);
    EXPECT_TRUE(okOnBeta);
}

// Without user projects only a greyed line shows; an OK command then warns, and Cancel
// chooses nothing.
TEST_F(ChooseProjectDlgTest, WithoutOpenProjectsOkWarnsAndCancelChoosesNothing) {
    Open("Exchange", CProjects::kOpenForExchange);
    CUiScript script;
    std::vector<std::string> items;
    bool ok = true;
    script
        .Do([&] {
            items = Items(), ok = harness::IsItemEnabled(Dlg(), kOk);
            PostMessageA(Dlg(), WM_COMMAND, MAKEWPARAM(kOk, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(Dlg(), kOk)));
        })
        .AnswerMessageBox(IDOK, "You must choose a valid project.")
        .Do([&] { harness::Click(Dlg(), IDCANCEL); });
    EXPECT_EQ(Run(script, true, true), nullptr);
    EXPECT_EQ(items, std::vector<std::string>({"-There are no open projects to choose from"}));
    EXPECT_FALSE(ok);
    EXPECT_EQ(script.GetMessageBoxes().at(0).caption, "Tallymarks - Invalid project chosen");
}

// A project closed while the dialog runs leaves the list at once: no item ever stands
// for a deleted project.
TEST_F(ChooseProjectDlgTest, AProjectClosedMeanwhileLeavesTheList) {
    Open("Alpha", CProjects::kOpenAndSwitch);
    CProject* beta = Open("Beta", CProjects::kOpenOnly);
    CProject* chosen = nullptr;
    CUiScript script;
    std::vector<std::string> items;
    script.Do([&] { Pick(1); }).Do([&] { Projects().Close(beta, true); }).Do([&] {
        items = Items(), harness::Click(Dlg(), kOk);
    });
    chosen = Run(script, true, true);
    EXPECT_EQ(chosen, Projects().GetCurrentProject());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].substr(0, 8), ">Alpha (");
}

} // namespace
