#include "model/CProjectState.h"

#include "model/CActivity.h"
#include "model/CClockNotices.h"
#include "model/CTallymark.h"

#include <vector>

CProjectState::CProjectState() : CProjectState(true) {}

CProjectState::CProjectState(bool indexNow)
    : m_rootActivity(new CActivity(this, std::string(), false)) {
    // The state hears every tally mark of the tree and hands the changes of dates on to the
    // index after its own handling: the order in which the two hear them stays the same as
    // if both listened (the index lies above the state's slots), with one link less per
    // tally mark.
    m_tallymarksByDate.SetFedByOwner();
    CSlot<CActivityAddedEvent>::Connect(m_rootActivity.get());
    CSlot<CActivityRemovedEvent>::Connect(m_rootActivity.get());
    CSlot<CActivityModifiedEvent>::Connect(m_rootActivity.get());
    if (indexNow) {
        m_tallymarksByDate.AttachTo(m_rootActivity.get());
    }
}

CProjectState::~CProjectState() {
    // The tree's teardown still runs the handlers that keep the working state and the
    // selection right, but a state that is going away has nothing to tell anyone, and nobody
    // asks its index or its statistics or hears of changed starts and ends.
    m_statUpdateNotifier.Disable();
    m_tracking = false;
    CClockNotices::Get().Forget(this);
    m_tallymarksByDate.Detach();
    CSlot<CTraceStartChangedEvent>::DisconnectAll();
    CSlot<CTraceEndChangedEvent>::DisconnectAll();
    CActivity* root = m_rootActivity.get();
    for (CActivity* activity = root; activity != nullptr;
         activity = activity->GetNextInSubtree(root)) {
        activity->GetStatGen().StopListening();
    }
    m_rootActivity.reset();
}

void CProjectState::SetName(const std::string& name) {
    if (name == m_name) {
        return;
    }
    m_name = name;
    Report(ppName);
}

void CProjectState::SetSelectedActivity(CActivity* activity) {
    if (activity == m_selectedActivity) {
        return;
    }
    m_selectedActivity = activity;
    Report(ppSelectedActivity);
}

void CProjectState::Reset(bool deleteActivities) {
    m_tracking = false;
    if (deleteActivities) {
        m_rootActivity->DeleteChildren();
        m_modified.Clear();
    }
    // A file read now adds every tally mark; the index takes them all in one pass at the end.
    m_tallymarksByDate.Defer();
}

void CProjectState::EnableTracking() {
    m_tracking = true;
    m_tallymarksByDate.Rebuild(m_rootActivity.get(), m_currentTallymark);
}

void CProjectState::ClearModified() {
    m_modified.Clear();
}

std::unique_ptr<CProjectState> CProjectState::Clone() {
    std::unique_ptr<CProjectState> clone(new CProjectState(false));
    clone->m_modified = m_modified;
    clone->m_tracking = false;
    clone->m_reportNow = false;
    clone->m_name = m_name;
    // Each copied activity is attached before its tally marks are copied, so the clone's
    // listeners hear every copied tally mark, the running one included; the index takes the
    // whole copy in one go afterwards.
    m_rootActivity->CopyTo(clone->m_rootActivity.get(), true, true);
    clone->m_tallymarksByDate.AttachToCopy(clone->m_rootActivity.get(), m_tallymarksByDate,
                                           m_rootActivity.get(), clone->m_currentTallymark);
    if (m_selectedActivity != nullptr) {
        clone->m_selectedActivity = clone->FindByPosition(m_selectedActivity);
    }
    clone->m_saved = clone->m_modified;
    clone->m_tracking = true;
    return clone;
}

void CProjectState::EndDeferral() {
    m_modified = m_saved;
    m_reportNow = true;
    if (m_deferredPending) {
        m_deferredPending = false;
        Report(m_deferred);
    }
}

void CProjectState::Report(const CBitmask<EProjectPart>& parts) {
    if (!m_tracking) {
        return;
    }
    m_modified |= parts;
    if (!m_reportNow) {
        m_deferred |= parts;
        m_deferredPending = true;
        return;
    }
    CProjectStateModifiedEvent event(this, parts);
    CSignal<CProjectStateModifiedEvent>::Emit(event);
}

void CProjectState::StopWorking() {
    m_currentTallymark = nullptr;
    m_currentActivity = nullptr;
    Report(ppWorkingState);
}

CActivity* CProjectState::FindByPosition(const CActivity* activity) const {
    std::vector<int> path;
    for (; activity->GetParent() != nullptr; activity = activity->GetParent()) {
        path.push_back(activity->GetIndex());
    }
    CActivity* found = m_rootActivity.get();
    for (auto index = path.rbegin(); index != path.rend() && found != nullptr; ++index) {
        found = found->GetFirstChild();
        for (int step = 0; step < *index && found != nullptr; ++step) {
            found = found->GetNextSibling();
        }
    }
    return found;
}

bool CProjectState::OnTraceStartChanged(CTraceStartChangedEvent& event) {
    Report(ppTallymarks);
    m_tallymarksByDate.TallymarkStartChanged(event);
    return true;
}

bool CProjectState::OnTraceEndChanged(CTraceEndChangedEvent& event) {
    // Only the running tally mark stops the work; another open one closing changes nothing.
    if (event.becameClosed && event.tallymark == m_currentTallymark) {
        StopWorking();
    }
    Report(ppTallymarks);
    m_tallymarksByDate.TallymarkEndChanged(event);
    return true;
}

bool CProjectState::OnTracesAdded(CTracesAddedEvent& event) {
    CTallymark* tallymark = event.tallymark;
    CSlot<CTraceStartChangedEvent>::Connect(tallymark);
    CSlot<CTraceEndChangedEvent>::Connect(tallymark);
    if (tallymark->IsOpen()) {
        m_currentTallymark = tallymark;
        m_currentActivity = tallymark->GetActivity();
        Report(ppWorkingState);
    }
    Report(ppTallymarks);
    return true;
}

bool CProjectState::OnTracesRemoved(CTracesRemovedEvent& event) {
    CTallymark* tallymark = event.tallymark;
    CSlot<CTraceStartChangedEvent>::Disconnect(tallymark);
    CSlot<CTraceEndChangedEvent>::Disconnect(tallymark);
    if (tallymark == m_currentTallymark) {
        StopWorking();
    }
    Report(ppTallymarks);
    return true;
}

bool CProjectState::OnActivityAdded(CActivityAddedEvent& event) {
    if (event.isNew) {
        CTallymarks& tallymarks = event.activity->GetTallymarks();
        CSlot<CTracesAddedEvent>::Connect(&tallymarks);
        CSlot<CTracesRemovedEvent>::Connect(&tallymarks);
    }
    Report(ppActivities);
    return true;
}

bool CProjectState::OnActivityRemoved(CActivityRemovedEvent& event) {
    // The removed activity takes its descendants along.
    for (CActivity* selected = m_selectedActivity; selected != nullptr;
         selected = selected->GetParent()) {
        if (selected == event.activity) {
            m_selectedActivity = nullptr;
            Report(ppSelectedActivity);
            break;
        }
    }
    Report(ppActivities);
    return true;
}

bool CProjectState::OnActivityModified(CActivityModifiedEvent&) {
    Report(ppActivities);
    return true;
}
