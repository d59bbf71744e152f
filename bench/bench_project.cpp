// A large project through the whole program's road: the binary file opened by the set of
// open projects, the memory the loaded project holds, a clone for an edit, the first
// statistics pass over every activity by month for 20 years, and closing. The project is
// the one of BenchProject.h (2,000 activities up to 6 deep, tally marks at random over 20
// years), at 200,000 and 400,000 tally marks (or the counts given on the command line).
// Every figure is the median of several rounds and stands beside its target; the open is
// also split into its steps (read, build, index, release) so that the next reader sees
// where the time goes. Run under wine64 from build/<name>/bench/ with the machine idle.
#include <windows.h>

#include "BenchProject.h"
#include "CBenchTimer.h"
#include "CountingAllocator.h"

#include "library/files/CDataFile.h"
#include "library/files/CDataStream.h"
#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CStatInts.h"
#include "model/CWKPTranslator.h"
#include "model/EProjectFileFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::CentralEuropeanZone;
using bench::Median;

using bench::Seconds;

constexpr int kRounds = 5;
constexpr int kMonths = 12 * bench::kYears;

double g_now = 0.0;

CDateTime PinnedNow(bool) {
    return CDateTime(g_now);
}

void CollectActivities(CActivity* root, std::vector<CActivity*>& activities) {
    for (CActivity* activity = root->GetNextInSubtree(root); activity != nullptr;
         activity = activity->GetNextInSubtree(root)) {
        activities.push_back(activity);
    }
}

// Every activity's time, with its descendants, in every month (2,000 x 240 totals).
double StatisticsPass(CProjectState& state, const CStatInts& months) {
    std::vector<CActivity*> activities;
    CollectActivities(state.GetRootActivity(), activities);
    double sum = 0.0;
    for (CActivity* activity : activities) {
        for (int month = 0; month < months.GetCount(); ++month) {
            sum += activity->GetStatGen()
                       .Generate(months.GetAt(month), EStatScope::WithDescendants)
                       .GetTotal()
                       .GetValue();
        }
    }
    return sum;
}

// The medians of one project size.
struct SFigures {
    int tallymarks = 0;
    double read = 0, build = 0, index = 0, release = 0;
    double open = 0, clone = 0, dropClone = 0, firstPass = 0, warmPass = 0, close = 0;
    double closeUsed = 0;
    double bytesPerTallymark = 0, footprintPerTallymark = 0, blocksPerTallymark = 0;
    double fileMB = 0;
    double checksum = 0;
    bool sameBytes = false;
};

bool Measure(int tallymarks, const CStatInts& months, const std::string& path, SFigures& f) {
    f.tallymarks = tallymarks;
    DeleteFileA(path.c_str());
    {
        CProject project;
        bench::CRandom random;
        project.GetState()->Reset(true);
        bench::BuildProject(*project.GetState(), random, CDateTime(g_now), tallymarks);
        project.GetState()->EnableTracking();
        if (!project.Save(false, nullptr, path.c_str(), pffBinary)) {
            std::printf("the project could not be saved to %s\n", path.c_str());
            return false;
        }
    }
    std::vector<double> read, build, index, release, open, clone, dropClone, first, warm, close,
        closeUsed;
    for (int round = 0; round < kRounds; ++round) {
        // The steps of an open, one by one.
        {
            double start = Seconds();
            CDataFile file;
            CDataStream stream;
            if (!file.Read(stream, path.c_str())) {
                std::printf("the project file could not be read\n");
                return false;
            }
            read.push_back(Seconds() - start);
            f.fileMB = stream.GetData().size() / (1024.0 * 1024.0);
            start = Seconds();
            auto state = std::make_unique<CProjectState>();
            state->Reset(true);
            CWKPTranslator translator(*state, stream);
            if (translator.Identify() != trOK || translator.Load() != trOK) {
                std::printf("the project file did not load\n");
                return false;
            }
            build.push_back(Seconds() - start);
            start = Seconds();
            state->EnableTracking();
            index.push_back(Seconds() - start);
            start = Seconds();
            state.reset();
            release.push_back(Seconds() - start);
        }
        // The whole road: open and close, then open, clone, statistics and close.
        CProjects projects;
        {
            double start = Seconds();
            CProject* project = projects.OpenPath(path, CProjects::kOpenAndSwitch, true);
            open.push_back(Seconds() - start);
            if (project == nullptr) {
                std::printf("the project did not open\n");
                return false;
            }
            start = Seconds();
            projects.Close(project, true);
            close.push_back(Seconds() - start);
        }
        const std::size_t bytesBefore = bench::g_liveBytes;
        const std::size_t footprintBefore = bench::g_liveFootprint;
        const std::size_t blocksBefore = bench::g_liveBlocks;
        double start = Seconds();
        CProject* project = projects.OpenPath(path, CProjects::kOpenAndSwitch, true);
        if (project == nullptr) {
            std::printf("the project did not open\n");
            return false;
        }
        f.bytesPerTallymark = static_cast<double>(bench::g_liveBytes - bytesBefore) / tallymarks;
        f.footprintPerTallymark =
            static_cast<double>(bench::g_liveFootprint - footprintBefore) / tallymarks;
        f.blocksPerTallymark = static_cast<double>(bench::g_liveBlocks - blocksBefore) / tallymarks;

        start = Seconds();
        std::unique_ptr<CProjectState> copy = project->GetState()->Clone();
        clone.push_back(Seconds() - start);
        start = Seconds();
        copy.reset();
        dropClone.push_back(Seconds() - start);

        start = Seconds();
        f.checksum = StatisticsPass(*project->GetState(), months);
        first.push_back(Seconds() - start);
        start = Seconds();
        StatisticsPass(*project->GetState(), months);
        warm.push_back(Seconds() - start);

        start = Seconds();
        projects.Close(project, true);
        closeUsed.push_back(Seconds() - start);
    }
    // Whether a project opened after all these and saved again holds the same bytes: an
    // activity's tally marks are written in the order of their addresses, so a heap (or
    // pool) that hands out freed memory again may change their order in the file.
    {
        CProjects projects;
        CProject* project = projects.OpenPath(path, CProjects::kOpenAndSwitch, true);
        const std::string copyPath = path + ".again.wkp";
        DeleteFileA(copyPath.c_str());
        CDataFile file;
        CDataStream original, again;
        f.sameBytes = project != nullptr &&
                      project->Save(false, nullptr, copyPath.c_str(), pffBinary) &&
                      file.Read(original, path.c_str()) && file.Close() &&
                      file.Read(again, copyPath.c_str()) && original.GetData() == again.GetData();
        file.Close();
        DeleteFileA(copyPath.c_str());
    }
    DeleteFileA(path.c_str());
    f.read = Median(read);
    f.build = Median(build);
    f.index = Median(index);
    f.release = Median(release);
    f.open = Median(open);
    f.clone = Median(clone);
    f.dropClone = Median(dropClone);
    f.firstPass = Median(first);
    f.warmPass = Median(warm);
    f.close = Median(close);
    f.closeUsed = Median(closeUsed);
    return true;
}

void Row(const char* what, double value, const char* unit, const char* target) {
    std::printf("  %-40s %9.3f %-6s %s\n", what, value, unit, target);
}

void Print(const SFigures& f) {
    std::printf("%d tally marks, %.2f MB file; median of %d rounds\n", f.tallymarks, f.fileMB,
                kRounds);
    Row("open (CProjects::OpenPath)", f.open, "s", "target < 0.3 s");
    Row("  read the file", f.read, "s", "");
    Row("  build the model (translator)", f.build, "s", "");
    Row("  index (end of loading)", f.index, "s", "");
    Row("  release (state deleted)", f.release, "s", "");
    Row("held per tally mark (requested)", f.bytesPerTallymark, "bytes", "target < 300");
    Row("held per tally mark (heap footprint)", f.footprintPerTallymark, "bytes", "");
    Row("heap blocks per tally mark", f.blocksPerTallymark, "", "");
    Row("clone of the loaded state", f.clone, "s", "target < 0.2 s");
    Row("  delete the clone", f.dropClone, "s", "");
    Row("first statistics pass (all x months)", f.firstPass, "s", "target < 0.5 s");
    Row("  second pass (cached)", f.warmPass, "s", "");
    Row("close the project (right after opening)", f.close, "s", "target < 0.2 s");
    Row("  close after clone and statistics", f.closeUsed, "s", "");
    std::printf("  saved again after opening: %s\n",
                f.sameBytes ? "the same bytes"
                            : "the tally marks of some activity in another order");
    std::printf("  (checksum %.3f)\n", f.checksum);
}

void Growth(const char* what, double small, double large) {
    const double ratio = small > 0 ? large / small : 0.0;
    std::printf("  %-40s x%5.2f %s\n", what, ratio, ratio <= 2.2 ? "" : "(target x2.2)");
}

} // namespace

int main(int argc, char** argv) {
    const CTimeZone zone = CentralEuropeanZone();
    CModelTimeZone::Set(&zone);
    CDateTime now;
    now.SetDateTime(2024, 6, 14, 10, 0, 0);
    g_now = now.GetValue();
    CDateTime::SetNowSource(&PinnedNow);

    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty()) {
        sizes = {200000, 400000};
    }
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "bench_project.wkp";

    // Every month of the 20 years, the current one last.
    CStatInts months;
    months.GenerateUpTo(sikMonth, kMonths, now.UtcToLocal(zone), EStatIntBounds::Whole, 1);

    std::vector<SFigures> figures;
    for (int size : sizes) {
        SFigures f;
        if (!Measure(size, months, path, f)) {
            return 1;
        }
        Print(f);
        figures.push_back(f);
    }
    for (std::size_t i = 1; i < figures.size(); ++i) {
        const SFigures& a = figures[i - 1];
        const SFigures& b = figures[i];
        std::printf("growth from %d to %d tally marks (target at most x2.2 per doubling)\n",
                    a.tallymarks, b.tallymarks);
        Growth("open", a.open, b.open);
        Growth("held per tally mark", a.bytesPerTallymark, b.bytesPerTallymark);
        Growth("clone", a.clone, b.clone);
        Growth("first statistics pass", a.firstPass, b.firstPass);
        Growth("close", a.close, b.close);
        Growth("close after clone and statistics", a.closeUsed, b.closeUsed);
    }
    CDateTime::SetNowSource(nullptr);
    CModelTimeZone::Set(nullptr);
    return 0;
}
