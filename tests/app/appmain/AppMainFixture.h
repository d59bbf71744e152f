#pragma once

// The application object on a scratch program folder of its own: a portable
// installation, so that both settings files lie in that folder, and no single-instance
// names. Texts come from a resource module that the fixture makes both the text module
// and the current one, as the program entry does.

#include "app/main/CAppMain.h"
#include "library/system/CScratchFolder.h"
#include "library/system/CResourceModule.h"
#include "library/text/CText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The class of the tests' main window templates.
constexpr char kTestWindowClass[] = "TmAppMainTest";

// Text with "|" for each line end, as the settings files write them.
inline std::string IniLines(std::string text) {
    for (size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', bar + 2)) {
        text.replace(bar, 1, "\r\n");
    }
    return text;
}

class CAppMainFixture : public ::testing::Test {
protected:
    CAppMainFixture() : m_resources(nullptr, nullptr) {
        CText::SetResourceModule(&m_resources);
        CResourceModule::SetCurrent(&m_resources);
        m_folder.Write("InstallSettings.ini", IniLines("[Settings]|PortableInstall=y|"));
    }
    ~CAppMainFixture() override {
        m_app.reset();
        CResourceModule::SetCurrent(nullptr);
        CText::SetResourceModule(nullptr);
    }

    // The user file: no inactivity detection and no tip unless lines say otherwise
    // (later keys of a section replace earlier ones).
    void WriteUserSettings(const std::string& lines) {
        m_folder.Write("UserSettings.ini",
                       IniLines("[InactivityDetector]|Detect=n|[Settings]|ShowTips=n|" + lines));
    }

    CAppMain& MakeApp() {
        SAppOptions options;
        options.programFolder = m_folder.Path();
        options.mutexName.clear();
        options.windowClass = kTestWindowClass;
        m_app = std::make_unique<CAppMain>(options);
        return *m_app;
    }

    // The settings files opened without messages.
    CAppMain& MakeOpenedApp() {
        CAppMain& app = MakeApp();
        app.OpenSettingsFiles();
        return app;
    }

    CScratchFolder m_folder;
    CResourceModule m_resources;
    std::unique_ptr<CAppMain> m_app;
};
