#include "reports/generator/CReport.h"
#include "reports/templates/CReportTemplates.h"

#include "ReportFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using namespace reporttest;

// The program's English templates in the source tree (laid out as they are installed).
std::string EnglishTemplateFolder() {
    std::string path = __FILE__;
    path = path.substr(0, path.find("tests/reports/generator"));
    return path + "resources/templates/EN";
}

std::string Lf(std::string text) {
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
        text.insert(at, 1, '\r');
    }
    return text;
}

// Each of our templates generated once over a small project, per day from 4 to 7 March
// 2024 (per hour for the hour-by-hour one), rounded to quarters; the expected reports were
// checked by hand.
TEST_F(CReportFixture, EachEnglishTemplateGivesItsReport) {
    Mark("Client, \"A\"", Local(2024, 3, 4, 9), Local(2024, 3, 4, 10, 7, 30));
    Mark("Client, \"A\"\\Design <&>", Local(2024, 3, 6, 14), Local(2024, 3, 6, 14, 50));
    Mark("Office", Local(2024, 3, 4, 16, 40), Local(2024, 3, 4, 17, 10));
    Activity("Unused");
    m_state->SetName("Plan & build");

    CReportTemplates templates;
    const CError error = templates.LoadFrom(EnglishTemplateFolder(), true);
    ASSERT_FALSE(error.IsError()) << error.GetText();
    std::map<std::string, const CReportTemplate*> byName;
    const CReportTemplateCategory* root = templates.GetRoot();
    for (const CReportTemplateCategory* node = root->GetNextInSubtree(root); node != nullptr;
         node = node->GetNextInSubtree(root)) {
        if (node->GetTemplate() != nullptr) {
            byName[node->GetTemplate()->GetCategorization()] = node->GetTemplate();
        }
    }
    const std::map<std::string, std::pair<int, std::string>> expected = {
        {"Text\\Activity totals",
         {1, Lf("Time report: Plan & build\n"
                "Period: 03/04/2024 to 03/08/2024\n"
                "Rounded to the quarter of an hour\n"
                "\n"
                "02:00:00  Client, \"A\"\n"
                "00:45:00  Client, \"A\"\\Design <&>\n"
                "00:30:00  Office\n"
                "\n"
                "02:30:00  Total\n")}},
        {"Text\\Time per period",
         {1, Lf("Time report: Plan & build\n"
                "Period: 03/04/2024 to 03/08/2024\n"
                "Time per day, rounded to the quarter of an hour\n"
                "\n"
                "03/04/2024 to 03/05/2024: 01:45:00\n"
                "    01:15:00  Client, \"A\"\n"
                "    00:30:00  Office\n"
                "\n"
                "03/06/2024 to 03/07/2024: 00:45:00\n"
                "    00:45:00  Client, \"A\"\n"
                "    00:45:00  Client, \"A\"\\Design <&>\n"
                "\n"
                "Total: 02:30:00\n")}},
        {"Text\\Hour by hour",
         {0, Lf("Hour by hour: Plan & build\n"
                "From 03/04/2024 09:00:00 to 03/06/2024 15:00:00\n"
                "\n"
                "03/04/2024 09:00:00 - 03/04/2024 10:00:00  01:00:00\n"
                "    01:00:00  Client, \"A\"\n"
                "\n"
                "03/04/2024 10:00:00 - 03/04/2024 11:00:00  00:15:00\n"
                "    00:15:00  Client, \"A\"\n"
                "\n"
                "03/04/2024 16:00:00 - 03/04/2024 17:00:00  00:15:00\n"
                "    00:15:00  Office\n"
                "\n"
                "03/04/2024 17:00:00 - 03/04/2024 18:00:00  00:15:00\n"
                "    00:15:00  Office\n"
                "\n"
                "03/06/2024 14:00:00 - 03/06/2024 15:00:00  00:45:00\n"
                "    00:45:00  Client, \"A\"\n"
                "    00:45:00  Client, \"A\"\\Design <&>\n"
                "\n"
                "Total: 02:30:00\n")}},
        {"Spreadsheet\\Activities by period (CSV)",
         {1, Lf("Activity,Path,03/04/2024,03/06/2024,Total\n"
                "\"Client, \"\"A\"\"\",\"Client, \"\"A\"\"\",01:15:00,00:45:00,02:00:00\n"
                "Design <&>,\"Client, \"\"A\"\"\\Design <&>\",00:00:00,00:45:00,00:45:00\n"
                "Office,Office,00:30:00,00:00:00,00:30:00\n"
                "Total,,01:45:00,00:45:00,02:30:00\n")}},
        {"Web page\\Activities by period (HTML)",
         {1, Lf("<!DOCTYPE html>\n"
                "<html>\n"
                "<head>\n"
                "<meta charset=\"windows-1252\">\n"
                "<title>Plan &amp; build - time report</title>\n"
                "<style>\n"
                "body { font-family: sans-serif; }\n"
                "table { border-collapse: collapse; }\n"
                "th, td { border: 1px solid #999; padding: 2px 6px; }\n"
                "td.time, th.time { text-align: right; }\n"
                "</style>\n"
                "</head>\n"
                "<body>\n"
                "<h1>Plan &amp; build</h1>\n"
                "<p>From 03/04/2024 to 03/08/2024; time per day, rounded to the quarter of an "
                "hour.</p>\n"
                "<table>\n"
                "<tr><th>Activity</th><th class=\"time\">03/04/2024</th><th "
                "class=\"time\">03/06/2024</th><th class=\"time\">Total</th></tr>\n"
                "<tr><td>Client, &quot;A&quot;</td><td class=\"time\">01:15:00</td><td "
                "class=\"time\">00:45:00</td><td class=\"time\">02:00:00</td></tr>\n"
                "<tr><td>Client, &quot;A&quot;\\Design &lt;&amp;&gt;</td><td "
                "class=\"time\">00:00:00</td><td class=\"time\">00:45:00</td><td "
                "class=\"time\">00:45:00</td></tr>\n"
                "<tr><td>Office</td><td class=\"time\">00:30:00</td><td "
                "class=\"time\">00:00:00</td><td class=\"time\">00:30:00</td></tr>\n"
                "<tr><th>Total</th><th class=\"time\">01:45:00</th><th "
                "class=\"time\">00:45:00</th><th class=\"time\">02:30:00</th></tr>\n"
                "</table>\n"
                "</body>\n"
                "</html>\n")}},
    };
    ASSERT_EQ(byName.size(), expected.size());
    for (const auto& entry : expected) {
        ASSERT_EQ(byName.count(entry.first), 1u) << entry.first;
        const CReportTemplate& reportTemplate = *byName[entry.first];
        CReport report(nullptr, m_state.get(), 0, entry.second.first, 3);
        const std::string text = report.Generate(
            Local(2024, 3, 4), Local(2024, 3, 8),
            Chosen({"Client, \"A\"", "Client, \"A\"\\Design <&>", "Office", "Unused"}),
            reportTemplate, false, false);
        EXPECT_EQ(text, entry.second.second) << entry.first;
    }
}

} // namespace
