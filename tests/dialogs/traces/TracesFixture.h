#pragma once

// The application object on a folder of its own with one open project and labelled tally
// marks; runs the manage dialog and reads and drives its list.

#include "app/main/CAppMain.h"
#include "app/ui/SharedPictures.h"
#include "dialogs/CTracesDlg.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "library/system/CScratchFolder.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tracestest {

using harness::CUiScript;

// A day in 2023 (UTC) and an hour.
const double kDay = 45000.0;
const double kHour = 1.0 / 24.0;

class CTracesFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES |
                                                               ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        LoadIconsAndImageLists(GetModuleHandleA(nullptr));
    }
    CTracesFixture() {
        m_folder.Write("InstallSettings.ini", "[Settings]\r\nPortableInstall=y\r\n");
        SAppOptions options;
        options.programFolder = m_folder.Path();
        options.mutexName.clear();
        m_app = std::make_unique<CAppMain>(options);
        m_project = m_app->GetProjects().CreateNew();
    }
    ~CTracesFixture() override {
        m_dialog.reset();
        m_app.reset();
    }
    CProjectState* State() const { return m_project->GetState(); }

    // One line per activity, indented by one blank a level; "-" marks a disabled one.
    void Build(std::initializer_list<const char*> lines) {
        std::vector<CActivity*> parents = {State()->GetRootActivity()};
        for (const std::string line : lines) {
            const size_t depth = line.find_first_not_of(' ');
            const bool enabled = line[depth] != '-';
            const std::string name = line.substr(enabled ? depth : depth + 1);
            parents.resize(depth + 1);
            parents.push_back(m_a[name] = new CActivity(State(), name, enabled));
            parents[depth]->AddChildActivity(parents.back(), -1);
        }
    }
    // A tally mark from start to end hours after kDay (open without end).
    CTallymark* Add(const std::string& label, const std::string& activity, double start,
                    double end = -1.0) {
        CActivity* target = m_a.at(activity);
        const CDateTime from(kDay + start * kHour);
        CTallymark* tallymark = end < 0.0
                                    ? new CTallymark(target, from)
                                    : new CTallymark(target, from, CDateTime(kDay + end * kHour));
        target->GetTallymarks().Add(tallymark);
        m_labels[Key(tallymark)] = label;
        return tallymark;
    }
    // Its dates, by which a tally mark's copies in the edit copy are known.
    static std::pair<double, double> Key(const CTallymark* tallymark) {
        return {tallymark->GetStart().GetValue(), tallymark->GetEnd(false).GetValue()};
    }

    // Runs a new manage dialog (the former one and its transaction end first).
    int Run(CUiScript& script) {
        m_dialog.reset();
        m_dialog = std::make_unique<CTracesDlg>(m_project);
        int exitCode = -1;
        script.Run([&] { exitCode = m_dialog->Create(CTracesDlg::MakeParams(nullptr)); });
        return exitCode;
    }
    HWND Hwnd() const { return m_dialog->GetHwnd(); }
    HWND List() const { return GetDlgItem(Hwnd(), IDC_TRACES_LIST); }
    LRESULT ToList(UINT message, WPARAM wParam, const void* lParam = nullptr) const {
        return SendMessageA(List(), message, wParam, reinterpret_cast<LPARAM>(lParam));
    }
    // The labels of the rows in the state (all rows for 0), each with a blank; "?" for none.
    std::string Shown(UINT state = 0) const {
        std::string labels;
        for (int row = 0; row < static_cast<int>(ToList(LVM_GETITEMCOUNT, 0)); ++row) {
            LVITEMA item = {};
            item.mask = LVIF_PARAM | LVIF_STATE;
            item.stateMask = state;
            item.iItem = row;
            ToList(LVM_GETITEMA, 0, &item);
            if (state == 0 || (item.state & state) != 0) {
                const auto label = m_labels.find(Key(reinterpret_cast<CTallymark*>(item.lParam)));
                labels += (label != m_labels.end() ? label->second : std::string("?")) + " ";
            }
        }
        return labels;
    }
    int FocusedRow() const {
        return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                             MAKELPARAM(LVNI_FOCUSED, 0)));
    }
    // Selects the rows (every row for {-1}) and focuses focusRow (none for -1), as clicks would.
    void Choose(std::initializer_list<int> rows, int focusRow) const {
        LVITEMA state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        ToList(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), &state);
        state.state = state.stateMask = LVIS_SELECTED;
        for (int row : rows) {
            ToList(LVM_SETITEMSTATE, static_cast<WPARAM>(row), &state);
        }
        state.state = state.stateMask = LVIS_FOCUSED;
        if (focusRow >= 0) {
            ToList(LVM_SETITEMSTATE, static_cast<WPARAM>(focusRow), &state);
        }
    }
    void ClickHeader(int column) const {
        HWND header = reinterpret_cast<HWND>(ToList(LVM_GETHEADER, 0));
        RECT rect = {};
        SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(header, WM_LBUTTONUP, 0, at);
    }
    // Clicks the button once it is enabled (none for 0), then fills in the dialog that
    // shows (the one holding okId) and presses its OK.
    static void Through(CUiScript& script, std::function<HWND()> owner, int button, int okId,
                        std::function<void(HWND)> fill) {
        auto sub = [okId] {
            HWND active = harness::ActiveWindow();
            return active != nullptr && GetDlgItem(active, okId) != nullptr ? active : nullptr;
        };
        if (button != 0) {
            script.WaitFor([=] { return harness::IsItemEnabled(owner(), button); }).Do([=] {
                harness::Click(owner(), button);
            });
        }
        script.WaitFor([=] { return sub() != nullptr; })
            .Do([=] {
                fill(sub());
                harness::Click(sub(), okId);
            })
            .WaitFor([=] { return sub() == nullptr; });
    }
    void Through(CUiScript& script, int button, int okId, std::function<void(HWND)> fill) const {
        Through(
            script, [this] { return Hwnd(); }, button, okId, std::move(fill));
    }

    CScratchFolder m_folder;
    std::unique_ptr<CAppMain> m_app;
    CProject* m_project = nullptr;
    std::unique_ptr<CTracesDlg> m_dialog;
    std::map<std::string, CActivity*> m_a;
    std::map<std::pair<double, double>, std::string> m_labels;
};

} // namespace tracestest
