#include "reports/generator/CReport.h"
#include "reports/templates/CReportTemplates.h"

#include "ReportFixture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace reporttest;

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return file ? bytes.str() : "<missing " + path + ">";
}

// Each of the program's English templates generated once over a small project, per day
// from 4 to 7 March 2024 (per hour for the hour-by-hour one), rounded to quarters, against
// the report in expected/ named after its index file, checked by hand.
TEST_F(CReportFixture, EachEnglishTemplateGivesItsReport) {
    Mark("Client, \"A\"", Local(2024, 3, 4, 9), Local(2024, 3, 4, 10, 7, 30));
    Mark("Client, \"A\"\\Design <&>", Local(2024, 3, 6, 14), Local(2024, 3, 6, 14, 50));
    Mark("Office", Local(2024, 3, 4, 16, 40), Local(2024, 3, 4, 17, 10));
    Activity("Unused");
    m_state->SetName("Plan & build");
    const auto chosen = Chosen({"Client, \"A\"", "Client, \"A\"\\Design <&>", "Office", "Unused"});

    CReportTemplates templates;
    const CError error = templates.LoadFrom(SourceFolder("resources/templates/EN"), true);
    ASSERT_FALSE(error.IsError()) << error.GetText();
    int count = 0;
    for (const CReportTemplate* reportTemplate : AllTemplates(templates)) {
        ++count;
        const std::string name = reportTemplate->GetFileName();
        CReport report(nullptr, m_state.get(), 0, name == "Hour by hour.wkr" ? 0 : 1, 3);
        EXPECT_EQ(report.Generate(Local(2024, 3, 4), Local(2024, 3, 8), chosen, *reportTemplate,
                                  false, false),
                  ReadBytes(SourceFolder("tests/reports/generator/expected/") +
                            name.substr(0, name.size() - 4) + ".report"))
            << name;
    }
    EXPECT_EQ(count, 5);
}

} // namespace
