// The manage tally marks dialog with a large project (2,000 activities, 200,000 tally marks):
// opening it until every row is listed and sorted, a click on a column header, and how long
// the list takes to follow one modified, split or removed tally mark (from the sub-dialog's
// OK, or the Delete key, until the dialog's command returns). Beside it, Wine's list
// control alone with the same number of rows, so that the control's own share shows.
//
//   bench_traces.exe [tally marks]

#include "BenchProject.h"
#include "CBenchTimer.h"

#include "app/main/CAppMain.h"
#include "app/settings/CSetTracesDlg.h"
#include "app/ui/SharedPictures.h"
#include "dialogs/CTracesDlg.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::Median;

constexpr int kRounds = 5;

struct SResults {
    double openMs = 0.0;
    std::vector<double> headerClick, modify, split, remove;
    double modifyAfterSplit = 0.0;
};

SResults g_results;
double g_openBegin = 0.0;
CTracesDlg* g_dialog = nullptr;
// The sub-dialog that a command opens: filled in and its OK pressed from its modal loop.
int g_subDialogOk = 0;
std::function<void(HWND)> g_subDialogFill;
double g_okPressed = 0.0;

struct SFindDialog {
    int controlId;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
    SFindDialog* find = reinterpret_cast<SFindDialog*>(parameter);
    if (IsWindowVisible(window) && GetDlgItem(window, find->controlId) != nullptr) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

// The visible dialog of this thread that holds the control, or null.
HWND ThreadDialogWith(int controlId) {
    SFindDialog find = {controlId, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &MatchDialog, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

void CALLBACK PressSubDialogOk(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sub = ThreadDialogWith(g_subDialogOk);
    if (sub == nullptr || !g_subDialogFill) {
        return; // not up yet
    }
    KillTimer(nullptr, timer);
    std::function<void(HWND)> fill;
    fill.swap(g_subDialogFill);
    fill(sub);
    g_okPressed = bench::Seconds();
    SendMessageA(sub, WM_COMMAND, MAKEWPARAM(g_subDialogOk, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(sub, g_subDialogOk)));
}

// Presses okId of the sub-dialog that the command opens, after fill; the time from that
// press until the command returns.
double TimeSubDialog(int command, int okId, std::function<void(HWND)> fill) {
    g_subDialogOk = okId;
    g_subDialogFill = std::move(fill);
    SetTimer(nullptr, 0, 10, &PressSubDialogOk);
    g_okPressed = 0.0;
    SendMessageA(g_dialog->GetHwnd(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(g_dialog->GetHwnd(), command)));
    return g_okPressed > 0.0 ? (bench::Seconds() - g_okPressed) * 1000.0 : -1.0;
}

void SelectOnlyRow(HWND list, int row) {
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
}

void ClickHeader(HWND list, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    RECT rect = {};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
}

// A combo box entry whose text is not the path: another activity than the tally mark's.
void ChooseOtherActivity(HWND dialog, int comboId, const std::string& path) {
    HWND combo = GetDlgItem(dialog, comboId);
    char text[512] = {};
    SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    const WPARAM index = path == text ? 1 : 0;
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void CALLBACK Measure(HWND, UINT, UINT_PTR timer, DWORD) {
    if (g_dialog == nullptr || g_dialog->GetHwnd() == nullptr ||
        !IsWindowVisible(g_dialog->GetHwnd())) {
        return;
    }
    KillTimer(nullptr, timer);
    g_results.openMs = (bench::Seconds() - g_openBegin) * 1000.0;
    HWND list = GetDlgItem(g_dialog->GetHwnd(), IDC_TRACES_LIST);
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int column : {3, 0}) {
        const double begin = bench::Seconds();
        ClickHeader(list, column);
        g_results.headerClick.push_back((bench::Seconds() - begin) * 1000.0);
    }
    auto rowPath = [&](int row) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return reinterpret_cast<CTallymark*>(item.lParam)->GetActivity()->GetPath();
    };
    // Modifying first: the rows are sorted then (after a split the next change sorts every
    // row, as a header click does).
    for (int round = 0; round < kRounds; ++round) {
        const int row = rows / 2 + round * 97;
        SelectOnlyRow(list, row);
        g_results.modify.push_back(TimeSubDialog(IDC_TRACES_MODIFY, IDC_TRACE_OK, [&](HWND sub) {
            ChooseOtherActivity(sub, IDC_TRACE_ACTIVITY, rowPath(row));
        }));
    }
    for (int round = 0; round < kRounds; ++round) {
        const int row = rows / 2 + round * 97;
        SelectOnlyRow(list, row);
        g_results.split.push_back(TimeSubDialog(IDC_TRACES_SPLIT, IDC_SPLIT_OK, [&](HWND sub) {
            ChooseOtherActivity(sub, IDC_SPLIT_SECOND_ACTIVITY, rowPath(row));
        }));
    }
    for (int round = 0; round < kRounds; ++round) {
        SelectOnlyRow(list, rows / 2 + round * 97);
        const double begin = bench::Seconds();
        SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
        g_results.remove.push_back((bench::Seconds() - begin) * 1000.0);
    }
    SelectOnlyRow(list, rows / 3);
    g_results.modifyAfterSplit = TimeSubDialog(IDC_TRACES_MODIFY, IDC_TRACE_OK, [&](HWND sub) {
        ChooseOtherActivity(sub, IDC_TRACE_ACTIVITY, rowPath(rows / 3));
    });
    g_dialog->Close();
}

int CALLBACK CompareKeys(LPARAM a, LPARAM b, LPARAM) {
    // A fixed shuffle of the rows, so that the control has real work.
    const unsigned long x = static_cast<unsigned long>(a) * 2654435761ul % 1000003ul;
    const unsigned long y = static_cast<unsigned long>(b) * 2654435761ul % 1000003ul;
    return x < y ? -1 : (y < x ? 1 : 0);
}

// Wine's list control alone: the same number of rows with four texts each.
void MeasureControlAlone(int rows) {
    HWND window = CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 780,
                                560, window, nullptr, nullptr, nullptr);
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNA descriptor = {};
        descriptor.mask = LVCF_TEXT | LVCF_WIDTH;
        descriptor.pszText = const_cast<char*>("Column");
        descriptor.cx = 120;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&descriptor));
    }
    bench::CBenchTimer timer;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    char text[] = "01-01-2020 12:00:00";
    for (int row = 0; row < rows; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = text;
        item.lParam = row + 1;
        const int at = static_cast<int>(
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (int column = 1; column < 4; ++column) {
            LVITEMA cell = {};
            cell.iSubItem = column;
            cell.pszText = text;
            SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(at),
                         reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    std::printf("control alone (%d rows):\n", rows);
    timer.Report("insert rows with 4 texts", static_cast<size_t>(rows));
    SendMessageA(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareKeys));
    timer.Report("sort (shuffled order)", 1);
    SendMessageA(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareKeys));
    timer.Report("sort (already sorted)", 1);
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = rows / 2;
    const int found = static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(&find)));
    timer.Report("find one row by item (LVFI_PARAM)", 1);
    SendMessageA(list, LVM_DELETEITEM, static_cast<WPARAM>(found), 0);
    timer.Report("delete one middle row", 1);
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    timer.Report("deselect every row (item -1)", 1);
    int selected = -1;
    selected = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(selected),
                                             MAKELPARAM(LVNI_SELECTED, 0)));
    timer.Report("look for a selected row (none)", 1);
    DestroyWindow(window);
}

} // namespace

int main(int argc, char** argv) {
    const int tallymarks = argc > 1 ? std::atoi(argv[1]) : 200000;
    INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                     ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    LoadIconsAndImageLists(GetModuleHandleA(nullptr));
    MeasureControlAlone(tallymarks);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tm-bench-traces";
    CreateDirectoryA(folder.c_str(), nullptr);
    HANDLE file = CreateFileA((folder + "\\InstallSettings.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const char settings[] = "[Settings]\r\nPortableInstall=y\r\n";
    DWORD written = 0;
    WriteFile(file, settings, sizeof(settings) - 1, &written, nullptr);
    CloseHandle(file);

    SAppOptions options;
    options.programFolder = folder;
    options.mutexName.clear();
    CAppMain app(options);
    CProject* project = app.GetProjects().CreateNew();
    bench::CRandom random;
    bench::BuildProject(*project->GetState(), random, CDateTime::Now(true), tallymarks);
    double cloneMs = 0.0, textsMs = 0.0;
    {
        g_openBegin = bench::Seconds();
        CTracesDlg dialog(project);
        cloneMs = (bench::Seconds() - g_openBegin) * 1000.0;
        // Our share of filling the list: every cell text once, as the list asks for them.
        {
            const double begin = bench::Seconds();
            IListViewCallback<CTallymark>& rows = dialog;
            size_t length = 0;
            for (const STallymarkIndexEntry& entry :
                 dialog.GetState()->GetTallymarksByDate().GetStartIndex()) {
                for (int column = 0; column < 4; ++column) {
                    length += rows.GetItemText(entry.tallymark, column).size();
                }
            }
            textsMs = (bench::Seconds() - begin) * 1000.0;
            g_openBegin += textsMs / 1000.0; // not part of the opening
            std::printf("  (%zu characters)\n", length);
        }
        g_dialog = &dialog;
        SetTimer(nullptr, 0, 10, &Measure);
        dialog.Create(CTracesDlg::MakeParams(nullptr));
        g_dialog = nullptr;
    }
    std::printf("manage tally marks, 2,000 activities, %d tally marks (wine64):\n", tallymarks);
    std::printf("  open until every row is listed and sorted: %.0f ms (of which the edit copy"
                " %.0f ms); every cell text once: %.0f ms\n",
                g_results.openMs, cloneMs, textsMs);
    std::printf("  header click (activity, then start): %.0f ms, %.0f ms\n",
                g_results.headerClick.size() > 0 ? g_results.headerClick[0] : -1.0,
                g_results.headerClick.size() > 1 ? g_results.headerClick[1] : -1.0);
    std::printf("  list update after OK, median of %d: modify %.1f ms, split %.1f ms;"
                " remove (Delete key) %.1f ms\n",
                kRounds, Median(g_results.modify), Median(g_results.split),
                Median(g_results.remove));
    std::printf("  the first modify after a split (sorts every row): %.1f ms\n",
                g_results.modifyAfterSplit);
    return 0;
}
