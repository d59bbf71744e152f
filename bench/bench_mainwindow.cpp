// The full main window with a large project (2,000 activities, 200,000 or 400,000 tally
// marks): the start of the program with the project in the open list up to the window
// showing its totals, starting and stopping work through the window's buttons, and the
// once-a-second refresh of the totals while work runs (our code only: the list's cells are
// rewritten, the painting that follows is not timed).
//
//   bench_mainwindow.exe [tally marks]

#include "BenchProject.h"
#include "CBenchTimer.h"

#include "app/main/CAppMain.h"
#include "mainwindow/CMainDlg.h"
#include "model/CProject.h"
#include "model/CProjects.h"
#include "model/CStatsUpdatedEvent.h"
#include "model/EProjectFileFormat.h"
#include "resources/ResourceIds.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::Median;

constexpr int kRounds = 41;

struct SResults {
    double startupMs = 0.0;
    std::vector<double> start, stop, tick, fullRefresh;
};

SResults g_results;
double g_runStart = 0.0;

void CALLBACK Measure(HWND, UINT, UINT_PTR timer, DWORD) {
    CAppMain& app = CAppMain::Get();
    auto* window = dynamic_cast<CMainDlg*>(app.GetMainDlg());
    // The timer may fire in a message loop of the start-up before the window is up.
    if (window == nullptr || window->GetHwnd() == nullptr || !IsWindowVisible(window->GetHwnd()) ||
        app.GetProjects().GetCurrentProject() == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    g_results.startupMs = (bench::Seconds() - g_runStart) * 1000.0;
    HWND dialog = window->GetHwnd();
    CProject* project = app.GetProjects().GetCurrentProject();
    CProjectState* state = project->GetState(true);
    // The deepest activity of the first branch: the most cells move while it runs.
    CActivity* activity = state->GetRootActivity();
    while (activity->GetFirstChild() != nullptr) {
        activity = activity->GetFirstChild();
    }
    state->SetSelectedActivity(activity);
    for (int round = 0; round < kRounds; ++round) {
        double begin = bench::Seconds();
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_MAIN_START, BN_CLICKED), 0);
        g_results.start.push_back((bench::Seconds() - begin) * 1000.0);
        CStatsUpdatedEvent tick;
        begin = bench::Seconds();
        state->GetStatUpdateNotifier().Emit(tick);
        g_results.tick.push_back((bench::Seconds() - begin) * 1000.0);
        begin = bench::Seconds();
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_MAIN_STOP, BN_CLICKED), 0);
        g_results.stop.push_back((bench::Seconds() - begin) * 1000.0);
    }
    for (int round = 0; round < 5; ++round) {
        const double begin = bench::Seconds();
        window->ShowStatistics();
        g_results.fullRefresh.push_back((bench::Seconds() - begin) * 1000.0);
    }
    // Leave without questions: the benchmark's changes are not kept.
    app.GetProjects().CloseAll();
    window->Close();
}

void WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

int main(int argc, char** argv) {
    const int tallymarks = argc > 1 ? std::atoi(argv[1]) : 200000;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tm-bench-mainwindow";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string projectPath = folder + "\\Large.wkp";
    {
        CProject project;
        bench::CRandom random;
        project.GetState(true)->SetName("Large");
        bench::BuildProject(*project.GetState(true), random, CDateTime::Now(true), tallymarks);
        if (!project.Save(false, nullptr, projectPath.c_str(), pffBinary)) {
            std::printf("could not save %s\n", projectPath.c_str());
            return 1;
        }
    }
    WriteTextFile(folder + "\\InstallSettings.ini", "[Settings]\r\nPortableInstall=y\r\n");
    WriteTextFile(folder + "\\UserSettings.ini",
                  "[InactivityDetector]\r\nDetect=n\r\n[MainWindow]\r\nNumColumns=6\r\n"
                  "[OpenProjects]\r\nActive=0\r\nProject0Name=Large\r\nProject0FilePath=" +
                      projectPath +
                      "\r\nSize=1\r\n[Settings]\r\nShowTips=n\r\n[View]\r\nType=1\r\n");

    const double loadBegin = bench::Seconds();
    {
        CProject probe;
        probe.Load(CFilePath(projectPath));
    }
    const double loadMs = (bench::Seconds() - loadBegin) * 1000.0;

    SAppOptions options;
    options.programFolder = folder;
    options.mutexName.clear();
    {
        CAppMain app(options);
        app.SetMainWindowFactory([](EDisplayMode&) -> std::unique_ptr<IMainWindow> {
            return std::make_unique<CMainDlg>();
        });
        // The first tick comes once the window is up and has shown its totals.
        SetTimer(nullptr, 0, 10, &Measure);
        g_runStart = bench::Seconds();
        app.Run(std::string());
    }
    std::printf("2,000 activities, %d tally marks, 7 columns by day (wine64)\n", tallymarks);
    std::printf("start to totals shown: %.0f ms (of which loading the file alone: %.0f ms)\n",
                g_results.startupMs, loadMs);
    std::printf("start work: median %.3f ms, stop work: median %.3f ms\n", Median(g_results.start),
                Median(g_results.stop));
    std::printf("refresh tick while working: median %.3f ms; whole list refresh: %.1f ms\n",
                Median(g_results.tick), Median(g_results.fullRefresh));
    return 0;
}
