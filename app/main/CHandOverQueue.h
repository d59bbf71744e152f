#pragma once

// CHandOverQueue: the project paths that second instances handed over, opened in the
// order they came. A path that arrives while a modal moment runs (CModalScope) is kept:
// the moment holds the projects, and opening one (with its messages) must wait until the
// last moment has ended. The running main window hears the end through
// kOpenPendingMessage and calls OpenPending.
//
//   queue.Receive(path);                  // opens now, or keeps it for later
//   case CHandOverQueue::kOpenPendingMessage: queue.OpenPending();
//
// Usage notes:
// - At most kMaxPending paths wait; a path that waits already moves to the back instead
//   of waiting twice, and paths beyond the bound are dropped (any process can send
//   hand-overs).
// - User-interface thread only.

#include <windows.h>

#include <cstddef>
#include <deque>
#include <string>

class CProjects;

class CHandOverQueue {
public:
    static constexpr size_t kMaxPending = 64;
    // Posted to the main window when the last modal moment has ended.
    static constexpr UINT kOpenPendingMessage = WM_APP + 112;

    explicit CHandOverQueue(CProjects& projects) : m_projects(projects) {}
    CHandOverQueue(const CHandOverQueue&) = delete;
    CHandOverQueue& operator=(const CHandOverQueue&) = delete;

    // Opens path (and any that wait before it) unless a modal moment runs; then keeps
    // it. False when it was dropped because the queue is full.
    bool Receive(const std::string& path);
    // Opens the waiting paths one after another, first come first, for as long as no
    // modal moment runs (opening one may show a message, and paths received meanwhile
    // wait behind).
    void OpenPending();
    size_t GetPendingCount() const { return m_pending.size(); }

private:
    CProjects& m_projects;
    std::deque<std::string> m_pending;
    bool m_opening = false;
};
