#pragma once

// CTracker: a scope object that calls back the object it holds when it lets go of
// it (Release, Set of another object, or its own end).
//
//   {
//       CTracker tracker;
//       list.BeginAdding(tracker);
//       for (...) list.AddString(...);
//   }   // the list box finishes its batch here

#include "library/controls/ITrackerCallback.h"

class CTracker {
public:
    explicit CTracker(ITrackerCallback* held = nullptr) : m_held(held) {}
    virtual ~CTracker();
    CTracker(const CTracker&) = delete;
    CTracker& operator=(const CTracker&) = delete;

    // Calls the held object back, once, and forgets it.
    void Release();
    // Releases the held object and holds held (null allowed).
    void Set(ITrackerCallback* held);
    ITrackerCallback* GetHeld() const { return m_held; }

private:
    ITrackerCallback* m_held;
};
