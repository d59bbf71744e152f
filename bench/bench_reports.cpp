// Reports of the large project (2,000 activities, 200,000 tally marks over 20 years): for
// three of the program's templates, per month and per day, how long the numbers take,
// how long the whole text takes (which runs the numbers again, so its excess is the
// template's expansion) and how long writing the text to a file takes.
//
//   bench_reports.exe [template folder]     (default: "Report templates\EN" beside it)

#include "BenchProject.h"
#include "CBenchTimer.h"

#include "library/datetime/CTimeZone.h"
#include "model/CModelTimeZone.h"
#include "reports/generator/CReport.h"
#include "reports/templates/CReportTemplate.h"

#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

// The statistics kinds measured: their value and their name.
const struct {
    std::int32_t per;
    const char* name;
} kKinds[] = {{3, "month"}, {1, "day"}};
// Notation and rounding of the report (hours and minutes, to the quarter).
const std::int32_t kNotation = 0;
const std::int32_t kRounding = 3;

const char* const kTemplates[] = {"Activities by period (CSV).wkr", "Time per period.wkr",
                                  "Activity totals.wkr"};

// The folder of the program's English templates beside the benchmark.
std::string DefaultFolder() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder = self;
    folder = folder.substr(0, folder.rfind('\\'));
    return folder.substr(0, folder.rfind('\\')) + "\\Report templates\\EN";
}

// Writes text to the file; false when it could not be written whole.
bool WriteText(const char* path, const std::string& text) {
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : DefaultFolder();
    CTimeZone utc;
    CModelTimeZone::Set(&utc);
    CProjectState state;
    bench::CRandom random;
    CDateTime now;
    now.SetDateTime(2026, 1, 1, 0, 0, 0);
    bench::BuildProject(state, random, now);
    std::set<CActivity*> chosen;
    CActivity* root = state.GetRootActivity();
    for (CActivity* activity = root->GetNextInSubtree(root); activity != nullptr;
         activity = activity->GetNextInSubtree(root)) {
        chosen.insert(activity);
    }
    CDateTime start;
    CDateTime end;
    start.SetDateTime(2006, 1, 1, 0, 0, 0);
    end.SetDateTime(2026, 1, 1, 0, 0, 0);
    const char* const output = "bench-report.out";
    for (const char* name : kTemplates) {
        CReportTemplate reportTemplate;
        if (!reportTemplate.Load(folder, name)) {
            std::printf("no template %s in %s\n", name, folder.c_str());
            return 1;
        }
        for (const auto& kind : kKinds) {
            CReport report(nullptr, &state, kNotation, kind.per, kRounding);
            bench::CBenchTimer timer;
            report.CollectStatistics(start, end, chosen);
            const double numbers = timer.Lap();
            const std::string text =
                report.Generate(start, end, chosen, reportTemplate, false, false);
            const double generate = timer.Lap();
            const bool written = WriteText(output, text);
            const double write = timer.Lap();
            std::printf("%-32s per %-5s periods %5zu: numbers %7.0f ms, generate %7.0f ms "
                        "(expansion ~%7.0f), write %5.0f ms%s, %zu bytes\n",
                        name, kind.name, report.GetPeriods().size(), numbers, generate,
                        generate - numbers, write, written ? "" : " (failed)", text.size());
        }
    }
    DeleteFileA(output);
    return 0;
}
