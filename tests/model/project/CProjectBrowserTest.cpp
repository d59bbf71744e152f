#include "model/CProjectBrowser.h"

#include "model/CMemoryLastProjectFolder.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/EProjectFileFormat.h"

#include "../../harness/CUiScript.h"
#include "../../harness/UiControls.h"
#include "ProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using projecttest::CTempFolder;

const int kFileNameControl = 0x47c; // cmb13

// Installs an in-memory last folder for the test and puts the default back afterwards.
class ProjectBrowserTest : public ::testing::Test {
protected:
    void SetUp() override { ILastProjectFolder::SetCurrent(&m_lastFolder); }
    void TearDown() override { ILastProjectFolder::SetCurrent(nullptr); }

    // Runs the browser while a script waits for the dialog with that caption, types the
    // name (when not empty) and presses OK, or cancels when name is empty.
    bool BrowseAndType(CProjectBrowser& browser, int purpose, const std::string& proposed,
                       int format, const std::string& caption, const std::string& name) {
        harness::CUiScript script;
        HWND dialog = nullptr;
        script
            .WaitFor(
                [&] {
                    dialog = harness::FindThreadWindow(caption);
                    return dialog != nullptr;
                },
                10000, "file dialog " + caption)
            .Do([&] {
                if (name.empty()) {
                    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                    return;
                }
                SendMessageA(dialog, CDM_SETCONTROLTEXT, kFileNameControl,
                             reinterpret_cast<LPARAM>(name.c_str()));
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            });
        bool result = false;
        script.Run([&] { result = browser.Browse(purpose, nullptr, proposed, format); });
        return result;
    }

    CMemoryLastProjectFolder m_lastFolder;
};

bool SamePath(const std::string& a, const std::string& b) {
    return _stricmp(a.c_str(), b.c_str()) == 0;
}

TEST(ProjectBrowserExtensionTest, AddsTheExtensionOnlyToANameWithoutOne) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"C:\\a\\plan", "C:\\a\\plan.xml"},
        {"C:\\a\\plan.wkp", "C:\\a\\plan.wkp"},
        {"C:\\a.b\\plan", "C:\\a.b\\plan.xml"},
        {"C:/a.b/plan", "C:/a.b/plan.xml"},
        {"plan.", "plan."},
        {"plan", "plan.xml"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CProjectBrowser::AddDefaultExtension(c.path, "xml"), c.expected) << c.path;
    }
}

TEST_F(ProjectBrowserTest, SavingUnderTheXmlFilterAddsXmlAndRemembersTheFolder) {
    CTempFolder last;
    CTempFolder proposedFolder;
    m_lastFolder.SetLastPathFromFile(last.Path("old.wkp"));
    CProjectBrowser browser;
    ASSERT_TRUE(BrowseAndType(browser, CProjectBrowser::bpSave, proposedFolder.Path("Plan"), pffXML,
                              "Tallymarks - Save project", "Budget"));
    EXPECT_TRUE(browser.IsConfirmed());
    EXPECT_TRUE(SamePath(browser.GetFilePath(), proposedFolder.Path("Budget.xml")))
        << browser.GetFilePath();
    EXPECT_EQ(browser.GetFormat(), pffXML);
    EXPECT_TRUE(SamePath(m_lastFolder.GetLastPath(), proposedFolder.GetPath()))
        << m_lastFolder.GetLastPath();
}

// A project without a file proposes its name alone: the dialog starts in the last folder,
// not in the working folder; a project with a file proposes that file.
TEST_F(ProjectBrowserTest, ANewProjectIsFirstSavedInTheLastFolder) {
    CTempFolder last;
    m_lastFolder.SetLastPathFromFile(last.Path("old.wkp"));
    CProject project;
    project.GetState(true)->SetName("Kitchen");
    EXPECT_EQ(CProjectBrowser::ProposedName(project), "Kitchen");
    CProjectBrowser browser;
    ASSERT_TRUE(BrowseAndType(browser, CProjectBrowser::bpSave,
                              CProjectBrowser::ProposedName(project), pffBinary,
                              "Tallymarks - Save project", "Kitchen"));
    EXPECT_TRUE(SamePath(browser.GetFilePath(), last.Path("Kitchen.wkp"))) << browser.GetFilePath();

    CTempFolder other;
    ASSERT_TRUE(project.Save(false, nullptr, other.Path("Kitchen.wkp").c_str(), pffBinary));
    EXPECT_TRUE(SamePath(CProjectBrowser::ProposedName(project), other.Path("Kitchen.wkp")))
        << CProjectBrowser::ProposedName(project);
}

TEST_F(ProjectBrowserTest, OpeningTakesAnExtensionlessFileAsItIsInBinaryFormat) {
    CTempFolder folder;
    folder.WriteFile("data", "<?xml version='1.0'?>");
    m_lastFolder.SetLastPathFromFile(folder.Path("x"));
    // Any purpose above the known ones opens.
    CProjectBrowser browser;
    ASSERT_TRUE(BrowseAndType(browser, 7, "", 0, "Tallymarks - Open project", folder.Path("data")));
    EXPECT_TRUE(SamePath(browser.GetFilePath(), folder.Path("data"))) << browser.GetFilePath();
    EXPECT_EQ(browser.GetFormat(), pffBinary);
}

TEST_F(ProjectBrowserTest, CancellingKeepsTheLastFolderAndTheEarlierAnswer) {
    CTempFolder folder;
    m_lastFolder.SetLastPathFromFile(folder.Path("x.wkp"));
    CProjectBrowser browser;
    ASSERT_TRUE(BrowseAndType(browser, CProjectBrowser::bpExport, "", 0,
                              "Tallymarks - Export to project", "First"));
    EXPECT_EQ(browser.GetFormat(), pffBinary);
    const std::string chosen = browser.GetFilePath();
    EXPECT_TRUE(SamePath(chosen, folder.Path("First.wkp"))) << chosen;

    m_lastFolder.SetLastPathFromFile("C:\\elsewhere\\y.wkp");
    EXPECT_FALSE(BrowseAndType(browser, CProjectBrowser::bpImport, "", 0,
                               "Tallymarks - Import from project", ""));
    EXPECT_FALSE(browser.IsConfirmed());
    EXPECT_EQ(browser.GetFilePath(), chosen);
    EXPECT_EQ(browser.GetFormat(), pffBinary);
    EXPECT_EQ(m_lastFolder.GetLastPath(), "C:\\elsewhere");
    browser.Reset();
    EXPECT_EQ(browser.GetFilePath(), "");
    EXPECT_EQ(browser.GetFormat(), 0);
}

} // namespace
