#include "dialogs/CAboutDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "app/ui/SharedPictures.h"
#include "dialogs/ScaledFont.h"
#include "library/system/ModuleVersion.h"
#include "library/text/CText.h"
#include "resources/ResourceIds.h"

namespace {

const COLORREF kLinkColour = 0xff0000;
// The product line is 18/8 of the dialog font.
const int kTitleScale = 18;
const int kTitleBase = 8;

} // namespace

const SDialogIdentity CAboutDlg::kIdentity = {IDD_ABOUT, false, EPlacementSlot::About,
                                              IDS_HELP_ABOUT};

CAboutDlg::CAboutDlg() {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
}

CAboutDlg::~CAboutDlg() {
    m_moduleLink.Detach();
    m_homePageLink.Detach();
    CSlot<CDialogMessageEvent>::DisconnectAll();
    CSlot<CDialogCommandEvent>::DisconnectAll();
    CSlot<CDialogInitializeEvent>::DisconnectAll();
    CSlot<CDialogTerminateEvent>::DisconnectAll();
}

std::string CAboutDlg::MakeVersionText() {
    SModuleVersion version;
    CText text(IDS_ABOUT_VERSION);
    if (ReadModuleVersion(CAppMain::Get().GetApp().GetModule(), version)) {
        text.ReplaceWithString("[VERSION]", FormatModuleVersion(version), true);
    } else {
        text.ReplaceWithString("[VERSION]", std::string(), true);
    }
    return text.GetString();
}

bool CAboutDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    RestoreDialogPosition(*this, kIdentity.slot);
    SendDlgItemMessageA(window, IDC_ABOUT_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(AboutBitmap().Get()));
    // The control took the picture's size; it stands centred over the centred lines, also
    // where the dialog font makes the dialog wider than the picture was drawn for.
    RECT client = {};
    GetClientRect(window, &client);
    const SWindowRect picture = GetItemRect(IDC_ABOUT_PICTURE);
    if (picture.width < client.right) {
        SetItemPos(IDC_ABOUT_PICTURE, (client.right - picture.width) / 2, picture.y);
    }
    SetDlgItemTextA(window, IDC_ABOUT_VERSION, MakeVersionText().c_str());
    SetDlgItemTextA(window, IDC_ABOUT_RELEASE_DATE, CText(IDS_ABOUT_RELEASE_DATE));
    SetDlgItemTextA(window, IDC_ABOUT_NOTICE, CText(IDS_ABOUT_NOTICE));

    HINSTANCE module = CAppMain::Get().GetApp().GetModule();
    CText homePage(IDS_HOME_PAGE_ADDRESS);
    homePage.Replace("[SOURCE]", "about", true);
    m_homePageTarget.SetTarget(homePage);
    m_homePageLink.Attach(module, IDCUR_LINK, window, GetDlgItem(window, IDC_ABOUT_HOME_PAGE),
                          &m_homePageTarget, kLinkColour);
    // The module's link leads where its text says.
    std::string moduleAddress;
    GetItemText(IDC_ABOUT_MODULE_LINK, moduleAddress);
    m_moduleTarget.SetTarget(moduleAddress);
    m_moduleLink.Attach(module, IDCUR_LINK, window, GetDlgItem(window, IDC_ABOUT_MODULE_LINK),
                        &m_moduleTarget, kLinkColour);
    m_titleFont = ScaleControlFont(GetDlgItem(window, IDC_ABOUT_TITLE), kTitleScale, kTitleBase);
    return true;
}

bool CAboutDlg::OnDialogCommand(CDialogCommandEvent& event) {
    if (event.controlId != IDCANCEL || event.notificationCode != BN_CLICKED) {
        return false;
    }
    Close();
    return true;
}

bool CAboutDlg::OnDialogMessage(CDialogMessageEvent& event) {
    return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
}

bool CAboutDlg::OnDialogTerminate(CDialogTerminateEvent&) {
    StoreDialogPosition(*this, kIdentity.slot);
    return true;
}
