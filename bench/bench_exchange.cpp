// The import dialog on a large project: all tally marks of a project with 2,000 activities
// and 200,000 tally marks (a file) moved into an empty current project. Measured: opening
// the file with the preview shown (edit copies, merge, result list), a second preview (Copy
// instead of Move), and OK with the save of the file imported from.
//
//   bench_exchange.exe [tally marks]

#include "BenchProject.h"
#include "CBenchTimer.h"

#include "app/main/CAppMain.h"
#include "app/ui/SharedPictures.h"
#include "dialogs/CDataExchangeDlg.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/EProjectFileFormat.h"
#include "resources/ResourceIds.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The application object on a portable folder of its own under the temporary folder.
std::string MakeFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tm-bench-exchange";
    CreateDirectoryA(folder.c_str(), nullptr);
    HANDLE file = CreateFileA((folder + "\\InstallSettings.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const char settings[] = "[Settings]\r\nPortableInstall=y\r\n";
    DWORD written = 0;
    WriteFile(file, settings, sizeof(settings) - 1, &written, nullptr);
    CloseHandle(file);
    return folder;
}

// Agrees to the save question as soon as it shows (a thread timer runs in its loop).
void CALLBACK AgreeToSave(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowA("#32770", "Tallymarks - Save imported project");
    if (box != nullptr) {
        KillTimer(nullptr, timer);
        PostMessageA(box, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    }
}

} // namespace

int main(int argc, char** argv) {
    const int tallymarks = argc > 1 ? std::atoi(argv[1]) : 200000;
    LoadIconsAndImageLists(GetModuleHandleA(nullptr));
    SAppOptions options;
    options.programFolder = MakeFolder();
    options.mutexName.clear();
    CAppMain app(options);
    const std::string path = options.programFolder + "\\Large.wkp";
    const CDateTime now = CDateTime::Now(true);
    {
        CProject* large = app.GetProjects().CreateNew();
        bench::CRandom random;
        bench::BuildProject(*large->GetState(), random, now, tallymarks);
        large->Save(false, nullptr, path.c_str(), pffBinary);
        app.GetProjects().Close(large, true);
    }
    CProject* home = app.GetProjects().CreateNew();
    CDataExchangeDlg dialog(home, CDataExchangeDlg::kImport);
    SDialogParams params;
    params.dialogId = IDD_IMPORT;
    params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
    params.modal = false;
    if (dialog.Create(params) != 0) {
        std::printf("the dialog could not be made\n");
        return 1;
    }
    HWND window = dialog.GetHwnd();
    dialog.SetPeriod(CDateTime(now.GetValue() - 365.0 * 21).UtcToLocal(), now.UtcToLocal());
    bench::CBenchTimer timer;
    if (!dialog.OpenOtherProject(path, 0)) {
        std::printf("the project could not be opened\n");
        return 1;
    }
    const double openMs = timer.Lap();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_EXCHANGE_COPY, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_EXCHANGE_COPY)));
    const double copyMs = timer.Lap();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_EXCHANGE_MOVE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_EXCHANGE_MOVE)));
    const double moveMs = timer.Lap();
    SetTimer(nullptr, 0, 1, &AgreeToSave);
    timer.Lap();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_EXCHANGE_OK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_EXCHANGE_OK)));
    const double okMs = timer.Lap();
    CActivity* root = home->GetState()->GetRootActivity();
    std::printf("import of all tally marks, 2,000 activities, %d tally marks (wine64):\n",
                tallymarks);
    std::printf("  open the file with the preview shown: %.1f ms\n", openMs);
    std::printf("  preview again: copy %.1f ms, move %.1f ms\n", copyMs, moveMs);
    std::printf("  OK with the save of the file imported from (question answered): %.1f ms\n",
                okMs);
    std::printf("  received: %d activities\n", root->GetNumDescendants());
    return 0;
}
