// Work started or stopped from the tray while one of the four dialogs that edit a project
// runs (manage tally marks, manage activities after a move, project properties, import
// with a preview redone afterwards): the tray's entries of that project are grey and do
// nothing, so that after OK or Cancel the project, in memory and in its saved file, still
// works on the activity it worked on before, and on nothing else.

#include "app/tray/TrayTestHelpers.h"
#include "dialogs/CActivitiesDlg.h"
#include "dialogs/CDataExchangeDlg.h"
#include "dialogs/CPropsDlg.h"
#include "dialogs/CTracesDlg.h"
#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/CTallymarks.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using harness::CUiScript;
using traytest::DescribeMenu;
using traytest::FindEntry;

namespace {

enum class EDialog { Tallymarks, Activities, Properties, Import };

class WorkDuringEditTest : public harness::CDialogAppFixture {
protected:
    WorkDuringEditTest() { StartApp(true); }

    // "Work" (Dev, Test, Admin), saved and opened, working on Test since an hour ago and
    // saved so; "Other.wkp" beside it, with an hour on Ext yesterday to today.
    CProject* OpenWork() {
        const double now = CDateTime::Now(true).GetValue();
        CProject other;
        CProjectState* state = other.GetState();
        state->SetName("Other");
        CActivity* ext = new CActivity(state, "Ext", true);
        state->GetRootActivity()->AddChildActivity(ext, -1);
        ext->GetTallymarks().Add(
            new CTallymark(ext, CDateTime(now - 2.0 / 24), CDateTime(now - 1.0 / 24)));
        EXPECT_TRUE(other.Save(false, nullptr, m_folder.File("Other.wkp").c_str(), pffBinary));
        CProject* work = SaveAndOpen(
            [](CProjectState& work) {
                work.SetName("Work");
                for (const char* name : {"Dev", "Test", "Admin"}) {
                    work.GetRootActivity()->AddChildActivity(new CActivity(&work, name, true), -1);
                }
            },
            "Work.wkp");
        Projects().SetCurrent(work);
        CActivity* test = work->GetState()->GetRootActivity()->GetFirstChild()->GetNextSibling();
        EXPECT_TRUE(Projects().StartWorking(work, test));
        work->GetState()->GetCurrentTallymark()->SetStart(CDateTime(now - 1.0 / 24));
        EXPECT_TRUE(work->Save(false));
        return work;
    }
    // The tray's menu built now, from its separator on (the Show entry names the hotkey).
    std::vector<std::string> TrayLines() {
        CPopupMenuEntry menu(true);
        m_app->GetNotArea().BuildPopupMenu(menu);
        const std::vector<std::string> lines = DescribeMenu(menu);
        return std::vector<std::string>(lines.begin() + 2, lines.end());
    }
    // "activity open" or "activity closed" for every tally mark of state, in tree order.
    static std::vector<std::string> Records(const CProjectState* state) {
        std::vector<std::string> records;
        CActivity* root = state->GetRootActivity();
        for (CActivity* activity = root->GetNextInSubtree(root); activity != nullptr;
             activity = activity->GetNextInSubtree(root)) {
            CTallymarks& marks = activity->GetTallymarks();
            for (CTallymark* mark = marks.GetFirst(); mark != nullptr; mark = marks.GetNext()) {
                records.push_back(activity->GetPath() + (mark->IsOpen() ? " open" : " closed"));
            }
        }
        return records;
    }
};

TEST_F(WorkDuringEditTest, TheTrayNeitherStartsNorStopsWorkOfAProjectUnderEdit) {
    // Only the user's own project is offered (not the one an import opened), all grey.
    const std::vector<std::string> greyWork = {
        "----",
        "> Stop working",
        "  Work\\Test (grey) (check)",
        "> Start working",
        "  > Work (check)",
        "    Dev (grey)",
        "    Test (grey) (check)",
        "    Admin (grey)",
    };
    const struct {
        EDialog kind;
        int dialogId, okId;
        std::function<std::unique_ptr<CDialogWindow>(CProject*)> make;
    } dialogs[] = {
        {EDialog::Tallymarks, IDD_TRACES, IDC_TRACES_OK,
         [](CProject* p) { return std::make_unique<CTracesDlg>(p); }},
        {EDialog::Activities, IDD_ACTIVITIES, IDC_ACTIVITIES_OK,
         [](CProject* p) { return std::make_unique<CActivitiesDlg>(p); }},
        {EDialog::Properties, IDD_PROJECT_PROPERTIES, IDC_PROPERTIES_OK,
         [](CProject* p) { return std::make_unique<CPropsDlg>(p); }},
        {EDialog::Import, IDD_IMPORT, IDC_EXCHANGE_OK,
         [](CProject* p) {
             return std::make_unique<CDataExchangeDlg>(p, CDataExchangeDlg::kImport);
         }},
    };
    for (const auto& d : dialogs) {
        for (int run = 0; run < 4; ++run) {
            const bool stop = run < 2, ok = run % 2 == 0;
            const std::string name =
                std::to_string(static_cast<int>(d.kind)) + " " + std::to_string(run);
            CProject* work = OpenWork();
            // An entry of a menu built before the dialog opened.
            CPopupMenuEntry before(true);
            m_app->GetNotArea().BuildPopupMenu(before);
            const CPopupMenuEntry* entry =
                stop ? FindEntry(before, {"Stop working", "Work\\Test"})
                     : FindEntry(before, {"Start working", "Work", "Admin"});
            ASSERT_NE(entry, nullptr) << name;
            std::unique_ptr<CDialogWindow> dialog = d.make(work);
            CUiScript script;
            bool refused = false;
            std::vector<std::string> during;
            script.Do([&] {
                if (d.kind == EDialog::Activities) {
                    // Admin moves up over Test: the same place now holds another one.
                    harness::SelectListRow(dialog->GetHwnd(), IDC_ACTIVITIES_LIST, 2);
                } else if (d.kind == EDialog::Import) {
                    auto& exchange = static_cast<CDataExchangeDlg&>(*dialog);
                    const double now = CDateTime::Now(true).GetValue();
                    ASSERT_TRUE(exchange.OpenOtherProject(m_folder.File("Other.wkp"), 0));
                    exchange.SetPeriod(CDateTime(now - 1).UtcToLocal(),
                                       CDateTime(now + 1).UtcToLocal());
                }
            });
            if (d.kind == EDialog::Activities) {
                script.WaitFor([&] {
                    return harness::IsItemEnabled(dialog->GetHwnd(), IDC_ACTIVITIES_MOVE_UP);
                });
            }
            script.Do([&] {
                HWND window = dialog->GetHwnd();
                if (d.kind == EDialog::Activities) {
                    harness::Click(window, IDC_ACTIVITIES_MOVE_UP);
                }
                refused = !m_app->GetNotArea().OnMenuItem(entry->GetData());
                during = TrayLines();
                if (d.kind == EDialog::Import) {
                    // Another choice: the preview is made anew from the project.
                    harness::Click(window, IDC_EXCHANGE_MOVE);
                    harness::Click(window, IDC_EXCHANGE_COPY);
                }
                harness::Click(window, ok ? d.okId : IDCANCEL);
            });
            harness::RunDialog(script, *dialog, d.dialogId, true);
            dialog.reset();

            EXPECT_TRUE(refused) << name;
            EXPECT_EQ(during, greyWork) << name;
            EXPECT_EQ(work->GetStateCount(), 1u) << name;
            const std::vector<std::string> expected =
                d.kind == EDialog::Import && ok
                    ? std::vector<std::string>({"Test open", "Ext closed"})
                    : std::vector<std::string>({"Test open"});
            EXPECT_EQ(Records(work->GetState()), expected) << name;
            ASSERT_TRUE(work->Save(false)) << name;
            Projects().CloseAll();
            CProject* reopened =
                Projects().OpenPath(m_folder.File("Work.wkp"), CProjects::kOpenOnly, true);
            ASSERT_NE(reopened, nullptr) << name;
            EXPECT_EQ(Records(reopened->GetState()), expected) << name;
            Projects().CloseAll();
        }
    }
}

} // namespace
