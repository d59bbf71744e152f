#include "MainWindowFixture.h"

#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/EProjectFileFormat.h"

namespace mainwindowtest {

namespace {

std::string WithCrLf(const std::string& lines) {
    std::string text;
    for (char c : lines) {
        if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace

CMainWindowFixture::CMainWindowFixture() {
    m_folder.Write("InstallSettings.ini", WithCrLf("[Settings]\nPortableInstall=y\n"));
    // No tip dialog, no inactivity dialog: the scripts decide what shows.
    SetUserSettings("");
    StartApp();
}

void CMainWindowFixture::StartApp() {
    m_app.reset();
    SAppOptions options;
    options.programFolder = m_folder.Path();
    options.mutexName.clear();
    m_app = std::make_unique<CAppMain>(options);
    m_app->SetMainWindowFactory(
        [](int) -> std::unique_ptr<IMainWindow> { return std::make_unique<CMainDlg>(); });
}

CMainWindowFixture::~CMainWindowFixture() {
    m_app.reset();
}

void CMainWindowFixture::SetUserSettings(const std::string& lines) {
    m_folder.Write("UserSettings.ini",
                   WithCrLf("[InactivityDetector]\nDetect=n\n[Settings]\nShowTips=n\n" + lines));
}

std::string CMainWindowFixture::MakeProject(const std::string& file, const std::string& name,
                                            const std::vector<SFixtureActivity>& activities) {
    CProject project;
    CProjectState* state = project.GetState(true);
    state->SetName(name);
    std::vector<CActivity*> made;
    const CDateTime now = CDateTime::Now(true);
    for (const SFixtureActivity& entry : activities) {
        CActivity* activity = new CActivity(state, entry.name, true);
        CActivity* parent =
            entry.parent < 0 ? state->GetRootActivity() : made[static_cast<size_t>(entry.parent)];
        parent->AddChildActivity(activity, -1);
        made.push_back(activity);
        for (int hour = 0; hour < entry.hours; ++hour) {
            CDateTime start(now.GetValue() - (hour + 1) / 24.0);
            CDateTime end(now.GetValue() - hour / 24.0);
            activity->GetTallymarks().Add(new CTallymark(activity, start, end));
        }
    }
    const std::string path = m_folder.File(file);
    EXPECT_TRUE(project.Save(false, nullptr, path.c_str(), pffBinary));
    return path;
}

int CMainWindowFixture::Run(harness::CUiScript& script, const std::string& commandLine) {
    int exitCode = -1;
    script.Run([&] { exitCode = m_app->Run(commandLine); });
    return exitCode;
}

std::string CMainWindowFixture::ReadUserSettings() const {
    return m_folder.Read("UserSettings.ini");
}

void CMainWindowFixture::Command(int id) {
    SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

} // namespace mainwindowtest
