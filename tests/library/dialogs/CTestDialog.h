#pragma once

// CTestDialog: a resizable dialog of the test resources that records its events and
// lets each test decide how its slots answer. OK and Cancel close it unless a test's
// command handler takes them.

#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"

#include <functional>
#include <vector>

class CTestDialog : public CResizableDialogWindow,
                    public CSlot<CDialogMessageEvent>,
                    public CSlot<CDialogCommandEvent>,
                    public CSlot<CDialogCCNotificationEvent>,
                    public CSlot<CDialogInitializeEvent>,
                    public CSlot<CDialogTerminateEvent> {
public:
    CTestDialog();

    // The test program's own resources.
    static SDialogParams Params(int dialogId, int acceleratorId = 0);

    std::function<bool(CDialogCommandEvent&)> onCommand;
    std::function<bool(CDialogMessageEvent&)> onMessage;
    std::function<bool(CDialogCCNotificationEvent&)> onNotification;
    std::function<void()> onInitialize;
    int exitCodeToSet = 0;

    std::vector<WORD> commands;
    std::vector<UINT> messages;
    std::vector<UINT> notifications;
    int initializations = 0;
    int terminations = 0;

protected:
    bool OnEvent(CDialogMessageEvent& event) override;
    bool OnEvent(CDialogCommandEvent& event) override;
    bool OnEvent(CDialogCCNotificationEvent& event) override;
    bool OnEvent(CDialogInitializeEvent& event) override;
    bool OnEvent(CDialogTerminateEvent& event) override;
};
