// Reports of the large project (2,000 activities, 200,000 tally marks over 20 years): for
// three of the program's templates, per month and per day, how long the numbers take,
// how long the whole text takes (which runs the numbers again, so its excess is the
// template's expansion) and how long writing the text to a file takes.
// Then the expansion of templates made of many sections, per month: 1,000, 4,000 and
// 16,000 sections (the growth per quadrupling, which linear expansion keeps near 4), and
// templates of 32 MB, which must end (made, or refused at the largest report size) within
// 10 seconds.
//
//   bench_reports.exe [template folder]     (default: "Report templates\EN" beside it)

#include "BenchProject.h"
#include "CBenchTimer.h"

#include "library/datetime/CTimeZone.h"
#include "library/text/CError.h"
#include "model/CModelTimeZone.h"
#include "reports/generator/CReport.h"
#include "reports/templates/CReportTemplate.h"

#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

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

// A template of sections: unit repeated count times, written with its index file into
// folder and read back as the program reads templates.
bool MakeTemplate(const std::string& folder, const std::string& unit, size_t count,
                  CReportTemplate& reportTemplate) {
    std::string content;
    content.reserve(unit.size() * count);
    for (size_t i = 0; i < count; ++i) {
        content += unit;
    }
    const std::string index = "[Settings]\r\nCategorization=Bench\r\nDescription=Bench\r\n"
                              "Format=txt\r\nFileNameType=Text\r\nDefaultExtension=txt\r\n"
                              "ContentFile=bench.txt\r\n";
    return WriteText((folder + "\\bench.txt").c_str(), content) &&
           WriteText((folder + "\\bench.wkr").c_str(), index) &&
           reportTemplate.Load(folder, "bench.wkr");
}

// Milliseconds that the expansion of a template's sections takes (the median of runs) and
// the size of its result; for a whole generation instead (whole), the milliseconds of
// Generate with its numbers, the report's size or the message when it was refused.
struct SExpansion {
    double ms = 0.0;
    size_t bytes = 0;
    std::string refused;
};

SExpansion Expand(CProjectState& state, const std::set<CActivity*>& chosen,
                  const CReportTemplate& reportTemplate, std::int32_t per, int runs, bool whole) {
    CDateTime start;
    CDateTime end;
    start.SetDateTime(2006, 1, 1, 0, 0, 0);
    end.SetDateTime(2026, 1, 1, 0, 0, 0);
    std::vector<double> times;
    SExpansion result;
    for (int run = 0; run < runs; ++run) {
        CReport report(nullptr, &state, kNotation, per, kRounding);
        if (!whole) {
            report.CollectStatistics(start, end, chosen);
        }
        std::string text = whole ? std::string() : reportTemplate.GetContent();
        bench::CBenchTimer timer;
        try {
            if (whole) {
                text = report.Generate(start, end, chosen, reportTemplate, false, false);
            } else {
                report.ExpandActivitySections(reportTemplate.GetFormat(), text, false, false);
                report.ExpandPeriodSections(reportTemplate.GetFormat(), text, false, false);
            }
            result.bytes = text.size();
        } catch (const CError& error) {
            result.refused = error.GetText();
        }
        times.push_back(timer.Lap());
    }
    result.ms = bench::Median(times);
    return result;
}

void BenchExpansion(CProjectState& state, const std::set<CActivity*>& chosen) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tm-bench-reports";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string periods = "[#timeperiod_startsection(used)#][#timeperiod_id#] "
                                "[#timeperiod_endsection#]\r\n";
    const std::int32_t perMonth = 3;
    const std::int32_t perYear = 4;
    double previous = 0.0;
    for (size_t sections : {1000u, 4000u, 16000u}) {
        CReportTemplate reportTemplate;
        if (!MakeTemplate(folder, periods, sections, reportTemplate)) {
            std::printf("cannot write the template in %s\n", folder.c_str());
            return;
        }
        const SExpansion result = Expand(state, chosen, reportTemplate, perMonth, 7, false);
        std::printf("%6zu period sections per month: expansion %8.1f ms, %9zu bytes", sections,
                    result.ms, result.bytes);
        if (previous > 0.0) {
            std::printf(", growth x%.2f", result.ms / previous);
        }
        std::printf("\n");
        previous = result.ms;
    }
    const size_t big = 32u * 1024u * 1024u;
    const struct {
        const char* name;
        std::string unit;
        std::int32_t per;
    } kBig[] = {
        {"period sections per year", periods, perYear},
        {"period sections per month", periods, perMonth},
        {"activity sections",
         "[#activity_startsection(used)#][#activity_id#] [#activity_endsection#]", perYear},
        {"all, used, user nested",
         "[#activity_startsection(all)#][#activity_startsection(used)#]"
         "[#activity_startsection(user)#]x[#activity_endsection#][#activity_endsection#]"
         "[#activity_endsection#]",
         perYear},
    };
    for (const auto& test : kBig) {
        CReportTemplate reportTemplate;
        if (!MakeTemplate(folder, test.unit, big / test.unit.size(), reportTemplate)) {
            std::printf("cannot write the template in %s\n", folder.c_str());
            return;
        }
        const SExpansion result = Expand(state, chosen, reportTemplate, test.per, 1, true);
        std::printf("32 MB of %-26s: generate %7.0f ms, %s\n", test.name, result.ms,
                    result.refused.empty() ? (std::to_string(result.bytes) + " bytes").c_str()
                                           : ("refused: " + result.refused.substr(0, 50)).c_str());
    }
    DeleteFileA((folder + "\\bench.txt").c_str());
    DeleteFileA((folder + "\\bench.wkr").c_str());
    RemoveDirectoryA(folder.c_str());
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
    BenchExpansion(state, chosen);
    return 0;
}
