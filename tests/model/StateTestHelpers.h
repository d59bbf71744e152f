#pragma once

#include "library/events/CSlot.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CStatsUpdatedEvent.h"
#include "model/CTallymark.h"

#include <string>

namespace modeltest {

// The letters of parts: N name, A activities, T tally marks, S selection, W working state.
inline std::string PartLetters(const CBitmask<EProjectPart>& parts) {
    std::string letters;
    const char* names = "NATSW";
    for (int bit = 0; bit < 5; ++bit) {
        if (parts.HasAny(CBitmask<EProjectPart>::FromBits(1 << bit))) {
            letters += names[bit];
        }
    }
    return letters;
}

// Writes down every report of the states it hears: the letters of each, space-separated
// ("W T" for two reports); any report from another state than expected is written "?".
class CPartsLog : public CSlot<CProjectStateModifiedEvent> {
public:
    explicit CPartsLog(CProjectState* state) : m_state(state) { Connect(state); }
    std::string reports;

protected:
    bool OnEvent(CProjectStateModifiedEvent& event) override {
        reports += (reports.empty() ? "" : " ") +
                   (event.state == m_state ? PartLetters(event.parts) : std::string("?"));
        return true;
    }

private:
    CProjectState* m_state;
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
inline CTallymark* AddTallymark(CActivity* activity, const CDateTime& start,
                                const CDateTime& end = CTallymark::GetNullDate()) {
    CTallymark* tallymark = new CTallymark(activity, start, end);
    activity->GetTallymarks().Add(tallymark);
    return tallymark;
}

} // namespace modeltest
