#pragma once

#include "library/events/CSlot.h"
#include "library/windows/CSubclassedWindow.h"
#include "model/CClockNoticeEvent.h"
#include "model/SClockNotice.h"

#include <windows.h>

#include <string>

// Tells the user what the clock made the model do otherwise than asked (CClockNotices): a
// start or stop refused because the clock shows a time that no project file can hold, or
// a tally mark ended by the time that really passed because the clock was set back.
//
//   box.Init(invisibleWindow.GetHandle());
//
// Usage notes:
// - A report only posts kShowMessage to the window: the boxes come once the model's
//   operation (and the command that called it) has returned, one after the other,
//   through ShowMessageBox, so each is a modal moment (CModalScope) like every other box.
// - A box goes over the innermost moment's window; with no window shown (the main window
//   hidden in the notification area) it holds every window of the thread.
class CClockNoticeBox : public CSlot<CClockNoticeEvent>, public CSubclassedWindow {
public:
    static constexpr UINT kShowMessage = WM_APP + 114;

    // Listens from construction on; shows nothing before Init.
    CClockNoticeBox();
    // The window that carries the boxes' message (the invisible window).
    bool Init(HWND window);
    // The message for a notice (placeholders replaced); local times as the user reads them.
    static std::string FormatMessage(const SClockNotice& notice);
    // Shows the notices kept so far, oldest first, and those reported meanwhile.
    void ShowPending();

protected:
    bool OnEvent(CClockNoticeEvent& event) override;
    void OnMessage(CMessage& message) override;

private:
    HWND m_window = nullptr;
    bool m_posted = false;
    bool m_showing = false;
};
