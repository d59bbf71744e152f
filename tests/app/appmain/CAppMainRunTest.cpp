#include "FakeMainWindow.h"

#include "app/services/CPowerStateChangedEvent.h"
#include "harness/CUiScript.h"

#include <string>
#include <vector>

namespace {

// The class of the control on the compact template: while it is not registered, the
// compact window cannot be created.
class CCompactPart {
public:
    CCompactPart() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TmAppMainPart";
        RegisterClassA(&windowClass);
    }
    ~CCompactPart() { UnregisterClassA("TmAppMainPart", GetModuleHandleA(nullptr)); }
};

using AppMainRunTest = CAppMainFixture;

TEST_F(AppMainRunTest, TheDisplaysAlternateWhileAWindowEndsWithTheSwitchCode) {
    CCompactPart part;
    WriteUserSettings("ShowTips=y|[View]|Mode=0|");
    CAppMain& app = MakeOpenedApp();
    SWindowLog log;
    log.exitCodes = {0xFFFF, 0xFFFF, 7};
    app.SetMainWindowFactory(CFakeMainWindow::Factory(log));

    int exitCode = 0;
    harness::CUiScript script;
    script.Run([&] { exitCode = app.RunMainWindows(); });

    EXPECT_EQ(exitCode, 7);
    EXPECT_EQ(log.askedModes, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(log.dialogIds, (std::vector<int>{100, 111, 100}));
    EXPECT_EQ(log.sizeGrips, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(log.dialogs, std::vector<EDialogKind>{EDialogKind::TipOfTheDay}) << "once per run";
    EXPECT_TRUE(log.alwaysCurrent);
    EXPECT_TRUE(log.alwaysFound);
    EXPECT_TRUE(log.alwaysHotKey);
    EXPECT_EQ(app.GetMainDlg(), nullptr);
    EXPECT_EQ(app.GetMainWindowHandle(), nullptr);
    EXPECT_TRUE(script.GetMessageBoxes().empty());
}

TEST_F(AppMainRunTest, AWindowThatCannotBeCreatedOrMadeEndsTheRunWithOne) {
    WriteUserSettings("[View]|Mode=1|");
    CAppMain& app = MakeOpenedApp();
    SWindowLog log;
    const struct {
        const char* what;
        CAppMain::MainWindowFactory factory;
        const char* text;
    } cases[] = {
        // With the system's reason when it gives one.
        {"no template", CFakeMainWindow::Factory(log), "Tallymarks will be closed automatically."},
        {"no window", [](EDisplayMode&) { return std::unique_ptr<IMainWindow>(); },
         "An unknown unhandled error occurred."},
        {"no factory", nullptr, "An unknown unhandled error occurred."},
    };
    for (const auto& c : cases) {
        app.SetMainWindowFactory(c.factory);
        int exitCode = 0;
        harness::CUiScript script;
        script.AnswerMessageBox(IDOK, c.text);
        script.Run([&] { exitCode = app.RunMainWindows(); });
        EXPECT_EQ(exitCode, 1) << c.what;
        ASSERT_EQ(script.GetMessageBoxes().size(), 1u) << c.what;
        EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Unhandled error");
        EXPECT_EQ(script.GetMessageBoxes()[0].icon, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(app.GetMainDlg(), nullptr) << c.what;
    }
    EXPECT_TRUE(log.dialogIds.empty());
}

TEST_F(AppMainRunTest, ARunStartsTheServicesAndBringsTheWindowBackAfterAResume) {
    WriteUserSettings("[PowerStateTracker]|Detect=y|");
    CAppMain& app = MakeApp();
    SWindowLog log;
    log.exitCodes = {3};
    log.stayOpen = true;
    app.SetMainWindowFactory([&log](EDisplayMode& mode) -> std::unique_ptr<IMainWindow> {
        log.askedModes.push_back(static_cast<int>(mode));
        CPowerStateChangedEvent suspended(false);
        CPowerStateChangedEvent resumed(true);
        CAppMain::Get().GetPowerStateTracker().Emit(suspended);
        CAppMain::Get().GetPowerStateTracker().Emit(resumed); // no window yet: nothing
        return std::make_unique<CFakeMainWindow>(log);
    });

    int exitCode = 0;
    harness::CUiScript script;
    script.Do([&] {
        CPowerStateChangedEvent resumed(true);
        app.GetPowerStateTracker().Emit(resumed);
        app.OnActivationHotKey();
        PostMessageA(app.GetMainWindowHandle(), CFakeMainWindow::kEndMessage, 0, 0);
    });
    script.Run([&] { exitCode = app.Run("plan.tmk"); });

    EXPECT_EQ(exitCode, 3);
    EXPECT_TRUE(app.GetUserSettings().IsOpen());
    EXPECT_NE(app.GetInvisibleWindow().GetHandle(), nullptr);
    EXPECT_EQ(app.GetCmdLineParser().GetFile(), "plan.tmk");
    EXPECT_EQ(log.activations, 2) << "one resume and one hotkey while the window ran";
}

} // namespace
