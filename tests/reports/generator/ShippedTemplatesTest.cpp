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

// A folder of the source tree. This file's name may be relative to the folder the compiler
// ran in (compiler caches make it so), which is the test's folder or one above it.
std::string SourceFolder(const std::string& relative) {
    const std::string file = __FILE__;
    const std::string root = file.substr(0, file.find("tests/reports/generator"));
    const bool absolute =
        !file.empty() && (file[0] == '/' || file[0] == '\\' || file.find(':') != std::string::npos);
    for (const char* up : {"", "../", "../../"}) {
        const std::string candidate = (absolute ? "" : up) + root;
        if (GetFileAttributesA((candidate + "tests/reports/generator").c_str()) !=
            INVALID_FILE_ATTRIBUTES) {
            return candidate + relative;
        }
    }
    return root + relative;
}

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
    const CReportTemplateCategory* root = templates.GetRoot();
    for (const CReportTemplateCategory* node = root->GetNextInSubtree(root); node != nullptr;
         node = node->GetNextInSubtree(root)) {
        const CReportTemplate* reportTemplate = node->GetTemplate();
        if (reportTemplate == nullptr) {
            continue;
        }
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
