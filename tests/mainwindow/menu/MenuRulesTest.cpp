// The menu's decisions without a window: which commands run under which facts, and the
// labels of both lists. The window test covers the checks and the dialog of each command.

#include "mainwindow/MenuRules.h"

#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// A current project with a selectable, enabled activity, unsaved, nothing running,
// two projects and two recent entries: every rule holds.
SMenuFacts Everything() {
    SMenuFacts facts;
    facts.hasProject = true;
    facts.modified = true;
    facts.hasActivities = true;
    facts.committedHasActivities = true;
    facts.selectedEnabled = true;
    facts.working = true;
    facts.numProjects = 2;
    facts.numRecent = 2;
    facts.kind = 1;
    return facts;
}

struct SRuleCase {
    const char* what;
    void (*change)(SMenuFacts&);
    std::set<int> greyed; // exactly these fixed commands are greyed afterwards
};

const std::set<int> kNeedProject = {
    IDM_PROJECT_SAVE,   IDM_PROJECT_SAVE_AS,    IDM_PROJECT_CLOSE,          IDM_PROJECT_IMPORT,
    IDM_PROJECT_EXPORT, IDM_PROJECT_PROPERTIES, IDM_PROJECT_REPORT,         IDM_PROJECT_STATISTICS,
    IDM_TIME_START,     IDM_TIME_NEW_TALLYMARK, IDM_TIME_MANAGE_TALLYMARKS, IDM_ACTIVITIES_MANAGE};

const SRuleCase kRuleCases[] = {
    {"everything holds", [](SMenuFacts&) {}, {IDM_VIEW_DAY, IDM_VIEW_FULL}},
    {"no project, nothing running",
     [](SMenuFacts& f) {
         f = SMenuFacts();
         f.kind = 1;
     },
     [] {
         std::set<int> greyed = kNeedProject;
         greyed.insert(
             {IDM_TIME_STOP, IDM_VIEW_DAY, IDM_VIEW_FULL, IDM_WINDOW_NEXT, IDM_WINDOW_PREVIOUS});
         return greyed;
     }()},
    {"saved",
     [](SMenuFacts& f) { f.modified = false; },
     {IDM_PROJECT_SAVE, IDM_VIEW_DAY, IDM_VIEW_FULL}},
    {"shown state without activities",
     [](SMenuFacts& f) { f.hasActivities = false; },
     {IDM_TIME_START, IDM_TIME_NEW_TALLYMARK, IDM_VIEW_DAY, IDM_VIEW_FULL}},
    {"committed state without activities",
     [](SMenuFacts& f) { f.committedHasActivities = false; },
     {IDM_PROJECT_REPORT, IDM_VIEW_DAY, IDM_VIEW_FULL}},
    {"selected activity disabled or missing",
     [](SMenuFacts& f) { f.selectedEnabled = false; },
     {IDM_TIME_START, IDM_VIEW_DAY, IDM_VIEW_FULL}},
    {"nothing running",
     [](SMenuFacts& f) { f.working = false; },
     {IDM_TIME_STOP, IDM_VIEW_DAY, IDM_VIEW_FULL}},
    {"one project",
     [](SMenuFacts& f) { f.numProjects = 1; },
     {IDM_WINDOW_NEXT, IDM_WINDOW_PREVIOUS, IDM_VIEW_DAY, IDM_VIEW_FULL}},
    {"compact display, whole project",
     [](SMenuFacts& f) {
         f.displayKind = EDisplayMode::Compact;
         f.kind = 5;
     },
     {IDM_VIEW_WHOLE_PROJECT, IDM_VIEW_COMPACT}},
    {"portable installation",
     [](SMenuFacts& f) { f.portable = true; },
     {IDM_OPTIONS_PORTABLE, IDM_VIEW_DAY, IDM_VIEW_FULL}},
};

} // namespace

TEST(MenuRulesTest, EachFactGreysExactlyItsCommands) {
    for (const SRuleCase& test : kRuleCases) {
        SMenuFacts facts = Everything();
        test.change(facts);
        std::set<int> greyed;
        for (int id : GetMenuCommandIds()) {
            if (!IsMenuCommandEnabled(id, facts)) {
                greyed.insert(id);
            }
        }
        EXPECT_EQ(greyed, test.greyed) << test.what;
    }
}

TEST(MenuRulesTest, ListKeysRunOneToNineThenAToZThenBlank) {
    const struct {
        size_t index;
        char key;
    } cases[] = {{0, '1'}, {8, '9'}, {9, 'a'}, {10, 'b'}, {34, 'z'}, {35, ' '}, {999, ' '}};
    for (const auto& test : cases) {
        EXPECT_EQ(GetMenuListKey(test.index), test.key) << test.index;
    }
}

TEST(MenuRulesTest, LabelsShowNamePathMarksAndLiteralAmpersands) {
    EXPECT_EQ(MakeRecentProjectLabel(0, "Plan", "C:\\Work\\Plan.wkp"),
              "&1 - Plan (C:\\Work\\Plan.wkp)");
    EXPECT_EQ(MakeRecentProjectLabel(9, "R&D", "C:\\R&D\\x.wkp"), "&a - R&&D (C:\\R&&D\\x.wkp)");
    const struct {
        size_t index;
        bool modified;
        bool working;
        const char* label;
    } cases[] = {
        {0, false, false, "&1 - Plan"},
        {1, true, false, "&2 - Plan *"},
        {2, false, true, "&3 - Plan\t(working)"},
        {35, true, true, "&  - Plan *\t(working)"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(MakeOpenProjectLabel(test.index, "Plan", test.modified, test.working, "working"),
                  test.label);
    }
}
