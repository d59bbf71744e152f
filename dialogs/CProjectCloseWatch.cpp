#include "dialogs/CProjectCloseWatch.h"

#include "app/main/CAppMain.h"

#include <utility>

CProjectCloseWatch::CProjectCloseWatch(std::function<void()> onClosed)
    : m_onClosed(std::move(onClosed)) {}

CProjectCloseWatch::~CProjectCloseWatch() {
    DisconnectAll();
}

void CProjectCloseWatch::Watch(CProject* project) {
    DisconnectAll();
    m_project = project;
    m_closed = false;
    // Without an application object (a dialog tested on its own) no project can be closed.
    if (project != nullptr && CAppMain::Exists()) {
        Connect(&CAppMain::Get().GetProjects());
    }
}

bool CProjectCloseWatch::OnEvent(CProjectsClosedEvent& event) {
    if (m_project == nullptr || event.project != m_project) {
        return true;
    }
    m_project = nullptr;
    m_closed = true;
    DisconnectAll();
    if (m_onClosed) {
        m_onClosed();
    }
    return true;
}
