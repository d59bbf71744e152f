#include "AppMainFixture.h"

#include "harness/CUiScript.h"
#include "library/system/CCmdLine.h"
#include "library/text/CError.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/EProjectFileFormat.h"

#include <string>
#include <vector>

namespace {

// Answers every close vote as told, as the main window's questions would.
class CVoter : public CSlot<CProjectsMayCloseEvent> {
public:
    explicit CVoter(CProjects& projects) { Connect(&projects); }
    bool answer = true;

protected:
    bool OnEvent(CProjectsMayCloseEvent&) override { return answer; }
};

std::string NameOf(const CProject* project) {
    return project == nullptr ? "-" : project->GetState()->GetName();
}

class AppMainProjectsTest : public CAppMainFixture {
protected:
    // A saved project file of that name in the scratch folder; its path.
    std::string SaveProject(const std::string& file, const std::string& name) {
        CProject project;
        project.GetState()->SetName(name);
        const std::string path = m_folder.File(file);
        EXPECT_TRUE(project.Save(false, nullptr, path.c_str(), pffXML));
        return path;
    }
    // The open-projects section listing the files, with the active index.
    std::string OpenProjects(const std::vector<std::string>& files, int active) {
        std::string lines = "[OpenProjects]|Size=" + std::to_string(files.size()) + "|";
        for (size_t n = 0; n < files.size(); ++n) {
            lines += "Project" + std::to_string(n) + "Name=P" + std::to_string(n) + "|Project" +
                     std::to_string(n) + "FilePath=" + m_folder.File(files[n]) + "|";
        }
        return lines + "Active=" + std::to_string(active) + "|";
    }
};

TEST_F(AppMainProjectsTest, StartupProjectsOpenOnceWithTheRecordedOrFirstOneCurrent) {
    SaveProject("one.tmk", "Beta");
    SaveProject("two.tmk", "Alpha");
    SaveProject("three.tmk", "Gamma");
    const struct {
        std::vector<std::string> recorded;
        int active;
        std::string commandLine;
        std::string current;
        size_t open;
    } cases[] = {
        {{"one.tmk", "two.tmk"}, 0, "", "Beta", 2},
        {{"one.tmk", "missing.tmk", "two.tmk"}, 1, "", "Alpha", 2},
        {{"one.tmk", "two.tmk"}, 1, "three.tmk", "Gamma", 3},
        {{"one.tmk", "two.tmk"}, 1, "one.tmk", "Beta", 2},
        {{}, 0, "", "-", 0},
    };
    for (const auto& c : cases) {
        WriteUserSettings(OpenProjects(c.recorded, c.active));
        CAppMain& app = MakeOpenedApp();
        if (!c.commandLine.empty()) {
            const std::string quoted = "\"" + m_folder.File(c.commandLine) + "\"";
            CCmdLine(quoted.c_str()).Process(app.GetCmdLineParser());
        }
        app.OpenStartupProjects();
        app.OpenStartupProjects();
        EXPECT_EQ(NameOf(app.GetProjects().GetCurrentProject()), c.current) << c.commandLine;
        EXPECT_EQ(app.GetProjects().GetNumProjects(), c.open) << c.commandLine;
        m_app.reset();
    }
}

TEST_F(AppMainProjectsTest, ExitRecordsTheSavedProjectsInNameOrderWithTheCurrentOne) {
    const std::string beta = SaveProject("one.tmk", "Beta");
    const std::string alpha = SaveProject("two.tmk", "Alpha");
    WriteUserSettings("");
    CAppMain& app = MakeOpenedApp();
    CVoter voter(app.GetProjects());
    CProject* current = app.GetProjects().OpenPath(beta, CProjects::kOpenOnly, true);
    app.GetProjects().OpenPath(alpha, CProjects::kOpenOnly, true);
    app.NewProject(); // never saved
    app.GetProjects().SetCurrent(current);

    voter.answer = false;
    const std::string before = m_folder.Read("UserSettings.ini");
    EXPECT_FALSE(app.QueryExit(EExitReason::Exit));
    EXPECT_EQ(m_folder.Read("UserSettings.ini"), before);
    EXPECT_EQ(app.GetProjects().GetNumProjects(), 3u);

    voter.answer = true;
    EXPECT_TRUE(app.QueryExit(EExitReason::EndSession));
    EXPECT_EQ(app.GetProjects().GetNumProjects(), 0u);
    const std::string saved = m_folder.Read("UserSettings.ini");
    EXPECT_NE(saved.find(IniLines("Active=1|")), std::string::npos) << saved;
    EXPECT_NE(saved.find(IniLines("Project0FilePath=" + alpha +
                                  "|Project0Name=Alpha|"
                                  "Project1FilePath=" +
                                  beta + "|Project1Name=Beta|Size=2|")),
              std::string::npos)
        << saved;
}

TEST_F(AppMainProjectsTest, AFailedSaveOffersAbortRetryAndIgnore) {
    WriteUserSettings("");
    CAppMain& app = MakeOpenedApp();
    CVoter voter(app.GetProjects());
    app.NewProject();
    // A folder where the file must be written.
    ASSERT_TRUE(DeleteFileA(m_folder.File("UserSettings.ini").c_str()));
    ASSERT_TRUE(m_folder.MakeFolder("UserSettings.ini"));

    harness::CUiScript abort;
    abort.AnswerMessageBox(IDABORT, "error saving the settings to the settings file.");
    bool result = true;
    abort.Run([&] { result = app.QueryExit(EExitReason::Exit); });
    EXPECT_FALSE(result);
    EXPECT_EQ(app.GetProjects().GetNumProjects(), 1u);

    harness::CUiScript retry;
    retry.AnswerMessageBox(IDRETRY).AnswerMessageBox(IDIGNORE);
    retry.Run([&] { result = app.QueryExit(EExitReason::Exit); });
    EXPECT_TRUE(result);
    EXPECT_EQ(app.GetProjects().GetNumProjects(), 0u);
    ASSERT_EQ(retry.GetMessageBoxes().size(), 2u);
    const harness::SMessageBoxRecord& box = retry.GetMessageBoxes()[1];
    EXPECT_EQ(box.caption, "Tallymarks - Error saving settings");
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(box.buttons, (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
}

TEST_F(AppMainProjectsTest, ANewProjectBecomesCurrentUnlessItsDialogDeclinesOrFails) {
    WriteUserSettings("");
    const struct {
        const char* what;
        CAppMain::NewProjectDialog dialog;
        size_t open;
        bool current;
        const char* message;
    } cases[] = {
        {"no dialog", nullptr, 1, true, nullptr},
        {"confirmed", [](CProject&, HWND) { return true; }, 1, true, nullptr},
        {"declined", [](CProject&, HWND) { return false; }, 0, false, nullptr},
        {"failed", [](CProject&, HWND) -> bool { throw CError(1, "the disk is full"); }, 1, false,
         "There was an error creating the new project.\n\nThe error was: the disk is full"},
    };
    for (const auto& c : cases) {
        CAppMain& app = MakeOpenedApp();
        app.SetNewProjectDialog(c.dialog);
        harness::CUiScript script;
        if (c.message != nullptr) {
            script.AnswerMessageBox(IDOK, c.message);
        }
        script.Run([&] { app.NewProject(); });
        EXPECT_EQ(app.GetProjects().GetNumProjects(), c.open) << c.what;
        CProject* current = app.GetProjects().GetCurrentProject();
        EXPECT_EQ(current != nullptr, c.current) << c.what;
        if (current != nullptr) {
            EXPECT_TRUE(current->IsInitialised()) << c.what;
            EXPECT_TRUE(current->IsNew()) << c.what;
        }
        if (c.message != nullptr && script.GetMessageBoxes().size() == 1) {
            EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Error creating project");
            EXPECT_EQ(script.GetMessageBoxes()[0].icon, static_cast<UINT>(MB_ICONERROR));
        }
        m_app.reset();
    }
}

} // namespace
