#include "CTestDialog.h"

CTestDialog::CTestDialog() {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogCCNotificationEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
}

SDialogParams CTestDialog::Params(int dialogId, int acceleratorId) {
    SDialogParams params;
    params.dialogId = dialogId;
    params.acceleratorId = acceleratorId;
    params.instance = GetModuleHandleA(nullptr);
    params.fallbackInstance = GetModuleHandleA(nullptr);
    return params;
}

bool CTestDialog::OnEvent(CDialogMessageEvent& event) {
    messages.push_back(event.message);
    return onMessage ? onMessage(event) : false;
}

bool CTestDialog::OnEvent(CDialogCommandEvent& event) {
    commands.push_back(event.controlId);
    if (onCommand && onCommand(event)) {
        return true;
    }
    if (event.controlId == IDOK || event.controlId == IDCANCEL) {
        Close();
        return true;
    }
    return false;
}

bool CTestDialog::OnEvent(CDialogCCNotificationEvent& event) {
    notifications.push_back(event.header->code);
    return onNotification ? onNotification(event) : false;
}

bool CTestDialog::OnEvent(CDialogInitializeEvent&) {
    ++initializations;
    if (onInitialize) {
        onInitialize();
    }
    return false;
}

bool CTestDialog::OnEvent(CDialogTerminateEvent& event) {
    ++terminations;
    event.exitCode = exitCodeToSet;
    return false;
}
