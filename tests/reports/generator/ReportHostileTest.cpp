// Hostile templates: sections of one kind inside each other, many sections, and values
// repeated until the report would be too large. The report is either made in time linear
// in its size or refused with a message once it grows past the largest report size.

#include "library/text/CError.h"
#include "reports/generator/CReport.h"

#include "ReportFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace reporttest;

const std::string kAll = "[#activity_startsection(all)#]";
const std::string kUsed = "[#activity_startsection(used)#]";
const std::string kUser = "[#activity_startsection(user)#]";
const std::string kEnd = "[#activity_endsection#]";

std::string Repeat(const std::string& text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i) {
        result += text;
    }
    return result;
}

// Forty activities a0 to a39 with an hour each on 1 March 2024.
class ReportHostileTest : public CReportFixture {
protected:
    ReportHostileTest() {
        for (int i = 0; i < 40; ++i) {
            const std::string name = "a" + std::to_string(i);
            Mark(name, Local(2024, 3, 1, 9), Local(2024, 3, 1, 10));
            m_chosen.push_back(name);
        }
        m_state->SetName(std::string(100, 'p'));
    }

    std::vector<std::string> m_chosen;
};

TEST_F(ReportHostileTest, NestedAndRepeatedSectionsGrowLinearlyOrAreRefused) {
    std::string numbers;
    for (int i = 0; i < 40; ++i) {
        numbers += std::to_string(i);
    }
    const std::string tooLarge = "The report would be larger than 1 MB, so it was not made";
    struct SCase {
        const char* what;
        std::string content;
        std::string expected; // the report, or the start of the message
        bool refused;
    } const cases[] = {
        // A section ends at its first end marker; the copies' own start markers are not
        // searched again, so three of a kind inside each other do not multiply.
        {"same kind three deep", kAll + kAll + kAll + "x" + kEnd + kEnd + kEnd,
         Repeat(kAll + kAll + "x", 40) + kEnd + kEnd, false},
        {"many sections", Repeat(kAll + "[#activity_nr#]" + kEnd + "|", 3000),
         Repeat(numbers + "|", 3000), false},
        // Each filter is expanded over the whole text, so nesting across filters
        // multiplies by forty per level until the report is too large.
        {"all, used and user three deep", kAll + kUsed + kUser + "x" + kEnd + kEnd + kEnd, tooLarge,
         true},
        {"a value repeated", Repeat("[#project_name#]", 20000), tooLarge, true},
        {"sections repeated", Repeat(kAll + "[#activity_name#],[#project_name#]" + kEnd, 300),
         tooLarge, true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        CReport report(nullptr, m_state.get(), 0, 1, 0);
        report.SetMaxReportSize(1024 * 1024);
        const auto reportTemplate = Template("txt", c.content);
        try {
            const std::string text =
                report.Generate(Local(2024, 3, 1), Local(2024, 3, 2), Chosen(m_chosen),
                                *reportTemplate, false, false);
            EXPECT_FALSE(c.refused) << text.size() << " bytes";
            EXPECT_EQ(text, c.expected);
        } catch (const CError& error) {
            EXPECT_TRUE(c.refused) << error.GetText();
            EXPECT_EQ(error.GetText().compare(0, c.expected.size(), c.expected), 0)
                << error.GetText();
        }
    }
}

} // namespace
