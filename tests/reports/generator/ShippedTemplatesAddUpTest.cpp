// Every shipped template, English and Dutch, over a parent with its own time, a child and a
// sibling: a line of a parent includes its sub-activities, so the lines of the activities
// at the top of the tree add up to each period's total and to the report total, and no
// total stands below a single line that exceeds it.

#include "reports/generator/CReport.h"
#include "reports/templates/CReportTemplates.h"

#include "ReportFixture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace reporttest;

// One line of a report: the activity it names (the longest path of paths standing as a
// word in it, empty for none) and the durations it shows, in seconds.
struct SLine {
    std::string path;
    std::vector<long> durations;
    bool total = false;
};

SLine ReadLine(const std::string& text, const std::vector<std::string>& paths) {
    SLine line;
    static const std::regex word("[^,<>\" \\t\\r]+");
    for (std::sregex_iterator it(text.begin(), text.end(), word), end; it != end; ++it) {
        for (const std::string& path : paths) {
            if (it->str() == path && path.size() > line.path.size()) {
                line.path = path;
            }
        }
    }
    static const std::regex duration("\\b(\\d{2,}):(\\d{2}):(\\d{2})\\b");
    for (std::sregex_iterator it(text.begin(), text.end(), duration), end; it != end; ++it) {
        line.durations.push_back(std::stol((*it)[1]) * 3600 + std::stol((*it)[2]) * 60 +
                                 std::stol((*it)[3]));
    }
    line.total =
        text.find("Total") != std::string::npos || text.find("Totaal") != std::string::npos;
    return line;
}

bool TopLevel(const SLine& line) {
    return !line.path.empty() && line.path.find('\\') == std::string::npos;
}

// What does not add up in report, one line per fault: each period line (a line without an
// activity, directly followed by activity lines) against the top-level lines below it, and
// each total line after the activity lines against all top-level lines, column by column
// where the lines are rows of a table.
std::string Faults(const std::string& report, const std::vector<std::string>& paths) {
    std::vector<SLine> lines;
    std::istringstream input(report);
    for (std::string text; std::getline(input, text);) {
        lines.push_back(ReadLine(text, paths));
    }
    std::string faults;
    bool afterActivities = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].path.empty()) {
            afterActivities = true;
            continue;
        }
        if (lines[i].durations.empty()) {
            continue;
        }
        std::vector<long> sums;
        if (!lines[i].total) {
            sums.push_back(0);
            bool any = false;
            for (size_t j = i + 1; j < lines.size() && !lines[j].path.empty(); ++j) {
                any = true;
                sums[0] += TopLevel(lines[j]) ? lines[j].durations.back() : 0;
            }
            if (!any) {
                continue; // a heading of the report
            }
        } else if (afterActivities) {
            for (const SLine& line : lines) {
                if (!TopLevel(line) || line.durations.empty()) {
                    continue;
                }
                const bool table = line.durations.size() == lines[i].durations.size();
                sums.resize(table ? line.durations.size() : 1, 0);
                for (size_t k = 0; k < sums.size(); ++k) {
                    sums[k] += table ? line.durations[k] : line.durations.back();
                }
            }
        } else {
            continue; // a table's heading row
        }
        const std::vector<long>& shown = lines[i].durations;
        const std::vector<long> compared(shown.end() - static_cast<std::ptrdiff_t>(sums.size()),
                                         shown.end());
        for (size_t k = 0; k < sums.size(); ++k) {
            if (compared[k] != sums[k]) {
                faults += "line " + std::to_string(i + 1) + ", column " + std::to_string(k) + ": " +
                          std::to_string(compared[k]) + " s where its top-level lines add up to " +
                          std::to_string(sums[k]) + " s\n";
            }
        }
    }
    if (!afterActivities) {
        faults += "no activity lines\n";
    }
    return faults;
}

class ShippedTemplates : public CReportFixture, public testing::WithParamInterface<const char*> {};

TEST_P(ShippedTemplates, ShowFiguresThatAddUp) {
    Mark("Build", Local(2024, 3, 4, 9), Local(2024, 3, 4, 10));
    Mark("Build\\Tests", Local(2024, 3, 4, 10), Local(2024, 3, 4, 12));
    Mark("Build\\Tests", Local(2024, 3, 5, 14), Local(2024, 3, 5, 14, 20, 5));
    Mark("Office", Local(2024, 3, 5, 12), Local(2024, 3, 5, 12, 30));
    m_state->SetName("Plan");
    const std::vector<std::string> paths = {"Build", "Build\\Tests", "Office"};
    const auto chosen = Chosen(paths);

    CReportTemplates templates;
    const CError error =
        templates.LoadFrom(SourceFolder(std::string("resources/templates/") + GetParam()), true);
    ASSERT_FALSE(error.IsError()) << error.GetText();
    int count = 0;
    for (const CReportTemplate* reportTemplate : AllTemplates(templates)) {
        ++count;
        for (int statisticsPer : {0, 1, 5}) {
            CReport report(nullptr, m_state.get(), 0, statisticsPer, 0);
            const std::string text = report.Generate(Local(2024, 3, 4), Local(2024, 3, 6), chosen,
                                                     *reportTemplate, false, false);
            EXPECT_EQ(Faults(text, paths), "")
                << reportTemplate->GetFileName() << " per " << statisticsPer << ":\n"
                << text;
        }
    }
    EXPECT_EQ(count, 5);
}

INSTANTIATE_TEST_SUITE_P(EachLanguage, ShippedTemplates, testing::Values("EN", "NL"));

} // namespace
