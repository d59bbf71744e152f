#include "dialogs/CTipDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "app/ui/SharedPictures.h"
#include "dialogs/ScaledFont.h"
#include "library/text/CText.h"
#include "resources/ResourceIds.h"

namespace {

// The tips in display order. A language module translates the texts; the order and the
// pairing of title, text and page are the program's.
const STip kTipTable[CTipDlg::kTipCount] = {
    {IDS_TIP_START_PROJECT, IDS_TIP_START_PROJECT_TEXT, IDS_HELP_START_PROJECT},
    {IDS_TIP_HELP_PAGES, IDS_TIP_HELP_PAGES_TEXT, IDS_HELP_GET_HELP},
    {IDS_TIP_ANALOGY, IDS_TIP_ANALOGY_TEXT, IDS_HELP_WHAT_IS_A_TALLYMARK},
    {IDS_TIP_START_ON_ACTIVITY, IDS_TIP_START_ON_ACTIVITY_TEXT, IDS_HELP_REGISTER_TIME},
    {IDS_TIP_WORKING_STATUS, IDS_TIP_WORKING_STATUS_TEXT, IDS_HELP_ICON_STATUS},
    {IDS_TIP_HOTKEY, IDS_TIP_HOTKEY_TEXT, IDS_HELP_SETTINGS},
    {IDS_TIP_DETECT_INACTIVITY, IDS_TIP_DETECT_INACTIVITY_TEXT, IDS_HELP_DETECT_INACTIVITY},
    {IDS_TIP_MANAGE_TALLYMARKS, IDS_TIP_MANAGE_TALLYMARKS_TEXT, IDS_HELP_MANAGE_TIME},
    {IDS_TIP_MANAGE_ACTIVITIES, IDS_TIP_MANAGE_ACTIVITIES_TEXT, IDS_HELP_ACTIVITY_STRUCTURE},
    {IDS_TIP_WEEK_START, IDS_TIP_WEEK_START_TEXT, IDS_HELP_WEEK},
    {IDS_TIP_SPLIT_TALLYMARKS, IDS_TIP_SPLIT_TALLYMARKS_TEXT, IDS_HELP_SPLIT_TALLYMARKS},
    {IDS_TIP_DISPLAY_OPTIONS, IDS_TIP_DISPLAY_OPTIONS_TEXT, IDS_HELP_DISPLAY_OPTIONS},
    {IDS_TIP_PORTABLE, IDS_TIP_PORTABLE_TEXT, IDS_HELP_PORTABLE},
    {IDS_TIP_OPEN_PROJECT, IDS_TIP_OPEN_PROJECT_TEXT, IDS_HELP_PROJECT_FILES},
    {IDS_TIP_XML, IDS_TIP_XML_TEXT, IDS_HELP_PROJECT_FILES},
    {IDS_TIP_STATISTICS, IDS_TIP_STATISTICS_TEXT, IDS_HELP_MAIN_WINDOW},
    {IDS_TIP_UPDATES, IDS_TIP_UPDATES_TEXT, IDS_HELP_VERSION_HISTORY},
    {IDS_TIP_MANAGE_MANY_TALLYMARKS, IDS_TIP_MANAGE_MANY_TALLYMARKS_TEXT,
     IDS_HELP_MANAGE_TALLYMARKS},
    {IDS_TIP_SORT_TALLYMARKS, IDS_TIP_SORT_TALLYMARKS_TEXT, IDS_HELP_MANAGE_TALLYMARKS},
    {IDS_TIP_DISABLED_ACTIVITIES, IDS_TIP_DISABLED_ACTIVITIES_TEXT, IDS_HELP_ENABLE_ACTIVITIES},
    {IDS_TIP_PROJECT_STATISTICS, IDS_TIP_PROJECT_STATISTICS_TEXT, IDS_HELP_PROJECT_STATISTICS},
    {IDS_TIP_AUTOSTART, IDS_TIP_AUTOSTART_TEXT, IDS_HELP_SETTINGS},
};

const COLORREF kLinkColour = 0xff0000;
// The heading is 14/8 of the dialog font.
const int kHeadingScale = 14;
const int kHeadingBase = 8;

} // namespace

const SDialogIdentity CTipDlg::kIdentity = {IDD_TIP, false, EPlacementSlot::TipOfTheDay,
                                            IDS_HELP_TIP};

CTipDlg::CTipDlg() : m_currentTip(0, kTipCount - 1, true) {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    // The settings keep the bits of whatever number the file held; as a signed number a
    // stored -1 is the last tip.
    m_currentTip.SetValue(static_cast<int32_t>(CAppMain::Get().GetSetTips().GetTipIndex()));
}

CTipDlg::~CTipDlg() {
    m_link.Detach();
    CSlot<CDialogMessageEvent>::DisconnectAll();
    CSlot<CDialogCommandEvent>::DisconnectAll();
    CSlot<CDialogInitializeEvent>::DisconnectAll();
    CSlot<CDialogTerminateEvent>::DisconnectAll();
}

const STip& CTipDlg::GetTip(int32_t index) {
    CFixedRangeNumber wrapped(0, kTipCount - 1, true);
    wrapped.SetValue(index);
    return kTipTable[wrapped.GetValue()];
}

bool CTipDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    RestoreDialogPosition(*this, kIdentity.slot);
    m_textWithLink = GetItemRect(IDC_TIP_TEXT);
    const SWindowRect link = GetItemRect(IDC_TIP_LINK);
    m_textWithoutLink = m_textWithLink;
    m_textWithoutLink.height = link.y + link.height - m_textWithLink.y;
    SendDlgItemMessageA(window, IDC_TIP_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(TipBitmap().Get()));
    m_link.Attach(CAppMain::Get().GetApp().GetModule(), IDCUR_LINK, window,
                  GetDlgItem(window, IDC_TIP_LINK), this, kLinkColour);
    m_headingFont =
        ScaleControlFont(GetDlgItem(window, IDC_TIP_HEADING), kHeadingScale, kHeadingBase);
    CheckDlgButton(window, IDC_TIP_SHOW_AT_STARTUP,
                   CAppMain::Get().GetSetTips().GetShowTips() ? BST_CHECKED : BST_UNCHECKED);
    ShowTip();
    return true;
}

void CTipDlg::ShowTip() {
    HWND window = GetHwnd();
    const STip& tip = kTipTable[m_currentTip.GetValue()];
    const bool withLink = tip.helpPage != -1 && CAppMain::Get().GetHelp().IsAvailable();
    if (withLink) {
        ShowWindow(GetDlgItem(window, IDC_TIP_LINK), SW_SHOWNOACTIVATE);
    } else {
        ShowItem(IDC_TIP_LINK, false);
    }
    const SWindowRect& text = withLink ? m_textWithLink : m_textWithoutLink;
    SetItemRect(IDC_TIP_TEXT, text.x, text.y, text.width, text.height);
    CText heading(IDS_TIP_HEADING);
    heading.ReplaceWithNumber("[TIPNR]", m_currentTip.GetValue() + 1, true);
    SetDlgItemTextA(window, IDC_TIP_HEADING, heading);
    SetDlgItemTextA(window, IDC_TIP_TITLE, CText(static_cast<unsigned int>(tip.title)));
    SetDlgItemTextA(window, IDC_TIP_TEXT, CText(static_cast<unsigned int>(tip.text)));
}

bool CTipDlg::OnDialogCommand(CDialogCommandEvent& event) {
    switch (event.controlId) {
    case IDCANCEL:
    case IDC_TIP_SHOW_AT_STARTUP:
    case IDC_TIP_PREVIOUS:
    case IDC_TIP_NEXT:
        break;
    default:
        return false;
    }
    if (event.notificationCode != BN_CLICKED) {
        return true;
    }
    switch (event.controlId) {
    case IDCANCEL:
        Close();
        break;
    case IDC_TIP_SHOW_AT_STARTUP:
        CAppMain::Get().GetSetTips().GetShowTips() =
            IsDlgButtonChecked(GetHwnd(), IDC_TIP_SHOW_AT_STARTUP) == BST_CHECKED;
        break;
    case IDC_TIP_PREVIOUS:
        --m_currentTip;
        ShowTip();
        break;
    default:
        ++m_currentTip;
        ShowTip();
        break;
    }
    return true;
}

bool CTipDlg::OnLinkClicked(CLinkControl&) {
    const int32_t page = kTipTable[m_currentTip.GetValue()].helpPage;
    return page != -1 && CAppMain::Get().ShowHelpPage(page, GetHwnd());
}

bool CTipDlg::OnDialogMessage(CDialogMessageEvent& event) {
    return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
}

bool CTipDlg::OnDialogTerminate(CDialogTerminateEvent&) {
    StoreDialogPosition(*this, kIdentity.slot);
    ++m_currentTip;
    CAppMain::Get().GetSetTips().GetTipIndex() = static_cast<uint32_t>(m_currentTip.GetValue());
    return true;
}
