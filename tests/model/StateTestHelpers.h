#pragma once

#include "library/events/CSlot.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CStatsUpdatedEvent.h"
#include "model/CTallymark.h"

#include <string>
#include <vector>

namespace modeltest {

// Writes down every report of the states it is connected to: the bits of each.
class CPartsLog : public CSlot<CProjectStateModifiedEvent> {
public:
    std::vector<int> parts;
    std::vector<CProjectState*> states;

protected:
    bool OnEvent(CProjectStateModifiedEvent& event) override {
        parts.push_back(event.parts.GetBits());
        states.push_back(event.state);
        return true;
    }
};

// Counts the statistics announcements it hears.
class CStatsLog : public CSlot<CStatsUpdatedEvent> {
public:
    int count = 0;

protected:
    bool OnEvent(CStatsUpdatedEvent&) override {
        ++count;
        return true;
    }
};

// A new activity of state's tree appended to parent (the root when null).
inline CActivity* AddActivity(CProjectState& state, const std::string& name,
                              CActivity* parent = nullptr) {
    CActivity* activity = new CActivity(&state, name, true);
    (parent != nullptr ? parent : state.GetRootActivity())->AddChildActivity(activity, -1);
    return activity;
}

// A new tally mark added to activity; open when end is the null date.
inline CTallymark* AddTallymark(CActivity* activity, const CDateTime& start, const CDateTime& end) {
    CTallymark* tallymark = new CTallymark(activity, start, end);
    activity->GetTallymarks().Add(tallymark);
    return tallymark;
}

} // namespace modeltest
