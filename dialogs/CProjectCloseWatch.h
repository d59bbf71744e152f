#pragma once

// CProjectCloseWatch: tells a dialog that the project it works on is being closed (tray
// exit, log-off, a new project in its place), so that the dialog lets go of it before the
// project is deleted.
//
//   CProjectCloseWatch m_closeWatch{[this] { OnProjectClosed(); }};
//   m_closeWatch.Watch(project);            // in the constructor; null watches nothing
//
//   void CMyDlg::OnProjectClosed() {        // forgets every pointer into the project
//       m_project = nullptr;
//       m_state = nullptr;
//       Close();
//   }
//
// Usage notes:
// - The handler runs at most once, during the closed event. The project and every state
//   of it are deleted right after it returns: it must not touch them, and must leave
//   nothing running (a list's rows, a timer) that would touch them later.
// - Afterwards IsClosed() is true and the watch hears nothing more.

#include "library/events/CSlot.h"
#include "model/CProjectsClosedEvent.h"

#include <functional>

class CProject;

class CProjectCloseWatch : public CSlot<CProjectsClosedEvent> {
public:
    explicit CProjectCloseWatch(std::function<void()> onClosed);
    ~CProjectCloseWatch() override;
    CProjectCloseWatch(const CProjectCloseWatch&) = delete;
    CProjectCloseWatch& operator=(const CProjectCloseWatch&) = delete;

    // Watches project among the application's open projects.
    void Watch(CProject* project);
    // True once the watched project was closed.
    bool IsClosed() const { return m_closed; }

protected:
    bool OnEvent(CProjectsClosedEvent& event) override;

private:
    std::function<void()> m_onClosed;
    CProject* m_project = nullptr;
    bool m_closed = false;
};
