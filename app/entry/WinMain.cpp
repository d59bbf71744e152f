// The program entry: the resources of the run, the crash report, and the application
// object, which runs everything else.

#include "MainWindows.h"

#include "app/main/CAppMain.h"
#include "app/main/ReportUnhandledException.h"
#include "dialogs/DialogRegistry.h"
#include "reports/ReportRegistry.h"
#include "library/system/CResourceModule.h"
#include "library/system/CSEHandler.h"
#include "library/text/CError.h"
#include "library/text/CText.h"
#include "resources/ResourceIds.h"

#include <windows.h>

#include <memory>

namespace {

// Makes the application object, runs it and destroys it; an error that escapes the run
// is shown, still in the chosen language, and gives exit code 1.
int RunApplication(const char* commandLine) {
    std::unique_ptr<CAppMain> app;
    try {
        app = std::make_unique<CAppMain>();
        app->SetMainWindowFactory(&MakeMainWindow);
        RegisterDialogs();
        RegisterReportDialog();
        app->SetHelpFile();
        InstallSEHandler(&ReportUnhandledException);
        return app->Run(commandLine != nullptr ? commandLine : "");
    } catch (const CError& error) {
        CText text(IDS_UNHANDLED_ERROR);
        text.ReplaceWithString("[ERROR]", error.GetText(), true);
        MessageBoxA(nullptr, text, CText(IDS_UNHANDLED_ERROR_CAPTION), MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxA(nullptr, CText(IDS_UNHANDLED_UNKNOWN_ERROR), CText(IDS_UNHANDLED_ERROR_CAPTION),
                    MB_OK | MB_ICONERROR);
    }
    return 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // Texts, dialogs and menus come from here: the chosen language module once the
    // application object has chosen one, with the program behind it. It outlives the
    // application object and is handed back before it goes.
    CResourceModule resources(instance, instance);
    CText::SetResourceModule(&resources);
    CResourceModule::SetCurrent(&resources);

    const int exitCode = RunApplication(commandLine);

    CResourceModule::SetCurrent(nullptr);
    CText::SetResourceModule(nullptr);
    return exitCode;
}
