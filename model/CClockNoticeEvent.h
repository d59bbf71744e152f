#pragma once

#include "library/datetime/CDateTime.h"
#include "library/events/CEventTypeNoResult.h"

class CActivity;
class CTallymark;

// What the clock made the model do otherwise than asked.
enum class EClockNotice {
    // Work did not start: the clock shows a time that a project file cannot hold.
    StartRefused,
    // Work did not stop, for the same reason; the tally mark stays open.
    StopRefused,
    // The clock showed less time since the tally mark's start than really passed (it was set
    // back while working): the tally mark ended at its start plus the time that really
    // passed.
    EndedAfterClockSetBack,
    // The clock showed more time since the start than really passed (it was set forward
    // while working): the tally mark ended at its start plus the time that really passed.
    EndedAfterClockSetForward,
    // The clock showed a time before the start of work begun in an earlier run: how long it
    // lasted is not known, and the tally mark ended at its start.
    EndedAtStartTimeUnknown,
};

// Announced by CClockNotices while it keeps a report for the user; the pointers hold only
// during the event, and are null for a report that waited with an edit copy until its
// commit.
class CClockNoticeEvent : public CEventTypeNoResult {
public:
    CClockNoticeEvent(EClockNotice notice_, CActivity* activity_, CTallymark* tallymark_,
                      const CDateTime& now_)
        : notice(notice_), activity(activity_), tallymark(tallymark_), now(now_) {}
    EClockNotice notice;
    // The activity worked on (or to be started).
    CActivity* activity;
    // The tally mark concerned; null when a start was refused.
    CTallymark* tallymark;
    // What the clock showed (universal time; invalid when it could not be read).
    CDateTime now;
};
