#pragma once

#include "library/events/CSlot.h"
#include "model/CProject.h"
#include "model/CProjectBrowser.h"

#include <string>
#include <vector>

namespace projecttest {

// Listens to every signal of one project, writes down what it hears in order, and answers
// the location question with a preset browser (unconfirmed unless Choose was called).
class CProjectLog : public CSlot<CProjectModifiedEvent>,
                    public CSlot<CProjectSavedEvent>,
                    public CSlot<CProjectAskNewLocationEvent>,
                    public CSlot<CProjectFilePathChangedEvent>,
                    public CSlot<CProjectStateSwitchedEvent>,
                    public CSlot<CProjectEndStateTrackingEvent> {
public:
    explicit CProjectLog(CProject& project) : m_project(&project) {
        CSlot<CProjectModifiedEvent>::Connect(&project);
        CSlot<CProjectSavedEvent>::Connect(&project);
        CSlot<CProjectAskNewLocationEvent>::Connect(&project);
        CSlot<CProjectFilePathChangedEvent>::Connect(&project);
        CSlot<CProjectStateSwitchedEvent>::Connect(&project);
        CSlot<CProjectEndStateTrackingEvent>::Connect(&project);
    }

    // Event names in order: "modified", "saved", "ask", "path", "switched", "ended".
    std::vector<std::string> events;
    CProjectBrowser answer;
    int askedFormat = -1;
    CFilePath oldPath;
    std::string newPathWhenChanged;
    CBitmask<EProjectPart> modifiedParts;
    bool saved = false;
    bool savedToNewLocation = false;
    CError saveError;
    CProjectState* switchedOld = nullptr;
    CProjectState* switchedNew = nullptr;
    bool wrongProject = false;

protected:
    bool OnEvent(CProjectModifiedEvent& e) override {
        Note("modified", e.project);
        modifiedParts |= e.parts;
        return true;
    }
    bool OnEvent(CProjectSavedEvent& e) override {
        Note("saved", e.project);
        saved = e.saved;
        savedToNewLocation = e.newLocation;
        saveError = e.error;
        return true;
    }
    CProjectBrowser OnEvent(CProjectAskNewLocationEvent& e) override {
        Note("ask", e.project);
        askedFormat = e.format;
        return answer;
    }
    bool OnEvent(CProjectFilePathChangedEvent& e) override {
        Note("path", e.project);
        oldPath = e.oldPath;
        newPathWhenChanged = e.project->GetFilePath(false).GetPath();
        return true;
    }
    bool OnEvent(CProjectStateSwitchedEvent& e) override {
        Note("switched", e.project);
        switchedOld = e.oldState;
        switchedNew = e.newState;
        return true;
    }
    bool OnEvent(CProjectEndStateTrackingEvent& e) override {
        Note("ended", e.project);
        return true;
    }

private:
    void Note(const char* name, CProject* project) {
        events.push_back(name);
        wrongProject = wrongProject || project != m_project;
    }
    CProject* m_project;
};

} // namespace projecttest
