#include "app/ui/CClockNoticeBox.h"

#include "library/datetime/CDateTimeFormat.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CClockNotices.h"
#include "model/CModelTimeZone.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <windows.h>

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
    Connect(&CClockNotices::Get());
}

std::string CClockNoticeBox::FormatMessage(const CClockNoticeEvent& event) {
    unsigned int id = IDS_CLOCK_SET_BACK;
    if (event.notice == EClockNotice::StartRefused) {
        id = IDS_CLOCK_START_REFUSED;
    } else if (event.notice == EClockNotice::StopRefused) {
        id = IDS_CLOCK_STOP_REFUSED;
    } else if (event.notice == EClockNotice::EndedAfterClockSetForward) {
        id = IDS_CLOCK_SET_FORWARD;
    }
    CText text(id);
    text.ReplaceWithString(
        "[ACTIVITY]", event.activity != nullptr ? event.activity->GetName() : std::string(), true);
    text.ReplaceWithString("[NOW]", LocalText(event.now), true);
    if (event.tallymark != nullptr) {
        text.ReplaceWithString("[START]", LocalText(event.tallymark->GetStart()), true);
        text.ReplaceWithString("[END]", LocalText(event.tallymark->GetEnd(false)), true);
    }
    return text.GetString();
}

bool CClockNoticeBox::OnEvent(CClockNoticeEvent& event) {
    const std::string message = FormatMessage(event);
    MessageBoxA(GetActiveWindow(), message.c_str(), CText(IDS_CLOCK_CAPTION).GetString().c_str(),
                MB_OK | MB_ICONWARNING);
    return true;
}
