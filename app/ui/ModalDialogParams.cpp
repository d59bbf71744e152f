#include "app/ui/ModalDialogParams.h"

#include "app/main/CAppMain.h"

SDialogParams MakeModalDialogParams(const SDialogIdentity& identity, HWND owner) {
    SDialogParams params;
    params.dialogId = identity.dialogId;
    CAppMain::Get().SetDialogModules(params);
    params.owner = owner;
    params.modal = true;
    params.sizeGrip = identity.sizeGrip;
    return params;
}
