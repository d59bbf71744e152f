#pragma once

// The report dialog on a project of three activities (Code, Mail, Idle) with tally marks
// in January to March 2024, "now" pinned to 13 March 2024 10:30 UTC (the tests run with
// TZ=UTC), and two templates of our own in the program folder's template folder.

#include "app/settings/CSetReportDlg.h"
#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "reports/dialog/CReportDlg.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace reportdlgtest {

inline CDateTime PinnedNow(bool utc) {
    const CDateTime now(45364.0 + 10.5 / 24.0);
    return utc ? now : now.UtcToLocal();
}

// The whole file, or "<missing>".
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Selects the tree item with the text (searched depth-first), as a click would.
inline bool SelectTemplate(HWND dialog, const std::string& text) {
    HWND tree = GetDlgItem(dialog, IDC_REPORT_TEMPLATE_TREE);
    HTREEITEM item = TreeView_GetRoot(tree);
    while (item != nullptr) {
        char buffer[256] = "";
        TVITEMA data = {};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = buffer;
        data.cchTextMax = sizeof(buffer);
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
        if (text == buffer) {
            return SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) !=
                   0;
        }
        HTREEITEM next = TreeView_GetChild(tree, item);
        while (next == nullptr && item != nullptr) {
            next = TreeView_GetNextSibling(tree, item);
            if (next == nullptr) {
                item = TreeView_GetParent(tree, item);
            }
        }
        item = next;
    }
    return false;
}

class CReportDlgFixture : public harness::CDialogAppFixture {
protected:
    CReportDlgFixture() {
        CreateDirectoryA(m_folder.File("Report templates").c_str(), nullptr);
        CreateDirectoryA(m_folder.File("Report templates\\EN").c_str(), nullptr);
        WriteTemplate("Per activity", "Lists\\Per activity", "txt", "txt",
                      "[#reportoption_statisticsper#],[#reportoption_roundingby#],"
                      "[#reportoption_dataformat#]\r\n[#activity_startsection(all)#]"
                      "[#activity_name#]=[#activity_totaltime(roundsum)#]\r\n"
                      "[#activity_endsection#]total=[#report_totaltime(roundsum)#]\n");
        WriteTemplate("Values", "Comma list", "csv", "csv",
                      "[#activity_startsection(used)#][#activity_name#],"
                      "[#activity_totaltime(roundsum)#]\r\n[#activity_endsection#]");
        StartApp(true);
        CDateTime::SetNowSource(&PinnedNow);

        m_project = m_app->GetProjects().CreateNew();
        CProjectState* state = m_project->GetState();
        m_state = state;
        CActivity* code = AddActivity("Code");
        CActivity* mail = AddActivity("Mail");
        AddActivity("Idle");
        const double hour = 1.0 / 24.0;
        // 1 February 2024 is day 45323.
        Mark(code, 45327.0 + 9 * hour, 45327.0 + 10 * hour + 7.5 / 1440);
        Mark(code, 45328.0 + 9 * hour, 45328.0 + 9 * hour + 20.0 / 1440);
        Mark(mail, 45351.0 + 23 * hour, 45352.0 + 1 * hour);
        Mark(mail, 45306.0 + 8 * hour, 45306.0 + 9 * hour);
    }
    ~CReportDlgFixture() override {
        CDateTime::SetNowSource(nullptr);
        m_app.reset();
    }

    void WriteTemplate(const std::string& name, const std::string& category,
                       const std::string& format, const std::string& extension,
                       const std::string& content) {
        const std::string folder = "Report templates\\EN\\";
        m_folder.Write(folder + name + ".wkr",
                       "[Settings]\r\nCategorization=" + category + "\r\nDescription=About " +
                           name + "\r\nFormat=" + format + "\r\nFileNameType=" + name +
                           " files\r\nDefaultExtension=" + extension + "\r\nContentFile=" + name +
                           ".content\r\n");
        m_folder.Write(folder + name + ".content", content);
    }
    CActivity* AddActivity(const std::string& name) {
        CActivity* activity = new CActivity(m_state, name, true);
        m_state->GetRootActivity()->AddChildActivity(activity, -1);
        return activity;
    }
    static void Mark(CActivity* activity, double start, double end) {
        activity->GetTallymarks().Add(new CTallymark(activity, CDateTime(start), CDateTime(end)));
    }

    // Runs the dialog modally while the script runs.
    void Run(harness::CUiScript& script, CReportDlg& dialog) {
        harness::RunDialog(script, dialog, CReportDlg::MakeParams(nullptr));
    }

    // Steps: the previous month (February 2024) as the period through the period dialog.
    static void ChooseFebruary(harness::CUiScript& script, CReportDlg& dialog) {
        script.Do([&dialog] { harness::Click(dialog.GetHwnd(), IDC_REPORT_CHOOSE_PERIOD); })
            .WaitFor([] { return harness::FindThreadWindow("Tallymarks - Choose time period"); },
                     5000, "the period dialog")
            .Do([] {
                HWND chooser = harness::FindThreadWindow("Tallymarks - Choose time period");
                harness::Click(chooser, IDC_PERIOD_PREV_MONTH);
            })
            .Do([] {
                harness::Click(harness::FindThreadWindow("Tallymarks - Choose time period"),
                               IDC_PERIOD_OK);
            })
            .WaitFor([] { return !harness::FindThreadWindow("Tallymarks - Choose time period"); },
                     5000, "the period dialog's end");
    }

    // Steps: the file destination with the name.
    static void ToFile(harness::CUiScript& script, CReportDlg& dialog, const std::string& name) {
        script.Do([&dialog] { harness::Click(dialog.GetHwnd(), IDC_REPORT_TO_FILE); })
            .Do([&dialog, name] {
                harness::SetItemText(dialog.GetHwnd(), IDC_REPORT_FILE_NAME, name);
            });
    }

    CProject* m_project = nullptr;
    CProjectState* m_state = nullptr;
};

} // namespace reportdlgtest
