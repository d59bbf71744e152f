// The manage activities dialog on a large project (2,000 activities up to 6 deep, 200,000
// tally marks): opening it (the edit copy included) until it shows its rows, moving,
// indenting and renaming one activity with the list following, sorting the whole tree,
// and removing 1,000 unused activities.
//
//   bench_activities.exe [tally marks]

#include "BenchProject.h"
#include "CBenchTimer.h"

#include "app/main/CAppMain.h"
#include "app/ui/SharedPictures.h"
#include "dialogs/ActivityTreeEdits.h"
#include "dialogs/CActivitiesDlg.h"
#include "model/CEditTransaction.h"
#include "model/CProject.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::Median;

constexpr int kRounds = 21;

struct SResults {
    double openMs = 0.0;
    std::vector<double> move, indent, rename, moveTop;
    double sortMs = 0.0;
    double removeUnusedMs = 0.0;
    int rows = 0;
};

SResults g_results;
double g_openStart = 0.0;
CActivitiesDlg* g_dialog = nullptr;

// Sends a command button's click as the button would.
void Press(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

template <class F> double TimeMs(F action) {
    const double begin = bench::Seconds();
    action();
    return (bench::Seconds() - begin) * 1000.0;
}

// Answers the question of "Remove unused" with Yes.
LRESULT CALLBACK AnswerYes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (g_dialog != nullptr && window != g_dialog->GetHwnd()) {
            PostMessageA(window, WM_COMMAND, IDYES, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK Measure(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = g_dialog->GetHwnd();
    if (dialog == nullptr || !IsWindowVisible(dialog)) {
        return;
    }
    KillTimer(nullptr, timer);
    g_results.openMs = (bench::Seconds() - g_openStart) * 1000.0;
    g_results.rows = g_dialog->GetActivityList().GetRowCount();
    CActivityTreeList& list = g_dialog->GetActivityList();
    CActivity* root = g_dialog->GetEditState()->GetRootActivity();
    // A third-level activity with siblings on both sides: its subtree moves with it.
    CActivity* activity = root->GetFirstChild()->GetFirstChild()->GetFirstChild();
    while (activity->GetNextSibling() == nullptr || activity->GetPrevSibling() == nullptr) {
        activity = activity->GetNextInSubtree(root);
    }
    list.SelectActivity(activity);
    for (int round = 0; round < kRounds; ++round) {
        g_results.move.push_back(TimeMs([&] { Press(dialog, IDC_ACTIVITIES_MOVE_DOWN); }));
        g_results.move.push_back(TimeMs([&] { Press(dialog, IDC_ACTIVITIES_MOVE_UP); }));
        g_results.indent.push_back(TimeMs([&] { Press(dialog, IDC_ACTIVITIES_INDENT); }));
        g_results.indent.push_back(TimeMs([&] { Press(dialog, IDC_ACTIVITIES_OUTDENT); }));
        const std::string name = "Renamed " + std::to_string(round);
        g_results.rename.push_back(TimeMs([&] { activity->SetName(name); }));
    }
    g_results.sortMs = TimeMs([&] { Press(dialog, IDC_ACTIVITIES_SORT); });
    CProjectState* state = g_dialog->GetEditState();
    for (int i = 0; i < 1000; ++i) {
        CActivity* parent = root->GetFirstChild();
        for (int step = 0; step < i % 5 && parent->GetFirstChild() != nullptr; ++step) {
            parent = parent->GetFirstChild();
        }
        parent->AddChildActivity(new CActivity(state, "Unused " + std::to_string(i), true), 0);
    }
    g_results.removeUnusedMs = TimeMs([&] { Press(dialog, IDC_ACTIVITIES_REMOVE_UNUSED); });
    list.SelectActivity(root->GetFirstChild());
    for (int round = 0; round < kRounds; ++round) {
        g_results.moveTop.push_back(TimeMs([&] { Press(dialog, IDC_ACTIVITIES_MOVE_DOWN); }));
        g_results.moveTop.push_back(TimeMs([&] { Press(dialog, IDC_ACTIVITIES_MOVE_UP); }));
    }
    g_dialog->Close();
}

} // namespace

int main(int argc, char** argv) {
    const int tallymarks = argc > 1 ? std::atoi(argv[1]) : 200000;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    LoadIconsAndImageLists(GetModuleHandleA(nullptr));
    SAppOptions options;
    options.mutexName.clear();
    CAppMain app(options);
    CProject* project = app.GetProjects().CreateNew();
    bench::CRandom random;
    bench::BuildProject(*project->GetState(), random, CDateTime::Now(true), tallymarks);

    const double cloneMs = TimeMs([&] { CEditTransaction(*project).Discard(); });
    std::printf("edit copy alone: %.0f ms\n", cloneMs);
    HHOOK hook = SetWindowsHookExA(WH_CBT, &AnswerYes, nullptr, GetCurrentThreadId());
    SetTimer(nullptr, 0, 1, &Measure);
    g_openStart = bench::Seconds();
    {
        CActivitiesDlg dialog(project);
        g_dialog = &dialog;
        SDialogParams params;
        params.dialogId = IDD_ACTIVITIES;
        params.sizeGrip = true;
        app.SetDialogModules(params);
        dialog.Create(params);
        g_dialog = nullptr;
    }
    UnhookWindowsHookEx(hook);
    std::printf("2,000 activities up to 6 deep, %d tally marks (wine64)\n", tallymarks);
    std::printf("open until shown (edit copy included): %.0f ms, %d rows\n", g_results.openMs,
                g_results.rows);
    std::printf("move up/down: median %.2f ms; indent/outdent: median %.2f ms; rename: median "
                "%.2f ms\n",
                Median(g_results.move), Median(g_results.indent), Median(g_results.rename));
    std::printf("move a top-level activity with its subtree: median %.2f ms\n",
                Median(g_results.moveTop));
    std::printf("sort all: %.0f ms; remove 1,000 unused (question answered): %.0f ms\n",
                g_results.sortMs, g_results.removeUnusedMs);
    return 0;
}
