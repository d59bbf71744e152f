#include "reports/generator/CReport.h"

#include "ReportFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace reporttest;

// The tree Work (Design, Build), Home, Idle; time on 1 and 3 March 2024 (per day reports
// over 1-4 March): Work 1:00 on the 1st, Design 0:30 on the 3rd, Home 2:00 on the 1st.
class ReportExpansionTest : public CReportFixture {
protected:
    ReportExpansionTest() {
        Mark("Work", Local(2024, 3, 1, 9), Local(2024, 3, 1, 10));
        Mark("Work\\Design", Local(2024, 3, 3, 9), Local(2024, 3, 3, 9, 30));
        Activity("Work\\Build");
        Mark("Home", Local(2024, 3, 1, 20), Local(2024, 3, 1, 22));
        Activity("Idle");
    }
    std::string Run(const std::string& format, const std::string& content,
                    bool includeEmptyActivities = false, bool includeEmptyPeriods = false,
                    const std::vector<std::string>& chosen = {"Work", "Work\\Design", "Work\\Build",
                                                              "Home", "Idle"}) {
        return Generate(format, content, chosen, Local(2024, 3, 1), Local(2024, 3, 4), 1, 0, 0,
                        includeEmptyActivities, includeEmptyPeriods);
    }
};

// Placeholders, sections, filters and nesting on small templates, checked by hand.
TEST_F(ReportExpansionTest, SectionsAndPlaceholders) {
    const std::string A = "[#activity_startsection(", T = "[#timeperiod_startsection(";
    const std::string AE = "[#activity_endsection#]", TE = "[#timeperiod_endsection#]";
    struct SCase {
        std::string content;
        bool emptyActivities;
        bool emptyPeriods;
        std::string expected;
    } const cases[] = {
        {"plain \r\n[#unknown#] [#activity_name#]\r", false, false,
         "plain \r\n[#unknown#] [#activity_name#]\r"},
        {A + "all)#][#activity_name#];" + AE, false, false, "Work;Design;Build;Home;Idle;"},
        {A + "all)#][#activity_path#];" + AE, false, false,
         "Work;Work\\Design;Work\\Build;Home;Idle;"},
        {A + "used)#][#activity_id#]/[#activity_nr#] " + AE, false, false, "0/0 1/1 3/2 "},
        {A + "user)#][#activity_nr#]" + AE, true, false, "01234"},
        {A + "used)#][#activity_name#] [#activity_totaltime(roundsum)#]|" + AE, false, false,
         "Work 01:30:00|Design 00:30:00|Home 02:00:00|"},
        {T + "all)#][#timeperiod_id#]:[#timeperiod_totaltime(roundsum)#] " + TE, false, false,
         "0:03:00:00 1:00:00:00 2:00:30:00 "},
        {T + "used)#][#timeperiod_nr#]=[#timeperiod_id#] " + TE, false, false, "0=0 1=2 "},
        {T + "user)#][#timeperiod_nr#]" + TE, false, true, "012"},
        // Nested: the enclosing activity's name inside its period section.
        {A +
             "used)#][#activity_name#]:[#activity_timeperiod_startsection(used_insection)#] "
             "[#activity_timeperiod_id#]=[#activity_timeperiod_time#][#activity_name#]"
             "[#activity_timeperiod_endsection#];" +
             AE,
         false, false,
         "Work: 0=01:00:00Work 2=00:30:00Work;Design: 2=00:30:00Design;"
         "Home: 0=02:00:00Home;"},
        {T +
             "used)#][#timeperiod_id#]:[#timeperiod_activity_startsection(used_insection)#] "
             "[#timeperiod_activity_name#] [#timeperiod_activity_time#]"
             "[#timeperiod_activity_endsection#];" +
             TE,
         false, false, "0: Work 01:00:00 Home 02:00:00;2: Work 00:30:00 Design 00:30:00;"},
        {T +
             "used)#][#timeperiod_activity_startsection(user_insection)#]"
             "[#timeperiod_activity_nr#][#timeperiod_activity_endsection#];" +
             TE,
         true, false, "01234;01234;"},
        {T +
             "all)#][#timeperiod_activity_startsection(used)#][#timeperiod_activity_name#]"
             "[#timeperiod_activity_endsection#];" +
             TE,
         false, false, "WorkDesignHome;WorkDesignHome;WorkDesignHome;"},
        // A period section inside an activity section is copied per activity first.
        {A + "used)#]<" + T + "used)#][#timeperiod_id#]" + TE + ">" + AE, false, false,
         "<02><02><02>"},
        // Nested kinds outside their kind, unknown filters and lone start markers stay.
        {"[#activity_timeperiod_startsection(used_insection)#]x"
         "[#activity_timeperiod_endsection#]" +
             A + "used_insection)#]y" + AE + A + "all)#]z",
         false, false,
         "[#activity_timeperiod_startsection(used_insection)#]x"
         "[#activity_timeperiod_endsection#]" +
             A + "used_insection)#]y" + AE + A + "all)#]z"},
        // The first end marker closes a section; two sections of a kind expand in order.
        {A + "used)#]a" + AE + "b" + AE + A + "all)#][#activity_nr#]" + AE, false, false,
         "aaab[#activity_endsection#]01234"},
        {"[#reportoption_statisticsper#]/[#reportoption_roundingby#]/"
         "[#reportoption_dataformat#]/[#report_totaltime(roundsum)#]/"
         "[#timeperiod_firststart(all)#]-[#timeperiod_lastend(all)#]/"
         "[#timeperiod_firststart(used)#]-[#timeperiod_lastend(used)#]/"
         "[#timeperiod_firststart(user)#]-[#timeperiod_lastend(user)#]",
         false, false,
         "day/second/time/03:30:00/03/01/2024-03/04/2024/03/01/2024-03/04/2024/"
         "03/01/2024-03/04/2024"},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(Run("txt", c.content, c.emptyActivities, c.emptyPeriods), c.expected)
            << c.content;
    }
}

// Used bounds are empty without time; the user bounds follow the include-empty option.
TEST_F(ReportExpansionTest, BoundsOfUsedPeriods) {
    const std::string bounds = "[#timeperiod_firststart(used)#]|[#timeperiod_lastend(used)#]|"
                               "[#timeperiod_firststart(user)#]|[#timeperiod_lastend(user)#]";
    EXPECT_EQ(Run("txt", bounds, false, false, {"Idle"}), "|||");
    EXPECT_EQ(Run("txt", bounds, false, true, {"Idle"}), "||03/01/2024|03/04/2024");
    EXPECT_EQ(Run("txt", bounds, false, false, {"Work\\Design"}),
              "03/03/2024|03/04/2024|03/03/2024|03/04/2024");
}

// Values are escaped for the format, the template's own text never.
TEST(ReportEscapeTest, ValuesAreEscapedByFormat) {
    struct SCase {
        int format;
        const char* value;
        const char* expected;
    } const cases[] = {
        {0, "plain", "plain"},
        {0, "a,b", "\"a,b\""},
        {0, "say \"hi\"", "\"say \"\"hi\"\"\""},
        {1, "a\tb", "a        b"},
        {2, "a  b & <c> \"d\"", "a &nbsp;b &amp; &lt;c&gt; &quot;d&quot;"},
        {2, "   x    ", " &nbsp; x &nbsp; &nbsp;"},
        {3, "<a href='x'>&\"", "&lt;a href=&apos;x&apos;&gt;&amp;&quot;"},
        {4, "C:\\x{1}", "C:\\\\x\\{1\\}"},
        {5, "a,\"<&>{}\\\t", "a,\"<&>{}\\\t"},
        {9, "a,\"<&>", "a,\"<&>"},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(CReport::Escape(c.format, c.value), c.expected) << c.format << " " << c.value;
    }
}

// Names that hold markers, quotes, commas, "<&>", braces and backslashes are written as
// they are, escaped once, in every format; expansion ends and the report keeps the
// template's bytes (no line-end translation, nothing added in front).
TEST_F(ReportExpansionTest, HostileNamesAreWrittenAsTheyAre) {
    const std::string loop =
        "[#activity_startsection(all)#][#activity_name#][#activity_endsection#]";
    const std::string twice = "[#activity_name#][#activity_name#]\x01";
    Mark(loop, Local(2024, 3, 1, 9), Local(2024, 3, 1, 10));
    Mark("Work\\" + twice, Local(2024, 3, 1, 9), Local(2024, 3, 1, 10));
    Mark("\"a,b\" <&> {c}", Local(2024, 3, 1, 9), Local(2024, 3, 1, 10));
    m_state->SetName("[#project_name#][#activity_startsection(all)#]");
    // In pre-order: Work\twice (below Work, made first), the loop name, the third.
    const std::vector<std::string> chosen = {loop, "Work\\" + twice, "\"a,b\" <&> {c}"};
    struct SCase {
        const char* format;
        std::string content;
        std::string expected;
    } const cases[] = {
        {"txt",
         "[#project_name#]\n[#activity_startsection(all)#][#activity_name#]\r\n"
         "[#activity_endsection#]end\r",
         "[#project_name#][#activity_startsection(all)#]\n" + twice + "\r\n" + loop +
             "\r\n\"a,b\" <&> {c}\r\nend\r"},
        {"csv", "[#activity_startsection(all)#][#activity_path#];[#activity_endsection#]",
         "Work\\" + twice + ";" + loop + ";\"\"\"a,b\"\" <&> {c}\";"},
        {"html", "&[#activity_startsection(used)#]<[#activity_name#]>[#activity_endsection#]",
         "&<" + twice + "><" + loop + "><&quot;a,b&quot; &lt;&amp;&gt; {c}>"},
        {"rtf", "{[#activity_startsection(used)#][#activity_path#]|[#activity_endsection#]}",
         "{Work\\\\" + twice + "|" + loop + "|\"a,b\" <&> \\{c\\}|}"},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(Generate(c.format, c.content, chosen, Local(2024, 3, 1), Local(2024, 3, 2)),
                  c.expected)
            << c.format;
    }
}

} // namespace
