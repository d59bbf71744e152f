#pragma once

// CDialogAppFixture: the application object on a scratch folder of its own, for tests that
// run a dialog by itself: the common controls and the program's pictures loaded once per
// suite, the application started when the test has written the files it reads, projects
// saved and opened as a person would, and the bytes a project saves.
//
// Header only: the harness library itself sees only the library layer, while every test
// program links all layers.

#include "app/main/CAppMain.h"
#include "app/ui/SharedPictures.h"
#include "harness/DialogRun.h"
#include "library/system/CScratchFolder.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/EProjectFileFormat.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace harness {

class CDialogAppFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {
            sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                  ICC_DATE_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        LoadIconsAndImageLists(GetModuleHandleA(nullptr));
    }
    ~CDialogAppFixture() override { m_app.reset(); }

    // Starts the application object on the folder, without the program's single-instance
    // names. A portable installation reads and writes the settings files of the folder.
    void StartApp(bool portable) {
        if (portable) {
            m_folder.Write("InstallSettings.ini", "[Settings]\r\nPortableInstall=y\r\n");
        }
        SAppOptions options;
        options.programFolder = m_folder.Path();
        options.mutexName.clear();
        m_app = std::make_unique<CAppMain>(options);
    }
    CProjects& Projects() { return m_app->GetProjects(); }

    // A new project built by build, saved as name in the folder (and let go, so that
    // nothing holds the file), its bytes kept in m_original, and opened as a person would,
    // beside the current project.
    CProject* SaveAndOpen(const std::function<void(CProjectState&)>& build,
                          const std::string& name = "f.wkp") {
        {
            CProject project;
            build(*project.GetState());
            EXPECT_TRUE(project.Save(false, nullptr, m_folder.File(name).c_str(), pffBinary));
        }
        m_original = m_folder.Read(name);
        return Projects().OpenPath(m_folder.File(name), CProjects::kOpenOnly, true);
    }
    // Saves the committed state under another name and closes the project (which holds
    // its file while open): the file's bytes.
    std::string SaveAndClose(CProject* project) {
        EXPECT_TRUE(project->Save(false, nullptr, m_folder.File("c.wkp").c_str(), pffBinary));
        EXPECT_TRUE(Projects().Close(project, true));
        return m_folder.Read("c.wkp");
    }

    CScratchFolder m_folder;
    std::unique_ptr<CAppMain> m_app;
    std::string m_original;
};

} // namespace harness
