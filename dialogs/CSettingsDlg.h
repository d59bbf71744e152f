#pragma once

// CSettingsDlg: every user setting on six tab pages (date and time, main window, start
// and close, automatic time registration, support, language).
//
//   CSettingsDlg dialog;          // reads the settings objects of CAppMain when it opens
//   dialog.Create(MakeModalDialogParams(CSettingsDlg::kIdentity, mainWindow));
//
// Usage notes:
// - Nothing is written until OK, and OK writes only after every page passed its check:
//   Cancel, closing the window, a failed check or refusing to go on after the start-up
//   switch failed leave every setting as it was.
// - The settings change through their own setters, whose events carry the change to
//   the windows and services at once (columns, time display, recent list, inactivity
//   detector, power-state tracker). The hotkey is off while the dialog is open and is
//   registered again, from its possibly new setting, however the dialog ends. A new
//   language takes effect at the next start.
// - Settings files are written by the application, not here.

#include "app/ui/SDialogIdentity.h"
#include "dialogs/SSettingsValues.h"
#include "library/controls/CNumberEditBox.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/dialogs/CTabControl.h"
#include "library/events/CSlot.h"
#include "mainwindow/CTimeControl.h"

#include <windows.h>

#include <string>
#include <vector>

class CLanguageModule;
class CSetAutoStart;

class CSettingsDlg : public CDialogWindow,
                     public CSlot<CDialogMessageEvent>,
                     public CSlot<CDialogCommandEvent>,
                     public CSlot<CDialogInitializeEvent>,
                     public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;
    // Page indexes, in tab order.
    enum EPage {
        DateTimePage,
        MainWindowPage,
        StartClosePage,
        InactivityPage,
        SupportPage,
        LanguagePage,
        PageCount
    };

    // Uses the application's start-with-Windows switch.
    CSettingsDlg();
    // Uses autoStart (not owned, must outlive the dialog) for the start-with-Windows switch.
    explicit CSettingsDlg(CSetAutoStart& autoStart);
    ~CSettingsDlg() override;

    // The values the controls hold now; an empty number or time field counts as 0.
    SSettingsValues ReadControls() const;
    // Whether the page's values pass; on failure the page is selected and the reason
    // shown. The work-hours question may swap start and end in values.
    bool Validate(SSettingsValues& values, HWND owner, int page);
    // Every page in index order, up to the first failure.
    bool ValidateAll(SSettingsValues& values, HWND owner);
    // Writes values into the settings; false, with nothing changed, when the user
    // declines to go on after the start-with-Windows switch could not be changed.
    bool Apply(const SSettingsValues& values, HWND owner);
    // The control of a page (null before the dialog opened).
    HWND GetControl(int id) const { return m_tabs.GetControl(id); }
    const CTabControl& GetTabs() const { return m_tabs; }

protected:
    bool OnEvent(CDialogMessageEvent& event) override { return OnDialogMessage(event); }
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }

    virtual bool OnDialogMessage(CDialogMessageEvent& event);
    virtual bool OnDialogCommand(CDialogCommandEvent& event);
    virtual bool OnDialogInitialize(CDialogInitializeEvent& event);
    virtual bool OnDialogTerminate(CDialogTerminateEvent& event);

private:
    void FillControls();
    void FillLanguages();
    void UpdateInactivityControls();
    // Whether the start-with-Windows switch can be changed in this installation.
    bool CanChangeAutoStart() const;
    void ShowAutoStartReadOnly();
    void OnOk();
    // Selects page, focuses the control when given, and shows a warning text/caption.
    void Refuse(HWND owner, int page, unsigned int textId, unsigned int captionId);
    HWND Control(int id) const;
    bool IsControlChecked(int id) const;
    void CheckControl(int id, bool checked) const;

    CSetAutoStart& m_autoStart;
    CTabControl m_tabs;
    CNumberEditBox m_recentSize;
    CNumberEditBox m_numColumns;
    CNumberEditBox m_inactiveMinutes;
    CTimeControl m_workStart;
    CTimeControl m_workEnd;
    std::vector<CLanguageModule*> m_languages;
    // The language the texts come from now, read from the resources.
    std::string m_currentLanguage;
    bool m_autoStartReadOnlyPending = false;
};
