// CSettingsDlg: opening, the commands and the end of the dialog.

#include "dialogs/CSettingsDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "library/text/CText.h"
#include "resources/ResourceIds.h"

namespace {

// Shows the start-with-Windows notice once the dialog is on the screen, outside the
// initialisation, so that the notice has a visible owner and the dialog's own loop runs
// it.
const UINT kShowAutoStartNotice = WM_APP + 1;

const int kPageTemplates[CSettingsDlg::PageCount] = {
    IDD_SETTINGS_DATE_TIME,  IDD_SETTINGS_MAIN_WINDOW, IDD_SETTINGS_START_CLOSE,
    IDD_SETTINGS_INACTIVITY, IDD_SETTINGS_SUPPORT,     IDD_SETTINGS_LANGUAGE};

} // namespace

const SDialogIdentity CSettingsDlg::kIdentity = {IDD_SETTINGS, false, EPlacementSlot::Settings,
                                                 IDS_HELP_SETTINGS};

CSettingsDlg::CSettingsDlg() : CSettingsDlg(CAppMain::Get().GetSetAutoStart()) {}

CSettingsDlg::CSettingsDlg(CSetAutoStart& autoStart) : m_autoStart(autoStart) {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
}

CSettingsDlg::~CSettingsDlg() {
    CSlot<CDialogMessageEvent>::DisconnectAll();
    CSlot<CDialogCommandEvent>::DisconnectAll();
    CSlot<CDialogInitializeEvent>::DisconnectAll();
    CSlot<CDialogTerminateEvent>::DisconnectAll();
}

HWND CSettingsDlg::Control(int id) const {
    return m_tabs.GetControl(id);
}

bool CSettingsDlg::IsControlChecked(int id) const {
    return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CSettingsDlg::CheckControl(int id, bool checked) const {
    SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CSettingsDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    // Any key combination may be typed into the hotkey control, ours included.
    CAppMain::Get().GetHotKey().Unregister();

    m_tabs.CreatePages(window, GetDlgItem(window, IDC_SET_TABS), CResourceModule::GetCurrent(),
                       PageCount, kPageTemplates);
    const SSize growth = m_tabs.GetSizeIncrease();
    for (int id : {IDC_SET_OK, IDCANCEL}) {
        const POINT position = GetItemPos(id);
        SetItemPos(id, position.x + growth.width, position.y + growth.height);
    }
    const SSize size = GetSize(false);
    SetSize(size.width + growth.width, size.height + growth.height);

    RestoreDialogPosition(*this, kIdentity.slot);
    m_workStart.Attach(Control(IDC_SET_WORK_START_HOURS), Control(IDC_SET_WORK_START_MINUTES),
                       Control(IDC_SET_WORK_START_SECONDS), Control(IDC_SET_WORK_START_SPIN));
    m_workEnd.Attach(Control(IDC_SET_WORK_END_HOURS), Control(IDC_SET_WORK_END_MINUTES),
                     Control(IDC_SET_WORK_END_SECONDS), Control(IDC_SET_WORK_END_SPIN));
    FillControls();
    if (m_autoStartReadOnlyPending) {
        PostMessageA(window, kShowAutoStartNotice, 0, 0);
    }
    return true;
}

void CSettingsDlg::ShowAutoStartReadOnly() {
    m_autoStartReadOnlyPending = false;
    MessageBoxA(GetHwnd(), CText(IDS_SET_AUTO_START_READ_ONLY),
                CText(IDS_SET_AUTO_START_READ_ONLY_CAPTION), MB_OK | MB_ICONINFORMATION);
}

bool CSettingsDlg::OnDialogCommand(CDialogCommandEvent& event) {
    const int id = event.controlId;
    if (id >= IDC_SET_WORK_START_HOURS && id <= IDC_SET_WORK_START_SECONDS) {
        if (event.notificationCode == EN_SETFOCUS) {
            m_workStart.SetSpinField(event.control);
        }
        return true;
    }
    if (id >= IDC_SET_WORK_END_HOURS && id <= IDC_SET_WORK_END_SECONDS) {
        if (event.notificationCode == EN_SETFOCUS) {
            m_workEnd.SetSpinField(event.control);
        }
        return true;
    }
    switch (id) {
    case IDCANCEL:
        if (event.notificationCode == BN_CLICKED) {
            Close();
        }
        return true;
    case IDC_SET_OK:
        if (event.notificationCode == BN_CLICKED) {
            OnOk();
        }
        return true;
    case IDC_SET_DETECT_INACTIVITY:
        if (event.notificationCode == BN_CLICKED) {
            UpdateInactivityControls();
        }
        return true;
    default:
        return false;
    }
}

void CSettingsDlg::OnOk() {
    SSettingsValues values = ReadControls();
    if (ValidateAll(values, GetHwnd()) && Apply(values, GetHwnd())) {
        Close();
    }
}

bool CSettingsDlg::OnDialogMessage(CDialogMessageEvent& event) {
    switch (event.message) {
    case kShowAutoStartNotice:
        if (m_autoStartReadOnlyPending && IsOpen()) {
            ShowAutoStartReadOnly();
        }
        return true;
    default:
        return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
    }
}

bool CSettingsDlg::OnDialogTerminate(CDialogTerminateEvent&) {
    StoreDialogPosition(*this, kIdentity.slot);
    CAppMain::Get().GetHotKey().Register();
    return true;
}
