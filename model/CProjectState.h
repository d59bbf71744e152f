#pragma once

#include "library/events/CSignal.h"
#include "library/events/CSlot.h"
#include "model/CActivityAddedEvent.h"
#include "model/CActivityModifiedEvent.h"
#include "model/CActivityRemovedEvent.h"
#include "model/CProjectStateModifiedEvent.h"
#include "model/CStatUpdateNotifier.h"
#include "model/CTallymarksByDate.h"
#include "model/CTraceEndChangedEvent.h"
#include "model/CTraceStartChangedEvent.h"
#include "model/CTracesAddedEvent.h"
#include "model/CTracesRemovedEvent.h"
#include "model/EProjectPart.h"

#include <memory>
#include <string>

class CActivity;
class CTallymark;

// One complete version of a project's content: its name, its activity tree with every tally
// mark, the activity selected in the activity controls, the working state (the running tally
// mark and its activity), the index of tally marks by date and the statistics notifier.
//
// Usage notes:
// - The state listens to its whole tree and turns every change into a
//   CProjectStateModifiedEvent that names the parts changed (EProjectPart); it also keeps a
//   mask of the parts changed since ClearModified.
// - Fill a state from a file between Reset and EnableTracking: meanwhile nothing is reported
//   or recorded (the working state and the selection still follow the tree), and the date
//   index stays empty until EnableTracking indexes every tally mark in one pass.
// - Edits go to a Clone, which records its changes without announcing them until
//   EndDeferral, when one event carries all of them; a clone that is deleted instead never
//   announces anything.
// - The working state comes from the tally marks alone: a tally mark that is open when it
//   joins an activity of the tree becomes the running one, and it stops running when it is
//   closed or leaves. Tally marks of the root activity itself take no part.
class CProjectState : public CSlot<CTraceStartChangedEvent>,
                      public CSlot<CTraceEndChangedEvent>,
                      public CSlot<CTracesAddedEvent>,
                      public CSlot<CTracesRemovedEvent>,
                      public CSlot<CActivityAddedEvent>,
                      public CSlot<CActivityRemovedEvent>,
                      public CSlot<CActivityModifiedEvent>,
                      public CSignal<CProjectStateModifiedEvent> {
public:
    // An unnamed state with an empty root activity, reporting at once.
    CProjectState();
    CProjectState(const CProjectState&) = delete;
    CProjectState& operator=(const CProjectState&) = delete;
    // Tears the tree down silently: neither modifications nor statistics are announced.
    ~CProjectState() override;

    const std::string& GetName() const { return m_name; }
    CActivity* GetRootActivity() const { return m_rootActivity.get(); }
    CTallymarksByDate& GetTallymarksByDate() { return m_tallymarksByDate; }
    CStatUpdateNotifier& GetStatUpdateNotifier() { return m_statUpdateNotifier; }
    CActivity* GetSelectedActivity() const { return m_selectedActivity; }
    bool IsWorking() const { return m_currentTallymark != nullptr; }
    // The running tally mark and its activity; null when nothing runs.
    CTallymark* GetCurrentTallymark() const { return m_currentTallymark; }
    CActivity* GetCurrentActivity() const { return m_currentActivity; }
    // The parts changed since the state was made, reset or last saved.
    CBitmask<EProjectPart> GetModified() const { return m_modified; }

    // Each reports its part when the value changes (names compare exactly).
    void SetName(const std::string& name);
    void SetSelectedActivity(CActivity* activity);

    // Stops reporting and recording changes until EnableTracking; with deleteActivities,
    // deletes every activity below the root and forgets the modified parts. Before a file is
    // read into the state.
    void Reset(bool deleteActivities);
    void EnableTracking();
    // Forgets the modified parts, after a save.
    void ClearModified();

    // A copy of the whole state (name, tree, tally marks, selection by position, working
    // state on the copy of the running tally mark, modified parts) that defers its reports
    // until EndDeferral.
    std::unique_ptr<CProjectState> Clone();
    // Makes a clone report at once again: announces, in one event, every part changed since
    // it was cloned (nothing when it was left unchanged); its modified parts become those
    // of the original at cloning plus these.
    void EndDeferral();
    // The activity of this state's tree at the position that activity has in its own tree
    // (the index among its siblings at every level); null when there is none. Maps an
    // activity of one state to its counterpart in a clone.
    CActivity* FindByPosition(const CActivity* activity) const;

protected:
    bool OnEvent(CTraceStartChangedEvent& event) override { return OnTraceStartChanged(event); }
    bool OnEvent(CTraceEndChangedEvent& event) override { return OnTraceEndChanged(event); }
    bool OnEvent(CTracesAddedEvent& event) override { return OnTracesAdded(event); }
    bool OnEvent(CTracesRemovedEvent& event) override { return OnTracesRemoved(event); }
    bool OnEvent(CActivityAddedEvent& event) override { return OnActivityAdded(event); }
    bool OnEvent(CActivityRemovedEvent& event) override { return OnActivityRemoved(event); }
    bool OnEvent(CActivityModifiedEvent& event) override { return OnActivityModified(event); }

    virtual bool OnTraceStartChanged(CTraceStartChangedEvent& event);
    virtual bool OnTraceEndChanged(CTraceEndChangedEvent& event);
    virtual bool OnTracesAdded(CTracesAddedEvent& event);
    virtual bool OnTracesRemoved(CTracesRemovedEvent& event);
    virtual bool OnActivityAdded(CActivityAddedEvent& event);
    virtual bool OnActivityRemoved(CActivityRemovedEvent& event);
    virtual bool OnActivityModified(CActivityModifiedEvent& event);

private:
    // With indexNow, the date index is attached to the root at once; without, it is left for
    // a copy of a tree to be indexed in one go.
    explicit CProjectState(bool indexNow);

    // Records parts and announces them, or holds them back while deferring; nothing while
    // tracking is off.
    void Report(const CBitmask<EProjectPart>& parts);
    void StopWorking();

    CBitmask<EProjectPart> m_modified;
    bool m_deferredPending = false;
    CBitmask<EProjectPart> m_saved;
    CBitmask<EProjectPart> m_deferred;
    bool m_reportNow = true;
    bool m_tracking = true;
    std::string m_name;
    CActivity* m_selectedActivity = nullptr;
    CTallymark* m_currentTallymark = nullptr;
    CActivity* m_currentActivity = nullptr;
    CTallymarksByDate m_tallymarksByDate;
    CStatUpdateNotifier m_statUpdateNotifier;
    // Last: the tree goes first, while the index and the notifier still listen.
    std::unique_ptr<CActivity> m_rootActivity;
};
