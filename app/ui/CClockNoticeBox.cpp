#include "app/ui/CClockNoticeBox.h"

#include "library/datetime/CDateTimeFormat.h"
#include "library/dialogs/CModalScope.h"
#include "library/dialogs/ShowMessageBox.h"
#include "library/system/CReentryGuard.h"
#include "library/text/CText.h"
#include "model/CClockNotices.h"
#include "model/CModelTimeZone.h"
#include "resources/ResourceIds.h"

#include <vector>

namespace {

// A universal time in the user's local date and time format; "?" when it cannot be read.
std::string LocalText(const CDateTime& utc) {
    const CDateTime local = utc.IsValid() ? utc.UtcToLocal(CModelTimeZone::Get()) : CDateTime();
    if (!local.IsValid()) {
        return "?";
    }
    const CDateTimeFormat& formats = CDateTimeFormat::Instance();
    return local.FormatDateTime(formats.GetNumericDateFormat(), formats.GetTimeOfDayFormat());
}

} // namespace

CClockNoticeBox::CClockNoticeBox() {
    CSlot<CClockNoticeEvent>::Connect(&CClockNotices::Get());
}

bool CClockNoticeBox::Init(HWND window) {
    m_window = window;
    if (window == nullptr || !Subclass(window)) {
        return false;
    }
    // Reports made before there was a window to carry them.
    if (CClockNotices::Get().HasPending() && !m_posted) {
        m_posted = PostMessageA(m_window, kShowMessage, 0, 0) != FALSE;
    }
    return true;
}

std::string CClockNoticeBox::FormatMessage(const SClockNotice& notice) {
    unsigned int id = IDS_CLOCK_SET_BACK;
    if (notice.notice == EClockNotice::StartRefused) {
        id = IDS_CLOCK_START_REFUSED;
    } else if (notice.notice == EClockNotice::StopRefused) {
        id = IDS_CLOCK_STOP_REFUSED;
    } else if (notice.notice == EClockNotice::EndedAfterClockSetForward) {
        id = IDS_CLOCK_SET_FORWARD;
    } else if (notice.notice == EClockNotice::EndedAtStartTimeUnknown) {
        id = IDS_CLOCK_BEFORE_START;
    }
    CText text(id);
    text.ReplaceWithString("[ACTIVITY]", notice.activity, true);
    text.ReplaceWithString("[NOW]", LocalText(notice.now), true);
    if (notice.hasTallymark) {
        text.ReplaceWithString("[START]", LocalText(notice.start), true);
        text.ReplaceWithString("[END]", LocalText(notice.end), true);
    }
    return text.GetString();
}

bool CClockNoticeBox::OnEvent(CClockNoticeEvent&) {
    if (m_window != nullptr && !m_posted && !m_showing) {
        m_posted = PostMessageA(m_window, kShowMessage, 0, 0) != FALSE;
    }
    return true;
}

void CClockNoticeBox::OnMessage(CMessage& message) {
    if (message.window != m_window || message.message != kShowMessage) {
        return;
    }
    message.handled = true;
    m_posted = false;
    ShowPending();
}

void CClockNoticeBox::ShowPending() {
    // A notice reported while a box is up waits for this loop.
    CReentryGuard guard(m_showing);
    if (!guard.Entered()) {
        return;
    }
    const std::string caption = CText(IDS_CLOCK_CAPTION).GetString();
    while (CClockNotices::Get().HasPending()) {
        const std::vector<SClockNotice> notices = CClockNotices::Get().TakePending();
        for (const SClockNotice& notice : notices) {
            const std::string text = FormatMessage(notice);
            HWND owner = CModalScope::FindModalWindow(nullptr);
            const UINT type = MB_OK | MB_ICONWARNING | (owner == nullptr ? MB_TASKMODAL : 0);
            ShowMessageBox(owner, text.c_str(), caption.c_str(), type);
        }
    }
}
