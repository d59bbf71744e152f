// Times the XML project file on a large project: 2,000 activities (every tenth a top-level
// one, the others below it) with 100 tally marks each, 200,000 in all, one of them running.
// "save" builds the document from the state and renders it into the stream; "open" parses
// the stream and reads it into a new state (as a project opens a file: tracking off while
// reading). Run under wine64 from build/x86_64/bench/; targets: open < 2 s, save < 1 s.
#include "library/datetime/CDateTime.h"
#include "library/files/CDataStream.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/CXMLTranslator.h"

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
    return ok ? 0 : 1;
}
