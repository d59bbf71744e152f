#pragma once

// CDataExchangeDlg: moves time registration between the current project and one other
// project, in the import direction (from the other project into the current one, dialog
// 113) or the export direction (from the current project into the other one, dialog 114).
// The user picks the other project among the open ones or as a file, Copy or Move, a
// period and the activities, and sees the receiving project at once in the result list.
//
//   CDataExchangeDlg dialog(project, CDataExchangeDlg::kImport);
//   dialog.Create(MakeModalDialogParams(CDataExchangeDlg::GetIdentity(CDataExchangeDlg::kImport),
//                                       owner));
//
// Usage notes:
// - Every change is a preview: both projects are edited only in edit transactions of
//   this dialog, thrown away and redone from the unchanged projects on every change of
//   the choices. OK commits both; every other way out leaves both projects as they were.
// - The other project is saved here on OK, after the user agreed, and only when the
//   dialog opened it itself. When a move import takes tally marks out of its file, the
//   current project is saved first (asking for a location when it has none): the marks
//   are always in one of the two files. When that save fails or no location is chosen,
//   nothing is moved and the dialog stays open. A project the dialog opened is closed again without
//   a question when it is replaced or the dialog ends.
// - When one of its projects is closed while it runs (a tray exit, the end of the
//   session), the dialog forgets that project and ends, touching it no more.

#include "app/ui/SDialogIdentity.h"
#include "library/datetime/CDateTime.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"
#include "mainwindow/CActivityTreeList.h"
#include "mainwindow/IActivityTreeListCallbacks.h"
#include "model/CEditTransaction.h"
#include "model/CProjectAskNewLocationEvent.h"
#include "model/CProjectBrowser.h"
#include "model/CProjectSavedEvent.h"
#include "model/CProjectsAddedEvent.h"
#include "model/CProjectsClosedEvent.h"

#include <memory>
#include <set>
#include <string>

class CActivity;
class CProject;
class CProjectState;
class CSetDataExchangeDlg;

class CDataExchangeDlg : public IActivityTreeListCallbacks,
                         public CResizableDialogWindow,
                         public CSlot<CDialogMessageEvent>,
                         public CSlot<CDialogCommandEvent>,
                         public CSlot<CDialogInitializeEvent>,
                         public CSlot<CDialogTerminateEvent>,
                         public CSlot<CProjectsAddedEvent>,
                         public CSlot<CProjectSavedEvent>,
                         public CSlot<CProjectAskNewLocationEvent>,
                         public CSlot<CProjectsClosedEvent> {
public:
    static const unsigned kImport = 0;
    static const unsigned kExport = 1;

    CDataExchangeDlg(CProject* project, unsigned direction);
    ~CDataExchangeDlg() override;

    // What names the dialog of the direction: template, size grip, placement slot and
    // help page.
    static const SDialogIdentity& GetIdentity(unsigned direction);
    static int GetDialogId(unsigned direction);
    CSetDataExchangeDlg& GetSettings() const { return *m_settings; }

    // What the Browse button does once a file was chosen: opens path (format 0: as the
    // file says) as the other project and runs the preview. False when it was refused.
    bool OpenOtherProject(const std::string& path, int format);
    // What the period and activities buttons do once their dialog was confirmed: the period
    // in local time, the activities of the source project's committed state.
    void SetPeriod(const CDateTime& start, const CDateTime& end);
    void SetChosenActivities(const std::set<CActivity*>& chosen);

    CProject* GetOtherProject() const { return m_otherProject; }
    // The state the result list shows (the receiving side's edit copy), or null.
    CProjectState* GetPreviewState() const;

    int GetNumColumns() override;
    SListViewColumn GetColumn(int index) override;
    std::string GetColumnText(CActivity* activity, int column) override;
    void OnSelectionChanged(CActivity*) override {}
    void OnChecksChanged() override {}
    void OnItemActivated(CActivity*) override {}
    bool OnKeyDown(WORD) override { return false; }
    void GetCheckedActivities(std::set<CActivity*>&) override {}

protected:
    bool OnEvent(CDialogMessageEvent& event) override { return OnDialogMessage(event); }
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }
    bool OnEvent(CProjectsAddedEvent& event) override { return OnProjectsAdded(event); }
    bool OnEvent(CProjectSavedEvent& event) override { return OnProjectSaved(event); }
    CProjectBrowser OnEvent(CProjectAskNewLocationEvent& event) override {
        return OnProjectAskNewLocation(event);
    }
    bool OnEvent(CProjectsClosedEvent& event) override { return OnProjectsClosed(event); }

    virtual bool OnDialogMessage(CDialogMessageEvent& event);
    virtual bool OnDialogCommand(CDialogCommandEvent& event);
    virtual bool OnDialogInitialize(CDialogInitializeEvent& event);
    virtual bool OnDialogTerminate(CDialogTerminateEvent& event);
    virtual bool OnProjectsAdded(CProjectsAddedEvent& event);
    virtual bool OnProjectSaved(CProjectSavedEvent& event);
    virtual CProjectBrowser OnProjectAskNewLocation(CProjectAskNewLocationEvent& event);
    virtual bool OnProjectsClosed(CProjectsClosedEvent& event);

private:
    // Name, file and status of project into three controls.
    void ShowProject(int nameId, int fileId, int statusId, CProject* project, CProjectState* state,
                     bool useBrowsePath);
    void ShowTexts();
    void UpdateOk();
    void EnableSettings(bool enable);
    CProject* GetSource() const;
    CProjectState* GetSourceBase() const;
    int Text(int importId, int exportId) const { return m_import ? importId : exportId; }

    void OnChoose();
    void OnBrowse();
    void OnChoosePeriod();
    void OnChooseActivities();
    // Discards the dialog's edit copies and makes fresh ones.
    void RestartEdits();
    bool TakeOtherProject(CProject* project, bool wasOpen);
    // Discards the edit copy of the other project and closes it when this dialog opened it.
    void ReleaseOtherProject();
    void RunExchange();
    void Confirm();
    bool SaveOtherProject();
    // Saves the current project's copy, with the tally marks that a move import takes out
    // of the other project's file, before that file is rewritten: false (nothing moved
    // yet) when the save failed or no location was chosen.
    bool SaveReceivingProject();
    void BindList(CProject* project, CProjectState* state);
    // Forgets the projects the result list shows before their states go.
    void UnbindList();

    CProject* m_currentProject;
    CProjectState* m_currentBase;
    CProjectState* m_currentEdited = nullptr;
    unsigned m_direction;
    bool m_import;
    CProject* m_otherProject = nullptr;
    CProjectState* m_otherBase = nullptr;
    CProjectState* m_otherEdited = nullptr;
    bool m_otherWasOpen = false;
    bool m_otherChanged = false;
    std::string m_browsePath;
    int m_browseFormat = 0;
    // The edits of both projects: opened for every preview, ended when the dialog ends.
    CEditTransaction m_currentEdit;
    CEditTransaction m_otherEdit;
    bool m_saveSucceeded = false;
    bool m_receivingSaved = false;
    bool m_move = true;
    // The edit copies are untouched clones (no exchange ran in them since they were made).
    bool m_currentPristine = true;
    bool m_otherPristine = false;
    CDateTime m_periodStart;
    CDateTime m_periodEnd;
    std::set<CActivity*> m_chosen;
    int m_totalActivities = 0;
    bool m_settingsAvailable;
    CSetDataExchangeDlg* m_settings;
    std::unique_ptr<CActivityTreeList> m_list;
};
