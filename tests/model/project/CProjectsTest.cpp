#include "model/CProjects.h"

#include "model/CActivity.h"
#include "model/CEditTransaction.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/EProjectFileFormat.h"

#include "../ModelTestHelpers.h"
#include "../StateTestHelpers.h"
#include "ProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

using modeltest::AddActivity;
using modeltest::AddTallymark;
using projecttest::CTempFolder;

// Writes down every event of the set in order and answers the close vote with a preset
// answer per project name (true for names not listed).
class CProjectsLog : public CSlot<CProjectsAddedEvent>,
                     public CSlot<CProjectsSwitchedEvent>,
                     public CSlot<CProjectsMayCloseEvent>,
                     public CSlot<CProjectsClosedEvent> {
public:
    explicit CProjectsLog(CProjects& projects) : m_projects(projects) {
        CSlot<CProjectsAddedEvent>::Connect(&projects);
        CSlot<CProjectsSwitchedEvent>::Connect(&projects);
        CSlot<CProjectsMayCloseEvent>::Connect(&projects);
        CSlot<CProjectsClosedEvent>::Connect(&projects);
    }

    std::vector<std::string> events;
    std::vector<std::string> refuse;
    CProject* addedProject = nullptr;
    bool addedOk = false;
    bool addedUser = false;
    CError addedError;
    EExitReason lastReason = EExitReason::ExitNoCancel;
    bool closedStillOpen = false;

protected:
    bool OnEvent(CProjectsAddedEvent& e) override {
        events.push_back("added " + Name(e.project));
        addedProject = e.project;
        addedOk = e.ok;
        addedUser = e.userProject;
        addedError = e.error;
        return true;
    }
    bool OnEvent(CProjectsSwitchedEvent& e) override {
        events.push_back("switched " + Name(e.oldProject) + ">" + Name(e.newProject));
        return true;
    }
    bool OnEvent(CProjectsMayCloseEvent& e) override {
        const std::string name = Name(e.project);
        events.push_back("may close " + name);
        lastReason = e.reason;
        return std::find(refuse.begin(), refuse.end(), name) == refuse.end();
    }
    bool OnEvent(CProjectsClosedEvent& e) override {
        events.push_back("closed " + Name(e.project));
        closedStillOpen = closedStillOpen || m_projects.Contains(e.project);
        return true;
    }

private:
    static std::string Name(CProject* project) {
        return project == nullptr ? "-" : project->GetState(true)->GetName();
    }
    CProjects& m_projects;
};

CDateTime At(int day, int hour) {
    CDateTime date;
    EXPECT_TRUE(date.SetDateTime(2010, 5, day, hour, 0, 0));
    return date;
}

CProject* NewNamed(CProjects& projects, const std::string& name) {
    CProject* project = projects.CreateNew();
    project->GetState()->SetName(name);
    return project;
}

std::vector<std::string> NameOrder(const CProjects& projects) {
    std::vector<std::string> names;
    for (size_t i = 0; i < projects.GetNumProjects(); ++i) {
        names.push_back(projects.GetProject(i)->GetState()->GetName());
    }
    EXPECT_EQ(projects.GetProject(projects.GetNumProjects()), nullptr);
    return names;
}

// A project file "file" in the folder holding a project named name.
std::string SaveProjectFile(const CTempFolder& folder, const std::string& file,
                            const std::string& name) {
    CProject project;
    project.GetState()->SetName(name);
    AddActivity(*project.GetState(), "Write");
    const std::string path = folder.Path(file);
    EXPECT_TRUE(project.Save(false, nullptr, path.c_str(), pffXML));
    return path;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

TEST(ProjectsTest, ProjectsKeepByteWiseNameOrderAndMoveWhenRenamed) {
    CProjects projects;
    EXPECT_FALSE(projects.HasProjects());
    EXPECT_EQ(projects.GetProject(0), nullptr);
    CProject* beta = NewNamed(projects, "beta");
    NewNamed(projects, "Beta");
    CProject* alpha = NewNamed(projects, "alpha");
    NewNamed(projects, "\xE9t\xE9"); // above every ASCII letter when bytes are unsigned
    CProject* twin = NewNamed(projects, "alpha");
    EXPECT_EQ(NameOrder(projects),
              (std::vector<std::string>{"Beta", "alpha", "alpha", "beta", "\xE9t\xE9"}));
    EXPECT_EQ(projects.GetProject(1), alpha) << "equal names keep the order of naming";
    EXPECT_EQ(projects.GetProject(2), twin);

    beta->GetState()->SetName("Alpha");
    EXPECT_EQ(projects.GetProject(0), beta);
    // A rename inside an edit transaction moves the project when it is committed.
    CEditTransaction edit(*twin);
    edit.GetState()->SetName("zulu");
    EXPECT_EQ(projects.GetProject(3), twin) << "still at its place before the commit";
    edit.Commit();
    EXPECT_EQ(NameOrder(projects),
              (std::vector<std::string>{"Alpha", "Beta", "alpha", "zulu", "\xE9t\xE9"}));
    EXPECT_FALSE(projects.GetCurrentProject()) << "new projects do not become current";
}

TEST(ProjectsTest, NextAndPreviousFollowNameOrderWithTheirFlags) {
    CProjects projects;
    EXPECT_EQ(projects.GetNext(nullptr, true, true), nullptr);
    EXPECT_EQ(projects.GetPrevious(nullptr, true, true), nullptr);
    CProject* b = NewNamed(projects, "b");
    const struct {
        bool wrap, self;
        CProject* expected;
    } only[] = {{true, true, b}, {true, false, nullptr}, {false, true, nullptr}};
    for (const auto& c : only) {
        EXPECT_EQ(projects.GetNext(b, c.wrap, c.self), c.expected);
        EXPECT_EQ(projects.GetPrevious(b, c.wrap, c.self), c.expected);
    }
    CProject* a = NewNamed(projects, "a");
    CProject* c = NewNamed(projects, "c");
    CProject outsider;
    const struct {
        CProject* from;
        bool wrap;
        CProject* next;
        CProject* previous;
    } cases[] = {
        {nullptr, false, a, c},
        {a, false, b, nullptr},
        {b, false, c, a},
        {c, false, nullptr, b},
        {c, true, a, b},
        {a, true, b, c},
        {&outsider, true, nullptr, nullptr},
    };
    for (const auto& t : cases) {
        EXPECT_EQ(projects.GetNext(t.from, t.wrap, false), t.next);
        EXPECT_EQ(projects.GetPrevious(t.from, t.wrap, false), t.previous);
    }

    CProjectsLog log(projects);
    projects.SwitchToNext();
    projects.SwitchToNext();
    projects.SwitchToNext();
    projects.SwitchToNext();
    projects.SwitchToPrevious();
    projects.SetCurrent(nullptr);
    projects.SwitchToPrevious();
    projects.SetCurrent(c);
    EXPECT_EQ(log.events, (std::vector<std::string>{"switched ->a", "switched a>b", "switched b>c",
                                                    "switched c>a", "switched a>c", "switched c>-",
                                                    "switched ->c"}));
}

// A set of open projects with a log, and a saved project file to open.
class ProjectsFileTest : public ::testing::Test {
protected:
    // Saves a project named name as file and opens it in mode.
    CProject* OpenSaved(const std::string& file, const std::string& name, int mode) {
        path = SaveProjectFile(folder, file, name);
        return projects.OpenPath(path, mode, true);
    }

    CTempFolder folder;
    std::string path;
    CProjects projects;
    CProjectsLog log{projects};
};

TEST_F(ProjectsFileTest, OpeningAnOpenFileInAnyCaseGivesTheOpenProject) {
    CProject* opened = OpenSaved("plan.xml", "Plan", CProjects::kOpenOnly);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->GetState()->GetName(), "Plan");
    EXPECT_EQ(projects.GetCurrentProject(), nullptr);
    EXPECT_TRUE(projects.IsPathOpen(Upper(path)));

    // Changed in memory: a second opening must not read the file again.
    opened->GetState()->SetName("Changed");
    EXPECT_EQ(projects.OpenPath(Upper(path), CProjects::kOpenAndSwitch, true), opened);
    EXPECT_EQ(projects.GetNumProjects(), 1u);
    EXPECT_EQ(opened->GetState()->GetName(), "Changed");
    EXPECT_EQ(projects.GetCurrentProject(), opened);
    EXPECT_TRUE(log.addedOk);
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"added Plan", "switched ->Changed", "added Changed"}));
    EXPECT_TRUE(projects.SwitchToFile(CFilePath(path)));
    EXPECT_FALSE(projects.SwitchToFile(CFilePath(folder.Path("other.xml"))));
}

// A file is one project whatever name reaches it: a hard link, the "\\?\" and "\\.\"
// prefixes and forward slashes give the open project; another file does not.
TEST_F(ProjectsFileTest, EveryNameOfAnOpenFileGivesTheOpenProject) {
    CProject* opened = OpenSaved("plan.wkp", "Plan", CProjects::kOpenOnly);
    ASSERT_NE(opened, nullptr);
    const std::string link = folder.Path("alias.wkp");
    ASSERT_TRUE(CreateHardLinkA(link.c_str(), path.c_str(), nullptr));
    std::string slashes = path;
    std::replace(slashes.begin(), slashes.end(), '\\', '/');
    const std::string spellings[] = {link, "\\\\?\\" + path, "\\\\.\\" + path, slashes};
    for (const std::string& spelling : spellings) {
        EXPECT_TRUE(projects.IsPathOpen(spelling)) << spelling;
        EXPECT_EQ(projects.OpenPath(spelling, CProjects::kOpenOnly, true), opened) << spelling;
        EXPECT_EQ(projects.GetNumProjects(), 1u) << spelling;
    }
    const std::string other = SaveProjectFile(folder, "other.wkp", "Other");
    EXPECT_FALSE(projects.IsPathOpen(other));
}

TEST(ProjectsTest, MissingAndDamagedFilesAreReportedThroughTheEvent) {
    CTempFolder folder;
    CProjects projects;
    CProjectsLog log(projects);
    const std::string missing = folder.Path("missing.wkp");

    EXPECT_EQ(projects.OpenPath(missing, CProjects::kOpenAndSwitch, true), nullptr);
    EXPECT_FALSE(log.addedOk);
    EXPECT_EQ(log.addedProject, nullptr);
    EXPECT_EQ(log.addedError.GetCode(), 1);
    EXPECT_EQ(log.addedError.GetText(),
              "Error opening project file \"" + missing + "\"; the file doesn't exist.");
    EXPECT_FALSE(projects.HasProjects());

    // Without must-exist a missing file gives a new, untitled project.
    CProject* fresh = projects.OpenPath(missing, CProjects::kOpenAndSwitch, false);
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(log.addedOk);
    EXPECT_TRUE(fresh->IsNew());
    EXPECT_FALSE(fresh->GetFilePath(false).IsValid());
    EXPECT_EQ(projects.GetCurrentProject(), fresh);
    EXPECT_FALSE(projects.IsPathOpen(missing));

    folder.WriteFile("damaged.wkp", "not a project at all");
    const std::string damaged = folder.Path("damaged.wkp");
    EXPECT_EQ(projects.OpenPath(damaged, CProjects::kOpenAndSwitch, true), nullptr);
    EXPECT_FALSE(log.addedOk);
    EXPECT_EQ(log.addedProject, nullptr);
    const std::string prefix = "Error opening project file \"" + damaged + "\".\n\nThe error was: ";
    EXPECT_EQ(log.addedError.GetText().substr(0, prefix.size()), prefix);
    EXPECT_GT(log.addedError.GetText().size(), prefix.size()) << "the load error follows";
    EXPECT_EQ(projects.GetNumProjects(), 1u);
    EXPECT_EQ(projects.GetCurrentProject(), fresh);

    // A file that another program holds keeps the load's own code: it is not missing.
    const std::string locked = folder.Path("locked.wkp");
    {
        CProject saved;
        ASSERT_TRUE(saved.Save(false, nullptr, locked.c_str(), pffBinary));
    }
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(projects.OpenPath(locked, CProjects::kOpenAndSwitch, true), nullptr);
    CloseHandle(lock);
    EXPECT_FALSE(log.addedOk);
    EXPECT_EQ(log.addedError.GetCode(), 3);
}

TEST(ProjectsTest, ClosingTheCurrentProjectChoosesTheNextElseThePrevious) {
    CProjects projects;
    CProjectsLog log(projects);
    CProject* a = NewNamed(projects, "a");
    NewNamed(projects, "b");
    CProject* c = NewNamed(projects, "c");
    projects.SetCurrent(a);
    log.events.clear();

    EXPECT_TRUE(projects.Close(a, false));
    EXPECT_EQ(log.events, (std::vector<std::string>{"may close a", "closed a", "switched a>b"}));
    EXPECT_EQ(log.lastReason, EExitReason::CloseProject);
    EXPECT_FALSE(log.closedStillOpen);
    projects.SetCurrent(c);
    EXPECT_TRUE(projects.Close(c, true));
    EXPECT_EQ(projects.GetCurrentProject()->GetState()->GetName(), "b") << "the last one: previous";
    EXPECT_TRUE(projects.Close(projects.GetCurrentProject(), false));
    EXPECT_EQ(projects.GetCurrentProject(), nullptr);
    EXPECT_TRUE(projects.Close(nullptr, false));

    CProject outsider;
    EXPECT_THROW(projects.Close(&outsider, true), CError);
}

TEST(ProjectsTest, TheCloseVoteIsNoWithoutListenersAndStopsAtTheFirstNo) {
    CProjects projects;
    CProject* a = NewNamed(projects, "a");
    EXPECT_FALSE(projects.Close(a, false));
    EXPECT_FALSE(projects.MayCloseAll(EExitReason::Exit));
    EXPECT_EQ(projects.GetNumProjects(), 1u);

    NewNamed(projects, "b");
    NewNamed(projects, "c");
    CProjectsLog log(projects);
    log.refuse = {"b"};
    EXPECT_FALSE(projects.MayCloseAll(EExitReason::EndSession));
    EXPECT_EQ(log.events, (std::vector<std::string>{"may close a", "may close b"}));
    EXPECT_EQ(log.lastReason, EExitReason::EndSession);
    EXPECT_FALSE(projects.Close(projects.GetProject(1), false));
    EXPECT_EQ(projects.GetNumProjects(), 3u);
    log.refuse.clear();
    EXPECT_TRUE(projects.MayCloseAll(EExitReason::Exit));
    CProjects empty;
    EXPECT_TRUE(empty.MayCloseAll(EExitReason::Exit));
}

TEST(ProjectsTest, CloseAllAnnouncesEveryProjectAndSwitchesToNoneLast) {
    CProjects projects;
    NewNamed(projects, "a");
    CProject* b = NewNamed(projects, "b");
    projects.SetCurrent(b);
    CProjectsLog log(projects);
    projects.CloseAll();
    ASSERT_EQ(log.events.size(), 3u);
    EXPECT_EQ(log.events.back(), "switched b>-");
    EXPECT_FALSE(log.closedStillOpen);
    EXPECT_FALSE(projects.HasProjects());
    EXPECT_TRUE(std::find(log.events.begin(), log.events.end(), "may close a") == log.events.end());
}

TEST(ProjectsTest, SavingToANewLocationRefilesTheProjectByPath) {
    CTempFolder folder;
    CProjects projects;
    CProject* first = NewNamed(projects, "first");
    CProject* second = NewNamed(projects, "second");
    const std::string path = folder.Path("plan.xml");
    const std::string moved = folder.Path("moved.wkp");
    ASSERT_TRUE(first->Save(false, nullptr, path.c_str(), pffXML));
    EXPECT_TRUE(projects.IsPathOpen(path));
    ASSERT_TRUE(first->Save(false, nullptr, moved.c_str(), pffBinary));
    EXPECT_FALSE(projects.IsPathOpen(path));
    EXPECT_TRUE(projects.IsPathOpen(Upper(moved)));
    EXPECT_EQ(projects.OpenPath(moved, CProjects::kOpenOnly, true), first);
    EXPECT_EQ(projects.GetNumProjects(), 2u);
    EXPECT_TRUE(projects.Close(first, true));
    EXPECT_FALSE(projects.IsPathOpen(moved));
    EXPECT_TRUE(projects.Contains(second));
}

TEST(ProjectsTest, StartingWorkEndsTheRunningTallymarkAndRefusesDisabledActivities) {
    modeltest::CPinnedClock clock(modeltest::Date(2024, 3, 1, 12));
    static double now = modeltest::Date(2024, 3, 1, 12).GetValue();
    CDateTime::SetNowSource([](bool) { return CDateTime(now += 1.0 / 86400.0); });
    CProjects projects;
    EXPECT_FALSE(projects.StartWorking(nullptr, nullptr)) << "no current project";
    CProject* project = NewNamed(projects, "p");
    CProjectState* state = project->GetState();
    CActivity* write = AddActivity(*state, "Write");
    CActivity* read = AddActivity(*state, "Read");
    CActivity* off = AddActivity(*state, "Off");
    off->SetEnabled(false);
    projects.SetCurrent(project);
    EXPECT_FALSE(projects.StartWorking(nullptr, nullptr)) << "nothing selected";
    EXPECT_FALSE(projects.StopWorking(nullptr));

    state->SetSelectedActivity(write);
    EXPECT_TRUE(projects.StartWorking(nullptr, nullptr));
    CTallymark* first = state->GetCurrentTallymark();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(state->GetCurrentActivity(), write);

    EXPECT_FALSE(projects.StartWorking(project, off));
    EXPECT_EQ(state->GetCurrentTallymark(), first) << "a refused start leaves the work running";
    EXPECT_FALSE(projects.StartWorking(project, state->GetRootActivity()));

    EXPECT_TRUE(projects.StartWorking(project, read));
    EXPECT_FALSE(first->IsOpen());
    EXPECT_EQ(first->GetEnd(false), state->GetCurrentTallymark()->GetStart())
        << "each read of the clock finds it a second later; a switch reads it once";
    EXPECT_EQ(write->GetTallymarks().GetCount(), 1u);
    EXPECT_EQ(state->GetCurrentActivity(), read);
    EXPECT_TRUE(projects.IsAnyWorking());
    EXPECT_EQ(projects.GetWorkingProjects(), std::vector<CProject*>{project});

    EXPECT_TRUE(projects.StopWorking(project));
    EXPECT_FALSE(projects.StopWorking(project));
    EXPECT_FALSE(projects.IsAnyWorking());
    EXPECT_EQ(read->GetTallymarks().GetCount(), 1u);
}

// With the clock past the calendar nothing starts or stops: the running work goes on
// rather than end at a time that no file holds.
TEST(ProjectsTest, AClockPastTheCalendarNeitherStartsNorStopsWork) {
    CProjects projects;
    CProject* project = NewNamed(projects, "p");
    CProjectState* state = project->GetState();
    CActivity* write = AddActivity(*state, "Write");
    CActivity* read = AddActivity(*state, "Read");
    modeltest::CPinnedClock clock(modeltest::Date(9999, 12, 30, 12));
    ASSERT_TRUE(projects.StartWorking(project, write));
    CTallymark* running = state->GetCurrentTallymark();
    modeltest::CPinnedClock::Set(CDateTime(CDateTime::GetMaximum() + 0.5));
    EXPECT_FALSE(projects.StartWorking(project, read));
    EXPECT_TRUE(running->IsOpen());
    EXPECT_EQ(read->GetTallymarks().GetCount(), 0u);
    projects.StopWorking(project);
    EXPECT_TRUE(running->IsOpen());
    EXPECT_EQ(state->GetCurrentTallymark(), running);
}

// While a dialog edits a project, its OK or Cancel decides the project's content: work is
// neither started nor stopped from outside, on the committed tree or on the copy, and
// whichever way the edit ends the running tally mark is the one from before.
TEST(ProjectsTest, WorkIsNeitherStartedNorStoppedWhileAnEditIsOpen) {
    CProjects projects;
    CProject* project = NewNamed(projects, "p");
    CActivity* write = AddActivity(*project->GetState(), "Write");
    CActivity* read = AddActivity(*project->GetState(), "Read");
    ASSERT_TRUE(projects.StartWorking(project, write));
    for (bool commit : {true, false}) {
        CEditTransaction edit(*project);
        EXPECT_FALSE(CProjects::CanChangeWork(project));
        EXPECT_FALSE(projects.StartWorking(project, read)) << commit;
        EXPECT_FALSE(projects.StartWorking(project, edit.GetState()->FindByPosition(read)))
            << commit;
        EXPECT_FALSE(projects.StopWorking(project)) << commit;
        if (commit) {
            edit.Commit();
        } else {
            edit.Discard();
        }
        read = project->GetState()->GetRootActivity()->GetLastChild();
        ASSERT_TRUE(project->GetState()->IsWorking()) << commit;
        EXPECT_EQ(project->GetState()->GetCurrentActivity()->GetName(), "Write") << commit;
        EXPECT_EQ(read->GetTallymarks().GetCount(), 0u) << commit;
    }
    EXPECT_TRUE(CProjects::CanChangeWork(project));
    EXPECT_TRUE(projects.StopWorking(project));
}

TEST_F(ProjectsFileTest, OnlyUserProjectsCountAsWorking) {
    CProject* exchange = OpenSaved("exchange.xml", "Exchange", CProjects::kOpenForExchange);
    ASSERT_NE(exchange, nullptr);
    EXPECT_FALSE(log.addedUser);
    EXPECT_FALSE(exchange->IsUserProject());
    EXPECT_EQ(projects.GetCurrentProject(), nullptr);
    CActivity* activity = exchange->GetState()->GetRootActivity()->GetFirstChild();
    ASSERT_NE(activity, nullptr);
    AddTallymark(activity, At(3, 9));
    EXPECT_TRUE(exchange->GetState()->IsWorking());
    EXPECT_FALSE(projects.IsAnyWorking());
    EXPECT_TRUE(projects.GetWorkingProjects().empty());
}

} // namespace
