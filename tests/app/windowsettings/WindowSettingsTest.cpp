#include "app/settings/CSetActivitiesDlg.h"
#include "app/settings/CSetChooseActivitiesDlg.h"
#include "app/settings/CSetDataExchangeDlg.h"
#include "app/settings/CSetDialogPosNSize.h"
#include "app/settings/CSetMainDlg.h"
#include "app/settings/CSetTracesDlg.h"
#include "library/events/CSlot.h"
#include "library/settings/CINIFile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

void Parse(CINIFile& ini, const std::string& text) {
    ini.ParseText(text.data(), text.size());
}

std::string Value(CINIFile& ini, const char* section, const char* key) {
    CINISetting* setting = ini.GetSection(section, true)->GetSetting(key, false);
    return setting == nullptr ? "<missing>" : setting->GetString("");
}

TEST(CSetDialogPosNSizeTest, EmptyFileGivesUnstoredSlotsAndSavesAll84Keys) {
    CSetDialogPosNSize placements;
    CINIFile empty;
    Parse(empty, "");
    placements.Load(empty);
    for (int slot = 0; slot < CSetDialogPosNSize::NumSlots; ++slot) {
        const SDialogPlacement p = placements.GetPlacement(slot);
        EXPECT_EQ(p.x, INT32_MIN);
        EXPECT_EQ(p.y, INT32_MIN);
        EXPECT_EQ(p.width, 0);
        EXPECT_EQ(p.height, 0);
    }
    placements.SetPosition(3, 10, -20);
    placements.SetPlacement(20, {1, 2, 300, 400});
    placements.SetPosition(21, 5, 5); // no such slot: ignored
    CINIFile out;
    placements.Save(out);
    const std::string text = out.BuildText();
    size_t keys = 0;
    for (size_t at = text.find('='); at != std::string::npos; at = text.find('=', at + 1)) {
        ++keys;
    }
    EXPECT_EQ(keys, 84u);
    EXPECT_EQ(Value(out, "Dialogs", "PositionYDlg3"), "-20");
    EXPECT_EQ(Value(out, "Dialogs", "SizeYDlg20"), "400");
    EXPECT_EQ(Value(out, "Dialogs", "PositionXDlg0"), "-2147483648");

    CSetDialogPosNSize reloaded;
    reloaded.Load(out);
    EXPECT_EQ(reloaded.GetPlacement(20).width, 300);
    EXPECT_EQ(reloaded.GetPlacement(3).width, 0);
}

class CColumnsLog : public CSlot<CNumColumnsChangedEvent> {
public:
    std::vector<std::pair<int, int>> changes;

protected:
    bool OnEvent(CNumColumnsChangedEvent& e) override {
        changes.emplace_back(e.oldNumber, e.newNumber);
        return true;
    }
};

TEST(CSetMainDlgTest, NumberOfColumnsIsClampedOnLoad) {
    const struct {
        const char* stored;
        int32_t expected;
    } cases[] = {{nullptr, 2}, {"0", 1}, {"5", 5}, {"4294967295", 1},
                 {"150", 99},  {"x", 2}, {"-3", 1}};
    for (const auto& c : cases) {
        std::string text = "[MainWindow]\r\nActivityWidth=150";
        if (c.stored != nullptr) {
            text += std::string("\r\nNumColumns=") + c.stored;
        }
        CINIFile ini;
        Parse(ini, text);
        CSetMainDlg main;
        main.Load(ini);
        EXPECT_EQ(main.GetNumColumns(), c.expected) << (c.stored ? c.stored : "missing");
        const std::vector<int32_t>& widths = main.GetColumnWidths();
        ASSERT_EQ(widths.size(), static_cast<size_t>(c.expected) + 1);
        EXPECT_EQ(widths[0], 150);
        EXPECT_EQ(widths[1], 77); // unset time columns take layout number 30007
    }
}

TEST(CSetMainDlgTest, ColumnsComeAndGoRightAfterTheActivityWidth) {
    CINIFile ini;
    Parse(ini, "[MainWindow]\r\nNumColumns=3\r\nActivityWidth=100\r\n"
               "ColumnWidth0=1\r\nColumnWidth1=2\r\nColumnWidth2=3");
    CSetMainDlg main;
    main.Load(ini);
    CColumnsLog log;
    log.Connect(&main);
    main.SetNumColumns(5);
    EXPECT_EQ(main.GetColumnWidths(), std::vector<int32_t>({100, 77, 77, 1, 2, 3}));
    // Only the added columns have default widths, until a width is stored over one.
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(main.IsDefaultColumnWidth(i), i == 1 || i == 2) << i;
    }
    main.GetColumnWidths()[1] = 60;
    EXPECT_FALSE(main.IsDefaultColumnWidth(1));
    main.SetNumColumns(5);
    main.SetNumColumns(2);
    EXPECT_EQ(main.GetColumnWidths(), std::vector<int32_t>({100, 2, 3}));
    main.SetNumColumns(0);
    EXPECT_EQ(main.GetNumColumns(), 1);
    EXPECT_EQ(log.changes, (std::vector<std::pair<int, int>>{{3, 5}, {5, 2}, {2, 1}}));

    CINIFile out;
    main.Save(out);
    EXPECT_EQ(Value(out, "MainWindow", "NumColumns"), "1");
    EXPECT_EQ(Value(out, "MainWindow", "ColumnWidth0"), "3");
    EXPECT_EQ(Value(out, "MainWindow", "ColumnWidth1"), "<missing>");
}

TEST(CSetMainDlgTest, PositionRoundTripsAndDamagedOnesShowNow) {
    CINIFile ini;
    Parse(ini, "[MainWindow]\r\nPosition=40000.50000000\r\nTrackNow=n");
    CSetMainDlg main;
    main.Load(ini);
    EXPECT_FALSE(main.GetTrackNow());
    EXPECT_EQ(main.GetPosition().GetValue(), 40000.5);
    CINIFile out;
    main.Save(out);
    EXPECT_EQ(Value(out, "MainWindow", "Position"), "40000.50000000");

    CINIFile damaged;
    Parse(damaged, "[MainWindow]\r\nPosition=1e300");
    main.Load(damaged);
    EXPECT_TRUE(main.GetPosition().IsValid());
}

TEST(ColumnWidthSettingsTest, UnsetWidthsTakeTheLanguagesLayoutNumbersOnce) {
    CINIFile ini;
    Parse(ini, "[ManageActivities]\r\nInUseWidth=33\r\n"
               "[Export]\r\nTraceDescWidth=9\r\nRemoveTraces=n");
    CSetActivitiesDlg activities;
    CSetChooseActivitiesDlg choose;
    CSetDataExchangeDlg exportSettings(true);
    CSetDataExchangeDlg importSettings(false);
    for (IPersistentObject* o :
         std::vector<IPersistentObject*>{&activities, &choose, &exportSettings, &importSettings}) {
        o->Load(ini);
    }
    EXPECT_EQ(activities.GetColumnWidths(), std::vector<int32_t>({120, 33}));
    EXPECT_TRUE(activities.IsDefaultColumnWidth(0));
    EXPECT_FALSE(activities.IsDefaultColumnWidth(1)) << "a stored width is the user's";
    activities.GetColumnWidths()[0] = 200;
    EXPECT_FALSE(activities.IsDefaultColumnWidth(0)) << "nor is one stored since";
    EXPECT_EQ(choose.GetColumnWidths(), std::vector<int32_t>({0})); // no layout resource
    EXPECT_EQ(exportSettings.GetColumnWidths(), std::vector<int32_t>({0, 0, 9}));
    EXPECT_FALSE(exportSettings.GetRemoveTraces());
    EXPECT_TRUE(importSettings.GetRemoveTraces());
    // Resolved once per run: a later load of -1 stays -1.
    CINIFile reset;
    Parse(reset, "[ManageActivities]\r\nActivityWidth=-1");
    activities.Load(reset);
    EXPECT_EQ(activities.GetColumnWidths()[0], -1);
}

// Values no window can have are written back as the defaults: positions beyond 16 bits
// (and the other half of such a place), negative or huge sizes, and column widths other
// than -1 or 0 .. 32767.
TEST(WindowSettingsJunkTest, OutOfRangeValuesAreSavedAsTheirDefaults) {
    const struct {
        const char* section;
        const char* key;
        const char* stored;
        const char* otherKey;
        const char* saved;
        const char* otherSaved;
    } cases[] = {
        {"Dialogs", "PositionXDlg0", "-2147483647", "PositionYDlg0", "-2147483648", "-2147483648"},
        {"Dialogs", "PositionYDlg1", "40000", "PositionXDlg1", "-2147483648", "-2147483648"},
        {"Dialogs", "PositionXDlg2", "-32768", "PositionYDlg2", "-2147483648", "-2147483648"},
        {"Dialogs", "SizeXDlg5", "32767", "SizeYDlg5", "32767", "0"},
        {"Dialogs", "SizeXDlg3", "-5", "SizeYDlg3", "0", "0"},
        {"Dialogs", "SizeYDlg4", "2147483647", "SizeXDlg4", "0", "0"},
        {"MainWindow", "ActivityWidth", "-2147483648", "ColumnWidth0", "-1", "-1"},
        {"MainWindow", "ColumnWidth1", "1000000", "ColumnWidth0", "-1", "-1"},
        {"MainWindow", "ColumnWidth0", "32767", "ColumnWidth1", "32767", "-1"},
    };
    for (const auto& c : cases) {
        CINIFile ini;
        Parse(ini, std::string("[") + c.section + "]\r\n" + c.key + "=" + c.stored);
        CSetDialogPosNSize placements;
        CSetMainDlg main;
        placements.Load(ini);
        main.Load(ini);
        CINIFile out;
        placements.Save(out);
        main.Save(out);
        EXPECT_EQ(Value(out, c.section, c.key), c.saved) << c.key << "=" << c.stored;
        EXPECT_EQ(Value(out, c.section, c.otherKey), c.otherSaved) << c.key << "=" << c.stored;
    }
}

struct SSortCase {
    const char* stored;
    std::vector<int32_t> columns;
    std::vector<bool> ascending;
};

std::vector<int32_t> Columns(CSetTracesDlg& t) {
    return {t.GetSortColumn(0), t.GetSortColumn(1), t.GetSortColumn(2), t.GetSortColumn(3)};
}
std::vector<bool> Directions(CSetTracesDlg& t) {
    return {t.GetSortAscending(0), t.GetSortAscending(1), t.GetSortAscending(2),
            t.GetSortAscending(3)};
}

TEST(CSetTracesDlgTest, OnlyAPermutationIsASortOrder) {
    const SSortCase cases[] = {
        {"SortCol0=3|SortCol1=2|SortCol2=1|SortCol3=0|SortCol1Asc=y",
         {3, 2, 1, 0},
         {false, true, false, false}},
        {"SortCol0=0|SortCol1=0|SortCol2=2|SortCol3=3", {0, 1, 2, 3}, {false, false, true, true}},
        {"SortCol0=4|SortCol1=1|SortCol2=2|SortCol3=3", {0, 1, 2, 3}, {false, false, true, true}},
        {"", {0, 1, 2, 3}, {false, false, true, true}},
    };
    for (const SSortCase& c : cases) {
        std::string text = std::string("[ManageTallymarks]|") + c.stored;
        for (size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|')) {
            text.replace(bar, 1, "\r\n");
        }
        CINIFile ini;
        Parse(ini, text);
        CSetTracesDlg traces;
        traces.Load(ini);
        EXPECT_EQ(Columns(traces), c.columns) << c.stored;
        EXPECT_EQ(Directions(traces), c.ascending) << c.stored;
    }
}

TEST(CSetTracesDlgTest, SortByFlipsOrBringsTheColumnFirst) {
    CSetTracesDlg traces; // 0 1 2 3, false false true true
    traces.SortBy(0);
    EXPECT_EQ(Directions(traces), std::vector<bool>({true, false, true, true}));
    traces.SortBy(3); // the last one comes first with its own direction
    EXPECT_EQ(Columns(traces), std::vector<int32_t>({3, 0, 1, 2}));
    EXPECT_EQ(Directions(traces), std::vector<bool>({true, true, false, true}));
    traces.SortBy(1);
    EXPECT_EQ(Columns(traces), std::vector<int32_t>({1, 3, 0, 2}));
    EXPECT_EQ(Directions(traces), std::vector<bool>({false, true, true, true}));
    traces.SortBy(9); // no such column: flips the first
    EXPECT_EQ(Directions(traces), std::vector<bool>({true, true, true, true}));

    CINIFile out;
    traces.Save(out);
    EXPECT_EQ(Value(out, "ManageTallymarks", "SortCol1"), "3");
    EXPECT_EQ(Value(out, "ManageTallymarks", "SortCol0Asc"), "y");
    EXPECT_EQ(Value(out, "ManageTallymarks", "StartWidth"), "-1");
}

} // namespace
