#include "UserSettings.h"

#include "../../library/system/CScratchFolder.h"
#include "library/settings/CSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every key of the user file with its default, as written: sections and keys in the byte
// order of their lower-cased names, flags as y/n.
const std::string DefaultsText =
    "[Application]|FirstDayOfWeek=0|HotKey=0|MinimizeToNotArea=n|StdWorkHoursEndH=17|"
    "StdWorkHoursEndM=0|StdWorkHoursEndS=0|StdWorkHoursStartH=9|StdWorkHoursStartM=0|"
    "StdWorkHoursStartS=0||[InactivityDetector]|Detect=y|NumMinutes=30||"
    "[PowerStateTracker]|Detect=n||[ReportDlg]|DataFormat=0|Destination=0|RoundTo=0|"
    "StatisticsPer=1|Template=|UseEmptyActivity=n|UseEmptyPeriod=n||[Settings]|Language=EN|"
    "ShowTips=y|TipIndex=0||[TimeDisplay]|EmptyMode=1|ShowCumulativeTime=y||[View]|Mode=0|"
    "TopMost=n|Type=1";

// A value other than the default for every key, in the written form.
const std::string StoredText =
    "[Application]|FirstDayOfWeek=3|HotKey=1604|MinimizeToNotArea=y|StdWorkHoursEndH=16|"
    "StdWorkHoursEndM=45|StdWorkHoursEndS=30|StdWorkHoursStartH=8|StdWorkHoursStartM=15|"
    "StdWorkHoursStartS=5||[InactivityDetector]|Detect=n|NumMinutes=999||"
    "[PowerStateTracker]|Detect=y||[ReportDlg]|DataFormat=2|Destination=1|RoundTo=5|"
    "StatisticsPer=0|Template=weekly.ini|UseEmptyActivity=y|UseEmptyPeriod=y||[Settings]|"
    "Language=NL|ShowTips=n|TipIndex=4294967295||[TimeDisplay]|EmptyMode=2|"
    "ShowCumulativeTime=n||[View]|Mode=1|TopMost=y|Type=5";

// Every key damaged: out of range, not a number, not a flag, or empty; names in other
// letter cases.
const std::string DamagedText =
    "[application]|firstdayofweek=7|HotKey=65535|MinimizeToNotArea=maybe|StdWorkHoursEndH=24|"
    "StdWorkHoursEndM=60|StdWorkHoursEndS=-1|StdWorkHoursStartH=9x|StdWorkHoursStartM=|"
    "StdWorkHoursStartS=99|[InactivityDetector]|Detect=2|NumMinutes=abc|[PowerStateTracker]|"
    "Detect=?|[ReportDlg]|DataFormat=3|Destination=2|RoundTo=6|StatisticsPer=-1|Template=|"
    "UseEmptyActivity=x|UseEmptyPeriod=|[Settings]|Language=|ShowTips=-|TipIndex=4294967296|"
    "[TimeDisplay]|EmptyMode=3|ShowCumulativeTime=?|[VIEW]|Mode=2|TopMost=maybe|Type=6";

std::string TimeOfDay(const CDateTime& time) {
    return time.Format("%H:%M:%S");
}

TEST(SettingsObjectsTest, DefaultsStoredAndDamagedValues) {
    SUserSettings constructed;
    EXPECT_EQ(constructed.Save(), Ini(DefaultsText)) << "constructors set the defaults";

    SUserSettings settings;
    settings.Load(StoredText);
    // Each value reaches its own getter (a round trip alone would not show two swapped keys).
    EXPECT_EQ(settings.dateTime.GetFirstDayOfWeek(), 3);
    EXPECT_EQ(TimeOfDay(settings.dateTime.GetWorkStart()), "08:15:05");
    EXPECT_EQ(TimeOfDay(settings.dateTime.GetWorkEnd()), "16:45:30");
    EXPECT_EQ(settings.hotKey.GetHotKey(), 0x0644);
    EXPECT_EQ(settings.report.GetDataFormat(), 2u);
    EXPECT_EQ(settings.report.GetDestination(), 1u);
    EXPECT_EQ(settings.report.GetRoundTo(), 5u);
    EXPECT_EQ(settings.report.GetStatisticsPer(), 0u);
    EXPECT_EQ(settings.tips.GetTipIndex(), 0xFFFFFFFFu);
    EXPECT_EQ(settings.timeDisplay.GetEmptyMode(), 2u);
    EXPECT_EQ(settings.view.GetMode(), 1u);
    EXPECT_EQ(settings.view.GetType(), 5u);
    EXPECT_EQ(settings.Save(), Ini(StoredText));

    settings.Load(DamagedText);
    EXPECT_EQ(settings.Save(), Ini(DefaultsText));
    settings.Load(StoredText);
    settings.Load("");
    EXPECT_EQ(settings.Save(), Ini(DefaultsText)) << "a load keeps nothing of the last one";
    EXPECT_EQ(TimeOfDay(settings.dateTime.GetWorkStart()), "09:00:00");
}

// Texts no setting can hold are written back as the defaults: a language key of 100 KB or
// with characters no abbreviation has, a template name longer than any path.
TEST(SettingsObjectsTest, JunkTextsAreSavedAsTheirDefaults) {
    const struct {
        std::string stored;
        std::string expected;
    } cases[] = {
        {"[Settings]|Language=" + std::string(100 * 1024, 'N'), "Language=EN"},
        {"[Settings]|Language=N L", "Language=EN"},
        {"[Settings]|Language=../../x", "Language=EN"},
        {"[Settings]|Language=pt-BR", "Language=pt-BR"},
        {"[ReportDlg]|Template=" + std::string(40000, 't'), "Template=\r\n"},
        {"[ReportDlg]|Template=weekly.ini", "Template=weekly.ini"},
    };
    for (const auto& c : cases) {
        SUserSettings settings;
        settings.Load(c.stored);
        const std::string saved = settings.Save();
        EXPECT_NE(saved.find(c.expected), std::string::npos) << c.expected;
        EXPECT_LT(saved.size(), 2000u) << c.expected;
    }
}

TEST(SettingsObjectsTest, NumbersWithTheirOwnRules) {
    struct SCase {
        const char* text;
        uint32_t numMinutes; // clamped into 1..999
        uint32_t tipIndex;   // any 32-bit number, signed or not
        int firstDay;        // 0..6, else the locale's (Sunday)
    };
    const SCase cases[] = {
        {"0", 1, 0, 0},         {"6", 6, 6, 6},           {"-1", 1, 0xFFFFFFFF, 0},
        {"1000", 999, 1000, 0}, {"71583", 999, 71583, 0}, {"-2147483648", 1, 0x80000000, 0},
        {"x", 30, 0, 0},        {"-2147483649", 1, 0, 0},
    };
    for (const SCase& c : cases) {
        SUserSettings settings;
        const std::string text = c.text;
        settings.Load("[InactivityDetector]|NumMinutes=" + text + "|[Settings]|TipIndex=" + text +
                      "|[Application]|FirstDayOfWeek=" + text);
        EXPECT_EQ(settings.inactivity.GetNumMinutes(), c.numMinutes) << text;
        EXPECT_EQ(settings.tips.GetTipIndex(), c.tipIndex) << text;
        EXPECT_EQ(settings.dateTime.GetFirstDayOfWeek(), c.firstDay) << text;
    }
}

TEST(SettingsObjectsTest, LocaleGivesTheFirstDayOfTheWeek) {
    // The system counts from Monday = 0, the setting from Sunday = 0; a failed or strange
    // answer gives Monday. A stored day needs no locale.
    const int cases[][2] = {{0, 1}, {5, 6}, {6, 0}, {-1, 1}, {7, 1}};
    for (const auto& c : cases) {
        int asked = 0;
        CSetDateTime dateTime([&] { return ++asked, c[0]; });
        CINIFile ini;
        dateTime.Load(ini);
        EXPECT_EQ(dateTime.GetFirstDayOfWeek(), c[1]) << c[0];
        ini.GetSection("Application", false)->GetSetting("FirstDayOfWeek", true)->SetInt(4);
        asked = 0;
        dateTime.Load(ini);
        EXPECT_EQ(dateTime.GetFirstDayOfWeek(), 4);
        EXPECT_EQ(asked, 0);
    }
    const int system = CSetDateTime::QueryLocaleFirstDay();
    EXPECT_TRUE(system >= -1 && system <= 6) << system;
}

TEST(SettingsObjectsTest, InstallationSettingsAreReadNeverWritten) {
    CScratchFolder scratch;
    const std::string installText =
        Ini("[Settings]|DefLanguage=NL|HelpInstalled=y|PortableInstall=1|ReportsInstalled=n");
    ASSERT_TRUE(scratch.Write("InstallSettings.ini", installText));
    SUserSettings settings;
    CSettings install;
    install.Register(&settings.install);
    ASSERT_TRUE(install.Open(scratch.Path(), "InstallSettings.ini"));
    EXPECT_TRUE(settings.install.GetHelpInstalled());
    EXPECT_TRUE(settings.install.GetPortableInstall());
    EXPECT_FALSE(settings.install.GetReportsInstalled());

    settings.Load("");
    EXPECT_EQ(settings.language.GetLanguage(), "NL") << "the installation's language";
    settings.Load("[Settings]|Language=de");
    EXPECT_EQ(settings.language.GetLanguage(), "de");

    settings.install.GetDefLanguage() = "FR";
    EXPECT_TRUE(install.Save());
    EXPECT_EQ(scratch.Read("InstallSettings.ini"), installText);
    CINIFile ini;
    settings.install.Save(ini);
    EXPECT_EQ(ini.BuildText(), "");
}

} // namespace
