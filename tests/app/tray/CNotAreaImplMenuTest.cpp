// The tray menu as it is built from the open projects, and what its entries do.

#include "app/tray/CNotAreaImpl.h"

#include "TrayTestHelpers.h"
#include "model/CEditTransaction.h"

#include <gtest/gtest.h>

#include <memory>

using traytest::AddActivity;
using traytest::AddProject;
using traytest::CFakeMainWindow;
using traytest::DescribeMenu;
using traytest::FindEntry;
using traytest::ItemOf;

namespace {

using Lines = std::vector<std::string>;

class CNotAreaImplMenuTest : public ::testing::Test {
protected:
    // A freshly built menu (the one before is destroyed).
    const CPopupMenuEntry& Build() {
        m_menu = std::make_unique<CPopupMenuEntry>(true);
        m_tray.BuildPopupMenu(*m_menu);
        return *m_menu;
    }
    // Chooses the entry of the last built menu reached by texts.
    bool Choose(std::initializer_list<std::string> texts) {
        const CPopupMenuEntry* entry = FindEntry(*m_menu, texts);
        EXPECT_NE(ItemOf(entry), nullptr) << "no tray item at " << *texts.begin();
        return m_tray.OnMenuItem(entry != nullptr ? entry->GetData() : nullptr);
    }
    static bool IsWorkingOn(const CProject* project, const CActivity* activity) {
        return project->GetState(false)->GetCurrentActivity() == activity;
    }

    CProjects m_projects;
    CNotAreaImpl m_tray{m_projects};
    std::unique_ptr<CPopupMenuEntry> m_menu;
};

TEST_F(CNotAreaImplMenuTest, WithoutProjectsOnlyShowAndExitCanBeChosen) {
    EXPECT_EQ(DescribeMenu(Build()),
              Lines({"Show #0", "Exit #1", "----", "Stop working (grey)", "Start working (grey)"}));
}

TEST_F(CNotAreaImplMenuTest, MenuListsRunningWorkAndEveryEnabledActivityInNameOrder) {
    CProject* work = AddProject(m_projects, "Work & Play");
    CActivity* research = AddActivity(work, "R&D", true);
    CActivity* drawing = AddActivity(work, "Draw", true, research);
    CActivity* old = AddActivity(work, "Old", false);
    AddActivity(work, "Kept", true, old);
    AddActivity(work, "Gone", false, old);
    CProject* idle = AddProject(m_projects, "Alpha");
    AddActivity(idle, "Sleep", false);
    ASSERT_TRUE(m_projects.StartWorking(work, drawing));

    EXPECT_EQ(DescribeMenu(Build()), Lines({
                                         "Show #0",
                                         "Exit #1",
                                         "----",
                                         "> Stop working",
                                         "  Work && Play\\R&&D\\Draw #2 @Work & Play (check)",
                                         "> Start working",
                                         "  > Alpha",
                                         "    No enabled activities (grey)",
                                         "  > Work && Play (check)",
                                         "    R&&D #3 @Work & Play:R&D",
                                         "    R&&D\\Draw #3 @Work & Play:R&D\\Draw (check)",
                                         "    Old\\Kept #3 @Work & Play:Old\\Kept",
                                     }));
}

TEST_F(CNotAreaImplMenuTest, ShowEntryNamesTheHotKeyBehindATab) {
    const struct {
        const char* keyText;
        const char* entry;
    } cases[] = {
        {"", "Show #0"},
        {"Ctrl+Alt+K", "Show\tCtrl+Alt+K #0"},
        {"Shift+&", "Show\tShift+&& #0"},
    };
    for (const auto& c : cases) {
        m_tray.SetHotKeyText(c.keyText);
        EXPECT_EQ(DescribeMenu(Build()).front(), c.entry) << c.keyText;
    }
}

TEST_F(CNotAreaImplMenuTest, StartAndStopEntriesChangeTheProjectsWork) {
    CProject* alpha = AddProject(m_projects, "Alpha");
    CActivity* write = AddActivity(alpha, "Write", true);
    CActivity* read = AddActivity(alpha, "Read", true);
    CProject* beta = AddProject(m_projects, "Beta");
    CActivity* test = AddActivity(beta, "Test", true);

    Build();
    EXPECT_TRUE(Choose({"Start working", "Alpha", "Write"}));
    EXPECT_TRUE(IsWorkingOn(alpha, write));
    Build();
    EXPECT_TRUE(Choose({"Start working", "Beta", "Test"}));
    EXPECT_TRUE(Choose({"Start working", "Alpha", "Read"})) << "switches the running work";
    EXPECT_TRUE(IsWorkingOn(alpha, read));
    EXPECT_TRUE(IsWorkingOn(beta, test));

    Build();
    EXPECT_TRUE(Choose({"Stop working", "Alpha\\Read"}));
    EXPECT_FALSE(alpha->GetState(false)->IsWorking());
    EXPECT_TRUE(IsWorkingOn(beta, test));
    EXPECT_FALSE(Choose({"Stop working", "Alpha\\Read"})) << "nothing runs any more";

    // An item without a project stops the current project's work.
    STrayMenuItem stopCurrent(STrayMenuItem::kStopWorking);
    EXPECT_FALSE(m_tray.OnMenuItem(&stopCurrent)) << "no current project";
    m_projects.SetCurrent(beta);
    EXPECT_TRUE(m_tray.OnMenuItem(&stopCurrent));
    EXPECT_FALSE(beta->GetState(false)->IsWorking());
}

TEST_F(CNotAreaImplMenuTest, EntriesOfAProjectClosedWhileTheMenuWasOpenDoNothing) {
    CProject* alpha = AddProject(m_projects, "Alpha");
    ASSERT_TRUE(m_projects.StartWorking(alpha, AddActivity(alpha, "Write", true)));
    CProject* beta = AddProject(m_projects, "Beta");
    CActivity* test = AddActivity(beta, "Test", true);
    m_projects.SetCurrent(beta);

    Build();
    ASSERT_TRUE(m_projects.Close(alpha, true));
    EXPECT_FALSE(Choose({"Stop working", "Alpha\\Write"}));
    EXPECT_FALSE(Choose({"Start working", "Alpha", "Write"}));
    EXPECT_FALSE(beta->GetState(false)->IsWorking()) << "the current project is left alone";
    EXPECT_EQ(m_projects.GetNumProjects(), 1u);
    EXPECT_TRUE(Choose({"Start working", "Beta", "Test"}));
    EXPECT_TRUE(IsWorkingOn(beta, test));
}

TEST_F(CNotAreaImplMenuTest, EntriesOfActivitiesGoneOrDisabledMeanwhileDoNothing) {
    const struct {
        const char* change;
        void (*apply)(CProject* project, CActivity* activity);
    } cases[] = {
        {"deleted", [](CProject*, CActivity* activity) { delete activity; }},
        {"disabled", [](CProject*, CActivity* activity) { activity->SetEnabled(false); }},
        {"its state replaced by an edit",
         [](CProject* project, CActivity*) { CEditTransaction(*project).Commit(); }},
    };
    for (const auto& c : cases) {
        CProjects projects;
        CNotAreaImpl tray(projects);
        CProject* project = AddProject(projects, "Alpha");
        CActivity* activity = AddActivity(project, "Write", true);
        CPopupMenuEntry menu(true);
        tray.BuildPopupMenu(menu);
        c.apply(project, activity);
        const CPopupMenuEntry* entry = FindEntry(menu, {"Start working", "Alpha", "Write"});
        ASSERT_NE(ItemOf(entry), nullptr) << c.change;
        EXPECT_FALSE(tray.OnMenuItem(entry->GetData())) << c.change;
        EXPECT_FALSE(project->GetState(true)->IsWorking()) << c.change;
    }
}

// While a dialog edits a project its OK or Cancel decides the project's work: the tray's
// entries of that project are grey, and entries of a menu built before do nothing.
TEST_F(CNotAreaImplMenuTest, WorkEntriesOfAProjectUnderEditAreGreyAndDoNothing) {
    CProject* alpha = AddProject(m_projects, "Alpha");
    ASSERT_TRUE(m_projects.StartWorking(alpha, AddActivity(alpha, "Write", true)));
    AddActivity(alpha, "Read", true);
    Build();
    CEditTransaction edit(*alpha);
    EXPECT_FALSE(Choose({"Stop working", "Alpha\\Write"}));
    EXPECT_FALSE(Choose({"Start working", "Alpha", "Read"}));
    EXPECT_EQ(DescribeMenu(Build()),
              Lines({"Show #0", "Exit #1", "----", "> Stop working",
                     "  Alpha\\Write (grey) (check)", "> Start working", "  > Alpha (check)",
                     "    Write (grey) (check)", "    Read (grey)"}));
    edit.Discard();
    Build();
    EXPECT_TRUE(Choose({"Start working", "Alpha", "Read"}));
}

TEST_F(CNotAreaImplMenuTest, ExitAsksTheMainWindowAndPassesItsAnswer) {
    CFakeMainWindow main;
    Build();
    EXPECT_FALSE(Choose({"Exit"})) << "no main window runs";
    m_tray.SetMainDlg(&main);
    EXPECT_TRUE(Choose({"Exit"}));
    main.exitAnswer = false;
    EXPECT_FALSE(Choose({"Exit"}));
    EXPECT_EQ(main.exitReasons, std::vector<EExitReason>({EExitReason::Exit, EExitReason::Exit}));
}

TEST_F(CNotAreaImplMenuTest, NoTrayItemDoesNothing) {
    struct SOther : SPopupMenuEntryData {};
    SOther other;
    STrayMenuItem unknown(7);
    for (SPopupMenuEntryData* data :
         {static_cast<SPopupMenuEntryData*>(nullptr), static_cast<SPopupMenuEntryData*>(&other),
          static_cast<SPopupMenuEntryData*>(&unknown)}) {
        EXPECT_FALSE(m_tray.OnMenuItem(data));
    }
}

} // namespace
