#pragma once

// CTipDlg: the tip of the day. It shows one of the program's 22 tips (heading with the tip's
// number, title, text and a link to the help page that explains it); the user steps through
// them both ways, round and round, and decides whether the tips show at start-up.
//
//   CTipDlg dialog;                       // starts at the stored TipIndex, wrapped
//   dialog.Create(MakeModalDialogParams(CTipDlg::kIdentity, mainWindow));
//
// Usage notes:
// - Any stored TipIndex names a tip: it is read as a signed 32-bit number and wrapped into
//   0 to 21 with one remainder (-1 is the last tip, 22 the first).
// - Closing, however it happens, stores the index of the tip after the one shown, so that
//   the next opening continues there. The start-up check box is stored at once.
// - Without the help file the link is hidden and the text takes its lines.

#include "app/ui/SDialogIdentity.h"
#include "library/controls/CLinkControl.h"
#include "library/controls/ILinkControlCallback.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/dialogs/SWindowRect.h"
#include "library/events/CSlot.h"
#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"
#include "library/system/CFixedRangeNumber.h"

#include <cstdint>

// One tip: string-table ids of its title, its text and its help page (-1: none).
struct STip {
    int32_t title;
    int32_t text;
    int32_t helpPage;
};

class CTipDlg : public ILinkControlCallback,
                public CDialogWindow,
                public CSlot<CDialogMessageEvent>,
                public CSlot<CDialogCommandEvent>,
                public CSlot<CDialogInitializeEvent>,
                public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;
    static const int kTipCount = 22;

    CTipDlg();
    ~CTipDlg() override;

    // The tip shown (0 to 21).
    int32_t GetCurrentTip() const { return m_currentTip.GetValue(); }
    // The tip table, in display order; index 0 to 21.
    static const STip& GetTip(int32_t index);

    // ILinkControlCallback: opens the current tip's help page.
    bool OnLinkClicked(CLinkControl& link) override;

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
    void ShowTip();

    CFixedRangeNumber m_currentTip;
    CHandle<CGDIHandleTraits> m_headingFont;
    CLinkControl m_link;
    SWindowRect m_textWithLink = {};
    SWindowRect m_textWithoutLink = {};
};
