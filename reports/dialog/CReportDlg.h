#pragma once

// CReportDlg: dialog 102, where a report of one project is made: the period, the
// activities, the statistics interval, the rounding, the notation, the empty rows to keep,
// an installed template and the destination (the clipboard or a file). The dialog stays
// open after each report, so several can be made in a row.
//
//   CReportDlg dialog(project);
//   dialog.Create(CReportDlg::MakeParams(mainWindow));   // modal
//
// Usage notes:
// - Every opening starts with no period and all activities chosen; the other choices come
//   from the report settings and go back there when the dialog ends.
// - Whatever fails while a report is made (the generator's own errors, the clipboard, the
//   file) is shown in a message box and the dialog stays open with its choices.
// - A report file that already exists is replaced only after the user agreed, and through
//   the safe save of data files: the old report survives a failed write.
// - When its project is closed while it runs (a tray exit, the end of the session) it
//   forgets the project and ends at once, never touching it again.

#include "app/ui/SDialogIdentity.h"
#include "dialogs/CProjectCloseWatch.h"
#include "library/datetime/CDateTime.h"
#include "library/dialogs/CDialogCCNotificationEvent.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"
#include "reports/templates/CReportTemplates.h"

#include <commctrl.h>

#include <cstdint>
#include <set>
#include <string>

class CActivity;
class CProject;
class CProjectState;
class CReportTemplate;
class CReportTemplateCategory;

class CReportDlg : public CResizableDialogWindow,
                   public CSlot<CDialogMessageEvent>,
                   public CSlot<CDialogCommandEvent>,
                   public CSlot<CDialogCCNotificationEvent>,
                   public CSlot<CDialogInitializeEvent>,
                   public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    // Reports on the project's newest state; project must be open.
    explicit CReportDlg(CProject* project);
    ~CReportDlg() override;

    // MakeModalDialogParams of this dialog's identity.
    static SDialogParams MakeParams(HWND owner);

    // The project reported on; null once it was closed under the dialog.
    CProject* GetProject() const { return m_project; }
    // The template chosen in the tree, or null.
    const CReportTemplate* GetCurrentTemplate() const { return m_currentTemplate; }
    // 0 time notation, 1 numeric in days, 2 numeric in hours, from the buttons.
    int32_t GetNotation() const;

    // The tree image of a template of the format (0 for none): csv and tab 1, txt 2,
    // rtf 3, html 4, xml 5.
    static int GetTemplateImage(const CReportTemplate* reportTemplate);
    // path with its extension made ext when it has another one (compared without regard
    // to case); a path without one gets "." and ext.
    static std::string SwapExtension(const std::string& path, const std::string& ext);

protected:
    bool OnEvent(CDialogMessageEvent& event) override { return OnDialogMessage(event); }
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogCCNotificationEvent& event) override {
        return OnDialogCCNotification(event);
    }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }

    virtual bool OnDialogMessage(CDialogMessageEvent& event);
    virtual bool OnDialogCommand(CDialogCommandEvent& event);
    virtual bool OnDialogCCNotification(CDialogCCNotificationEvent& event);
    virtual bool OnDialogInitialize(CDialogInitializeEvent& event);
    virtual bool OnDialogTerminate(CDialogTerminateEvent& event);

    // The report of the current template over the chosen period and activities.
    virtual std::string MakeReport(int32_t notation, int32_t statisticsPer, int32_t rounding,
                                   bool emptyActivities, bool emptyPeriods);

private:
    // The project is being closed: lets go of it and ends the dialog.
    void OnProjectClosed();
    // The file-name edit's whole text (empty when it cannot be read).
    std::string GetFilePathText() const;
    void UpdateDescription();
    void UpdateActivitiesText();
    void UpdatePeriodText();
    // Inserts the children of category below parent; the item of the last template named
    // wanted (case-insensitive), or null.
    HTREEITEM FillTemplateTree(HWND tree, HTREEITEM parent, const CReportTemplateCategory& category,
                               const std::string& wanted);
    // Works out what may be done, then enables the controls by it.
    void UpdateState();
    void UpdateControls();
    void OnTemplateChanged(CReportTemplate* reportTemplate);
    void ChoosePeriod();
    void ChooseActivities();
    void Browse();
    // Makes the report and delivers it; everything that fails is shown here.
    void Generate(HWND dialog);
    void GenerateInto(HWND dialog);
    void ReportToClipboard(HWND dialog, const std::string& text);
    void ReportToFile(HWND dialog, const std::string& text);

    CProject* m_project;
    CProjectState* m_state;
    CDateTime m_periodStart;
    CDateTime m_periodEnd;
    std::set<CActivity*> m_chosen;
    int32_t m_totalActivities = 0;
    CReportTemplates m_templates;
    CReportTemplate* m_currentTemplate = nullptr;
    bool m_periodChosen = false;
    bool m_activitiesChosen = false;
    bool m_fileChosen = false;
    bool m_destinationValid = false;
    std::string m_filePath;
    bool m_templateChosen = false;
    CProjectCloseWatch m_closeWatch{[this] { OnProjectClosed(); }};
};
