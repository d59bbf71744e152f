// Times the XML project file on a large project: 2,000 activities (every tenth a top-level
// one, the others below it) with 100 tally marks each, 200,000 in all, one of them running.
// "save" builds the document from the state and renders it into the stream; "open" parses
// the stream and reads it into a new state (as a project opens a file: tracking off while
// reading). Run under wine64 from build/x86_64/bench/; targets: open < 2 s, save < 1 s.
#include "library/datetime/CDateTime.h"
#include "library/files/CDataStream.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/CXMLTranslator.h"
#include "model/EProjectFileFormat.h"

#include <windows.h>

#include "CBenchTimer.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

const int kActivities = 2000;
const int kMarksPerActivity = 100;
const int kRuns = 3;

using bench::Seconds;

void FillProject(CProjectState& state) {
    state.Reset(true);
    state.SetName("Benchmark project");
    CActivity* parent = nullptr;
    CDateTime day;
    day.SetDateTime(2005, 1, 1, 8, 0, 0);
    const double minute = 1.0 / 1440.0;
    for (int a = 0; a < kActivities; ++a) {
        char name[64];
        std::snprintf(name, sizeof(name), "Activity %d caf\xE9 & more", a);
        CActivity* activity = new CActivity(&state, name, a % 7 != 0);
        CActivity* under = a % 10 == 0 ? state.GetRootActivity() : parent;
        under->AddChildActivity(activity, -1);
        if (a % 10 == 0) {
            parent = activity;
        }
        for (int m = 0; m < kMarksPerActivity; ++m) {
            const double start = day.GetValue() + (a * kMarksPerActivity + m) * 0.5 + minute * m;
            const bool running = a == kActivities - 1 && m == kMarksPerActivity - 1;
            CTallymark* mark =
                running ? new CTallymark(activity, CDateTime(start))
                        : new CTallymark(activity, CDateTime(start), CDateTime(start + 0.1));
            activity->GetTallymarks().Add(mark);
        }
    }
    state.EnableTracking();
}

// The whole road through a file: the project saves to disk (backup copy included) and the
// set of open projects opens the file (format detection included).
bool TimeFileRoad() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "bench_xmlproject.xml";
    bool ok = true;
    double bestSave = 1e9, bestOpen = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        DeleteFileA(path.c_str());
        double save = 0;
        {
            CProject project;
            FillProject(*project.GetState());
            const double start = Seconds();
            ok = ok && project.Save(false, nullptr, path.c_str(), pffXML);
            save = Seconds() - start;
            bestSave = save < bestSave ? save : bestSave;
        }
        CProjects projects;
        const double start = Seconds();
        CProject* opened = projects.OpenPath(path, CProjects::kOpenAndSwitch, true);
        const double open = Seconds() - start;
        ok = ok && opened != nullptr && opened->GetState()->IsWorking();
        bestOpen = open < bestOpen ? open : bestOpen;
        std::printf("file run %d: save %.3f s, open %.3f s\n", run + 1, save, open);
    }
    DeleteFileA(path.c_str());
    std::printf("through files: best save %.3f s (target < 1 s), best open %.3f s (target < 2 s)"
                "%s\n",
                bestSave, bestOpen, ok ? "" : "; FAILED");
    return ok;
}

} // namespace

int main() {
    std::printf("XML project: %d activities, %d tally marks\n", kActivities,
                kActivities * kMarksPerActivity);
    CProjectState source;
    FillProject(source);

    double bestSave = 1e9, bestOpen = 1e9;
    std::size_t bytes = 0;
    bool ok = true;
    for (int run = 0; run < kRuns; ++run) {
        CDataStream stream;
        double start = Seconds();
        CXMLTranslator(source, stream).Save();
        const double save = Seconds() - start;
        bytes = stream.GetData().size();

        auto target = std::make_unique<CProjectState>();
        start = Seconds();
        target->Reset(true);
        CXMLTranslator reader(*target, stream);
        ok = ok && reader.Identify() == trOK && reader.Load() == trOK;
        target->EnableTracking();
        const double open = Seconds() - start;
        ok = ok && target->IsWorking();

        start = Seconds();
        target.reset();
        const double release = Seconds() - start;
        std::printf("run %d: save %.3f s, open %.3f s (state released in %.3f s)\n", run + 1, save,
                    open, release);
        bestSave = save < bestSave ? save : bestSave;
        bestOpen = open < bestOpen ? open : bestOpen;
    }
    std::printf("file %.1f MB; best save %.3f s (target < 1 s), best open %.3f s (target < 2 s)"
                "%s\n",
                static_cast<double>(bytes) / (1024.0 * 1024.0), bestSave, bestOpen,
                ok ? "" : "; READ FAILED");
    ok = TimeFileRoad() && ok;
    return ok ? 0 : 1;
}
