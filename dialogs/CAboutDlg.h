#pragma once

// CAboutDlg: the about box: the program's picture, name, version (from the program's
// version resource), release date and notice, a link to the program's home page and a note
// on the XML parser module with a link to its page.
//
//   CAboutDlg dialog;
//   dialog.Create(MakeModalDialogParams(CAboutDlg::kIdentity, mainWindow));
//
// Usage notes:
// - It reads and changes no project data; only its position is stored.
// - The texts come from the current language module; the version number always from the
//   program itself, so that a module never shows another number than the file has.

#include "app/ui/SDialogIdentity.h"
#include "library/controls/CLinkControl.h"
#include "library/controls/CShellExecuteLink.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/events/CSlot.h"
#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

#include <string>

class CAboutDlg : public CDialogWindow,
                  public CSlot<CDialogMessageEvent>,
                  public CSlot<CDialogCommandEvent>,
                  public CSlot<CDialogInitializeEvent>,
                  public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    CAboutDlg();
    ~CAboutDlg() override;

    // Where the links lead (empty until the dialog was initialised).
    const std::string& GetHomePageTarget() const { return m_homePageTarget.GetTarget(); }
    const std::string& GetModuleTarget() const { return m_moduleTarget.GetTarget(); }
    // The version line: IDS_ABOUT_VERSION with the program's version number.
    static std::string MakeVersionText();

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
    CHandle<CGDIHandleTraits> m_titleFont;
    CLinkControl m_homePageLink;
    CShellExecuteLink m_homePageTarget;
    CLinkControl m_moduleLink;
    CShellExecuteLink m_moduleTarget;
};
