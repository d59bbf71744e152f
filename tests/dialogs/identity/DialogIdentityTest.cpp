// The identities of the program's dialogs: the launcher opens each kind with the identity
// of the dialog it builds, and no two windows keep their placement in one slot, whose
// numbers are the keys of the stored settings.

#include "app/settings/CSetDialogPosNSize.h"
#include "app/ui/SDialogIdentity.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CActivitiesDlg.h"
#include "dialogs/CChooseActivitiesDlg.h"
#include "dialogs/CChooseProjectDlg.h"
#include "dialogs/CChooseTimePeriodDlg.h"
#include "dialogs/CDataExchangeDlg.h"
#include "dialogs/CDetectedInactivityDlg.h"
#include "dialogs/CPropsDlg.h"
#include "dialogs/CProjectStatsDlg.h"
#include "dialogs/CSettingsDlg.h"
#include "dialogs/CTipDlg.h"
#include "dialogs/CTraceDlg.h"
#include "dialogs/CTraceSplitDlg.h"
#include "dialogs/CTracesActivityDlg.h"
#include "dialogs/CTracesDlg.h"
#include "dialogs/DialogRegistry.h"
#include "mainwindow/CCompactDlg.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlg.h"
#include "reports/ReportRegistry.h"
#include "reports/dialog/CReportDlg.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

void ExpectSameIdentity(const SDialogIdentity& actual, const SDialogIdentity& expected,
                        const std::string& what) {
    EXPECT_EQ(actual.dialogId, expected.dialogId) << what;
    EXPECT_EQ(actual.sizeGrip, expected.sizeGrip) << what;
    EXPECT_EQ(actual.slot, expected.slot) << what;
    EXPECT_EQ(actual.helpTopic, expected.helpTopic) << what;
}

struct SNamedIdentity {
    const char* name;
    const SDialogIdentity& identity;
};

const std::vector<SNamedIdentity>& AllDialogs() {
    static const std::vector<SNamedIdentity> dialogs = {
        {"tip", CTipDlg::kIdentity},
        {"about", CAboutDlg::kIdentity},
        {"statistics", CProjectStatsDlg::kIdentity},
        {"activities", CActivitiesDlg::kIdentity},
        {"tally marks", CTracesDlg::kIdentity},
        {"properties", CPropsDlg::kIdentity},
        {"settings", CSettingsDlg::kIdentity},
        {"tally mark", CTraceDlg::kIdentity},
        {"split", CTraceSplitDlg::kIdentity},
        {"move", CTracesActivityDlg::kIdentity},
        {"inactivity", CDetectedInactivityDlg::kIdentity},
        {"report", CReportDlg::kIdentity},
        {"choose project", CChooseProjectDlg::kIdentity},
        {"choose period", CChooseTimePeriodDlg::kIdentity},
        {"choose activities", CChooseActivitiesDlg::kIdentity},
        {"import", CDataExchangeDlg::GetIdentity(CDataExchangeDlg::kImport)},
        {"export", CDataExchangeDlg::GetIdentity(CDataExchangeDlg::kExport)},
    };
    return dialogs;
}

class DialogIdentityTest : public ::testing::Test {
protected:
    DialogIdentityTest() {
        RegisterDialogs();
        RegisterReportDialog();
    }
    ~DialogIdentityTest() override { CDialogLauncher::Clear(); }
};

} // namespace

TEST_F(DialogIdentityTest, EveryKindOpensWithTheIdentityOfItsDialog) {
    struct SCase {
        EDialogKind kind;
        const SDialogIdentity& identity;
        bool needsProject;
    };
    const SCase cases[] = {
        {EDialogKind::ManageTallymarks, CTracesDlg::kIdentity, true},
        {EDialogKind::ProjectProperties, CPropsDlg::kIdentity, true},
        {EDialogKind::About, CAboutDlg::kIdentity, false},
        {EDialogKind::Report, CReportDlg::kIdentity, true},
        {EDialogKind::Settings, CSettingsDlg::kIdentity, false},
        {EDialogKind::ProjectStatistics, CProjectStatsDlg::kIdentity, true},
        {EDialogKind::NewTallymark, CTraceDlg::kIdentity, true},
        {EDialogKind::TipOfTheDay, CTipDlg::kIdentity, false},
        {EDialogKind::Import, CDataExchangeDlg::GetIdentity(CDataExchangeDlg::kImport), true},
        {EDialogKind::Export, CDataExchangeDlg::GetIdentity(CDataExchangeDlg::kExport), true},
        {EDialogKind::ManageActivities, CActivitiesDlg::kIdentity, true},
    };
    for (const SCase& c : cases) {
        const std::string what = "kind " + std::to_string(static_cast<int>(c.kind));
        const SDialogKindEntry* entry = CDialogLauncher::Find(c.kind);
        ASSERT_NE(entry, nullptr) << what;
        ExpectSameIdentity(entry->identity, c.identity, what);
        EXPECT_EQ(entry->needsProject, c.needsProject) << what;
    }
    ExpectSameIdentity(CDialogLauncher::GetInactivityDialogIdentity(),
                       CDetectedInactivityDlg::kIdentity, "inactivity");
}

TEST_F(DialogIdentityTest, EachWindowKeepsItsPlacementInItsOwnStoredSlot) {
    // The slot numbers are the keys of the settings file: they never move.
    const std::map<std::string, int> storedSlots = {
        {"main window", 0}, {"tally marks", 1},     {"properties", 2},
        {"about", 3},       {"report", 4},          {"settings", 5},
        {"statistics", 6},  {"tally mark", 7},      {"split", 9},
        {"move", 10},       {"compact window", 11}, {"tip", 12},
        {"import", 13},     {"export", 14},         {"choose project", 15},
        {"inactivity", 16}, {"choose period", 17},  {"choose activities", 18},
        {"activities", 20},
    };
    std::map<std::string, EPlacementSlot> slots = {
        {"main window", CMainDlg::kPlacementSlot},
        {"compact window", CCompactDlg::kPlacementSlot},
    };
    for (const SNamedIdentity& dialog : AllDialogs()) {
        slots.emplace(dialog.name, dialog.identity.slot);
    }
    ASSERT_EQ(slots.size(), storedSlots.size());
    std::map<int, std::string> owners;
    for (const auto& window : slots) {
        const int index = SlotIndex(window.second);
        EXPECT_EQ(index, storedSlots.at(window.first)) << window.first;
        EXPECT_GE(index, 0) << window.first;
        EXPECT_LT(index, CSetDialogPosNSize::NumSlots) << window.first;
        const auto added = owners.emplace(index, window.first);
        EXPECT_TRUE(added.second) << window.first << " shares slot " << index << " with "
                                  << added.first->second;
    }
}

TEST_F(DialogIdentityTest, NoTwoDialogsShareATemplateOrAHelpPage) {
    std::map<int32_t, std::string> templates;
    std::map<int, std::string> helpPages;
    for (const SNamedIdentity& dialog : AllDialogs()) {
        EXPECT_NE(dialog.identity.dialogId, 0) << dialog.name;
        EXPECT_NE(dialog.identity.helpTopic, 0) << dialog.name;
        EXPECT_TRUE(templates.emplace(dialog.identity.dialogId, dialog.name).second) << dialog.name;
        EXPECT_TRUE(helpPages.emplace(dialog.identity.helpTopic, dialog.name).second)
            << dialog.name;
    }
}
