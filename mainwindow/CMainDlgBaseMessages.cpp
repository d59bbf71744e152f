// CMainDlgBase: the window messages both displays share, the display switch, activation
// and always-on-top.

#include "mainwindow/CMainDlgBase.h"

#include "app/main/CAppMain.h"
#include "app/main/HandOver.h"
#include "library/dialogs/CModalScope.h"
#include "library/windows/CWindowActivator.h"
#include "model/CProjects.h"

bool CMainDlgBase::OnDialogMessage(CDialogMessageEvent& event) {
    CAppMain& app = CAppMain::Get();
    switch (event.message) {
    case WM_SYSCOMMAND:
        // When the tray refuses the icon the window minimises the ordinary way.
        if ((event.wParam & 0xFFF0) == SC_MINIMIZE &&
            app.GetSetMinToNotArea().GetMinimizeToNotArea()) {
            return app.GetNotArea().ShowIcon(true);
        }
        return false;
    case WM_SIZE:
        if (event.wParam == SIZE_MINIMIZED && app.GetSetMinToNotArea().GetMinimizeToNotArea()) {
            return app.GetNotArea().ShowIcon(true);
        }
        return false;
    case WM_CLOSE:
        Exit(EExitReason::Exit);
        return true;
    case WM_QUERYENDSESSION:
        event.result = QueryEndSession() ? TRUE : FALSE;
        return true;
    case WM_COPYDATA: {
        if (app.GetNotArea().IsIconShown()) {
            app.GetNotArea().ShowIcon(false);
        } else {
            ShowWindow(GetHwnd(), SW_RESTORE);
        }
        // During a modal moment a path waits, and the user sees what holds it up.
        if (IsDialogRunning()) {
            BringDialogToFront();
        }
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(event.lParam);
        std::string path;
        // Any process may send this: the text is read within the bytes it declares.
        if (data != nullptr && ReadHandOverPath(*data, path)) {
            app.GetHandOvers().Receive(path);
        }
        event.result = TRUE;
        return true;
    }
    case CHandOverQueue::kOpenPendingMessage:
        app.GetHandOvers().OpenPending();
        return true;
    case CPostponedInactivity::kOpenDueMessage:
        m_postponedInactivity.OpenDue();
        return true;
    default:
        return false;
    }
}

bool CMainDlgBase::QueryEndSession() {
    // A modal moment holds projects that closing would delete, the exit and save
    // questions included: the session waits for it.
    if (IsDialogRunning()) {
        BringDialogToFront();
        return false;
    }
    return CAppMain::Get().QueryExit(EExitReason::EndSession);
}

void CMainDlgBase::SetTerminateResult(CDialogTerminateEvent& event) {
    event.exitCode = m_switchRequested ? kSwitchDisplayExitCode : 0;
}

void CMainDlgBase::SwitchDisplay() {
    if (IsDialogRunning()) {
        return;
    }
    StorePlacement();
    m_switchRequested = true;
    Close();
}

void CMainDlgBase::Activate() {
    CAppMain& app = CAppMain::Get();
    if (app.GetNotArea().IsIconShown()) {
        app.GetNotArea().ShowIcon(false);
    }
    if (GetHwnd() != nullptr) {
        ActivateWindow(GetHwnd(), app.GetInvisibleWindow().GetHandle());
    }
}

bool CMainDlgBase::Exit(EExitReason reason) {
    if (IsDialogRunning()) {
        BringDialogToFront();
        return false;
    }
    bool consent = CAppMain::Get().QueryExit(reason);
    if (consent && reason != EExitReason::EndSession) {
        Close();
    }
    return consent;
}

bool CMainDlgBase::OnViewTopMostChanged(CViewTopMostChangedEvent& event) {
    SetTopMost(event.topMost);
    return true;
}

void CMainDlgBase::SetTopMost(bool topMost) {
    if (GetHwnd() != nullptr) {
        SetWindowPos(GetHwnd(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

bool CMainDlgBase::IsDialogRunning() const {
    return CModalScope::IsActive();
}

void CMainDlgBase::BringDialogToFront() {
    CModalScope::BringToFront(GetHwnd());
}
