#include "AppMainFixture.h"

#include "harness/CUiScript.h"
#include "model/ILastProjectFolder.h"
#include "resources/ResourceIds.h"

#include <string>

namespace {

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// The test language modules, built beside this program.
std::string TestModule(const std::string& name) {
    const std::string own = OwnPath();
    return own.substr(0, own.find_last_of('\\')) + "\\modules\\" + name + ".dll";
}

using AppMainSettingsTest = CAppMainFixture;

TEST_F(AppMainSettingsTest, APortableInstallationKeepsBothFilesInTheProgramFolder) {
    WriteUserSettings("[View]|Mode=1|");
    CAppMain& app = MakeOpenedApp();

    EXPECT_TRUE(app.GetSetInstall().GetPortableInstall());
    EXPECT_EQ(app.GetUserSettings().GetFilePath(), m_folder.File("UserSettings.ini"));
    EXPECT_TRUE(app.GetUserSettings().IsOpen());
    EXPECT_EQ(app.GetSetView().GetMode(), 1u);
    EXPECT_FALSE(app.GetSetInactivityDetector().GetDetect());
}

TEST_F(AppMainSettingsTest, AnEmptyLanguageBecomesEnglishAndIsSavedAtExit) {
    WriteUserSettings("Language=|");
    CAppMain& app = MakeOpenedApp();
    harness::CUiScript script;
    script.Run([&] { app.LoadLanguageModules(); });

    EXPECT_TRUE(script.GetMessageBoxes().empty());
    EXPECT_EQ(app.GetSetLanguage().GetLanguage(), "EN");
    EXPECT_TRUE(app.QueryExit(EExitReason::Exit));
    EXPECT_NE(m_folder.Read("UserSettings.ini").find("Language=EN\r\n"), std::string::npos);
}

TEST_F(AppMainSettingsTest, AMissingLanguageIsReportedOnceAndTheSettingStays) {
    WriteUserSettings("Language=qq|");
    CAppMain& app = MakeOpenedApp();
    harness::CUiScript script;
    script.AnswerMessageBox(IDOK, "The language module \"QQ\" could not be found.");
    script.Run([&] { app.LoadLanguageModules(); });

    ASSERT_EQ(script.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Can't find language module");
    EXPECT_EQ(script.GetMessageBoxes()[0].icon, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(CText(IDS_LANGUAGE_ABBREVIATION).GetString(), "EN");
    EXPECT_EQ(app.GetSetLanguage().GetLanguage(), "qq");
    EXPECT_TRUE(app.QueryExit(EExitReason::Exit));
    EXPECT_NE(m_folder.Read("UserSettings.ini").find("Language=qq\r\n"), std::string::npos);
}

TEST_F(AppMainSettingsTest, AModuleThatFailsIsListedAndTheChosenOneServesTheTexts) {
    ASSERT_TRUE(CopyFileA(TestModule("Tallymarks_XX").c_str(),
                          m_folder.File("Tallymarks_XX.dll").c_str(), FALSE))
        << "the test language modules are built with every target";
    ASSERT_TRUE(CopyFileA(TestModule("Tallymarks_NoKey").c_str(),
                          m_folder.File("Tallymarks_NoKey.dll").c_str(), FALSE));
    WriteUserSettings("Language=xx|");
    CAppMain& app = MakeOpenedApp();
    harness::CUiScript script;
    script.AnswerMessageBox(IDOK);
    script.Run([&] { app.LoadLanguageModules(); });

    ASSERT_EQ(script.GetMessageBoxes().size(), 1u);
    const harness::SMessageBoxRecord& box = script.GetMessageBoxes()[0];
    EXPECT_EQ(box.caption, "Tallymarks - Error loading language modules");
    EXPECT_EQ(box.text, "There was an error loading the language modules.\n\nThe following "
                        "language modules couldn't be loaded:\n- \"" +
                            m_folder.File("Tallymarks_NoKey.dll") +
                            "\"\nPlease re-install Tallymarks to fix this problem.");
    EXPECT_EQ(CText(IDS_LANGUAGE_ABBREVIATION).GetString(), "xx");
    EXPECT_NE(CResourceModule::GetCurrent().GetInstance(), GetModuleHandleA(nullptr));

    m_app.reset();
    EXPECT_EQ(CResourceModule::GetCurrent().GetInstance(), GetModuleHandleA(nullptr))
        << "the module goes with the application object";
}

// The file dialogs start in the last project folder of the settings (the Documents folder
// when none is stored yet), and a folder chosen there is saved again.
TEST_F(AppMainSettingsTest, FileDialogsStartInTheLastProjectFolderOfTheSettings) {
    WriteUserSettings("[OpenProjects]|LastPath=C:\\Projects|");
    CAppMain& app = MakeOpenedApp();
    EXPECT_EQ(ILastProjectFolder::GetCurrent().GetLastPath(), "C:\\Projects");
    ILastProjectFolder::GetCurrent().SetLastPathFromFile("C:\\Elsewhere\\plan.wkp");
    EXPECT_TRUE(app.QueryExit(EExitReason::Exit));
    EXPECT_NE(m_folder.Read("UserSettings.ini").find("LastPath=C:\\Elsewhere\r\n"),
              std::string::npos);
    m_app.reset();
    EXPECT_EQ(ILastProjectFolder::GetCurrent().GetLastPath(), "");
}

// Asking for a page of help that is not installed says so and asks for a re-installation.
TEST_F(AppMainSettingsTest, HelpThatIsNotInstalledIsSaidToBeMissing) {
    WriteUserSettings("Language=EN|");
    CAppMain& app = MakeOpenedApp();
    harness::CUiScript script;
    script.AnswerMessageBox(IDOK, "The help pages are not installed");
    script.Run([&] {
        app.LoadLanguageModules();
        EXPECT_FALSE(app.ShowHelpPage(IDS_HELP_MAIN_WINDOW, nullptr));
    });

    ASSERT_EQ(script.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(script.GetMessageBoxes()[0].text,
              "The help pages are not installed.  Please re-install Tallymarks to use the help "
              "pages.");
    EXPECT_EQ(script.GetMessageBoxes()[0].icon, static_cast<UINT>(MB_ICONINFORMATION));
}

} // namespace
