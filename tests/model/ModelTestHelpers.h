#pragma once

#include "library/datetime/CDateTime.h"
#include "library/datetime/CTimeZone.h"
#include "library/events/CSlot.h"
#include "model/CActivity.h"
#include "model/CTallymark.h"
#include "model/CTallymarksByDate.h"
#include "model/CTickClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace modeltest {

using Lines = std::vector<std::string>;

// "Now" pinned for the life of the object; the system clock comes back afterwards. The
// monotonic clock is pinned with it and moves on as far as "now" moves forward: time
// passes on both, as on a computer whose clock nobody sets. (A test of a clock that is
// set pins the monotonic clock itself, after this object.)
class CPinnedClock {
public:
    explicit CPinnedClock(const CDateTime& utcNow) {
        NowValue() = utcNow.GetValue();
        TicksValue() = kFirstTicks;
        CDateTime::SetNowSource(&Now);
        CTickClock::Set([] { return TicksValue(); });
    }
    ~CPinnedClock() {
        CDateTime::SetNowSource(nullptr);
        CTickClock::Set(nullptr);
    }
    CPinnedClock(const CPinnedClock&) = delete;
    CPinnedClock& operator=(const CPinnedClock&) = delete;

    static void Set(const CDateTime& utcNow) {
        const CDateTimeSpan passed = utcNow - CDateTime(NowValue());
        if (passed.IsValid() && passed.GetValue() > 0.0) {
            TicksValue() +=
                static_cast<std::uint64_t>(std::llround(passed.GetValue() * 86400000.0));
        }
        NowValue() = utcNow.GetValue();
    }

private:
    static constexpr std::uint64_t kFirstTicks = 3600000;
    static double& NowValue() {
        static double value = 0.0;
        return value;
    }
    static std::uint64_t& TicksValue() {
        static std::uint64_t value = kFirstTicks;
        return value;
    }
    // Local time is never asked for by the model; it gets the universal time.
    static CDateTime Now(bool) { return CDateTime(NowValue()); }
};

// A zone hours ahead of universal time, without daylight saving.
inline CTimeZone FixedZone(int hoursAhead) {
    TIME_ZONE_INFORMATION information;
    std::memset(&information, 0, sizeof information);
    information.Bias = -60 * hoursAhead;
    return CTimeZone(information, TIME_ZONE_ID_UNKNOWN);
}

inline CDateTime Date(int year, int month, int day, int hour = 0, int minute = 0) {
    CDateTime date;
    EXPECT_TRUE(date.SetDateTime(year, month, day, hour, minute, 0));
    return date;
}

// The days of March 2024 (1-31) on which index marks time.
inline std::vector<int> MarkedDays(const CTallymarksByDate& index) {
    std::vector<int> days;
    for (int day = 1; day <= 31; ++day) {
        if (index.HasTallymarksOn(Date(2024, 3, day, 12))) {
            days.push_back(day);
        }
    }
    return days;
}

// Hears every event of the model that it is connected to and writes each as a line:
// "<event> <subject>[ <details>]", with the names given to objects by Name().
class CEventLog : public CSlot<CTraceStartChangedEvent>,
                  public CSlot<CTraceEndChangedEvent>,
                  public CSlot<CTraceActivityChangedEvent>,
                  public CSlot<CTraceDeletedEvent>,
                  public CSlot<CTracesAddedEvent>,
                  public CSlot<CTracesRemovedEvent>,
                  public CSlot<CActivityModifiedEvent>,
                  public CSlot<CActivityAddedEvent>,
                  public CSlot<CActivityRemovedEvent> {
public:
    void Name(const void* object, const std::string& name) { m_names[object] = name; }

    void ListenTo(CTallymark* tallymark) {
        CSlot<CTraceStartChangedEvent>::Connect(tallymark);
        CSlot<CTraceEndChangedEvent>::Connect(tallymark);
        CSlot<CTraceActivityChangedEvent>::Connect(tallymark);
        CSlot<CTraceDeletedEvent>::Connect(tallymark);
    }
    void ListenTo(CTallymarks& tallymarks) {
        CSlot<CTracesAddedEvent>::Connect(&tallymarks);
        CSlot<CTracesRemovedEvent>::Connect(&tallymarks);
    }
    void ListenTo(CActivity* root) {
        CSlot<CActivityModifiedEvent>::Connect(root);
        CSlot<CActivityAddedEvent>::Connect(root);
        CSlot<CActivityRemovedEvent>::Connect(root);
    }

    std::vector<std::string> lines;

protected:
    bool OnEvent(CTraceStartChangedEvent& e) override {
        return Write("start", e.tallymark, Text(e.oldStart) + "->" + Text(e.newStart));
    }
    bool OnEvent(CTraceEndChangedEvent& e) override {
        return Write("end", e.tallymark,
                     Text(e.oldEnd) + "->" + Text(e.newEnd) + (e.becameClosed ? " closed" : ""));
    }
    bool OnEvent(CTraceActivityChangedEvent& e) override {
        return Write("activity", e.tallymark, N(e.oldActivity) + "->" + N(e.newActivity));
    }
    bool OnEvent(CTraceDeletedEvent& e) override { return Write("deleted", e.tallymark, ""); }
    bool OnEvent(CTracesAddedEvent& e) override { return Write("added", e.tallymark, ""); }
    bool OnEvent(CTracesRemovedEvent& e) override { return Write("removed", e.tallymark, ""); }
    bool OnEvent(CActivityModifiedEvent& e) override { return Write("modified", e.activity, ""); }
    bool OnEvent(CActivityAddedEvent& e) override {
        return Write(e.isNew ? "new" : "moved", e.activity,
                     N(e.newParent) + (e.isNew ? "" : " from " + N(e.oldParent)));
    }
    bool OnEvent(CActivityRemovedEvent& e) override {
        return Write("activity-removed", e.activity, "");
    }

private:
    std::string N(const void* object) const {
        if (object == nullptr) {
            return "null";
        }
        auto found = m_names.find(object);
        return found == m_names.end() ? "?" : found->second;
    }
    static std::string Text(const CDateTime& date) {
        if (date == CTallymark::GetNullDate()) {
            return "null";
        }
        return date.Format("%Y-%m-%d %H:%M");
    }
    bool Write(const char* event, const void* subject, const std::string& details) {
        lines.push_back(std::string(event) + " " + N(subject) +
                        (details.empty() ? "" : " " + details));
        return true;
    }

    std::map<const void*, std::string> m_names;
};

// A root with a date index attached, counting days in the zone given.
struct STree {
    explicit STree(const CTimeZone& zone = FixedZone(0)) : index(zone) { index.AttachTo(&root); }

    // A new activity appended to parent (the root when null).
    CActivity* Add(const std::string& name, CActivity* parent = nullptr) {
        CActivity* activity = new CActivity(nullptr, name, true);
        (parent != nullptr ? parent : &root)->AddChildActivity(activity, -1);
        return activity;
    }
    // A new tally mark added to activity.
    static CTallymark* Mark(CActivity* activity, const CDateTime& start, const CDateTime& end) {
        CTallymark* tallymark = new CTallymark(activity, start, end);
        activity->GetTallymarks().Add(tallymark);
        return tallymark;
    }

    // Declared first: the root's tally marks leave while the index still listens.
    CTallymarksByDate index;
    CActivity root{nullptr, "", false};
};

} // namespace modeltest
