#include "app/ui/ModalDialogParams.h"

#include "app/main/CAppMain.h"

SDialogParams MakeModalDialogParams(int32_t dialogId, HWND owner, bool sizeGrip) {
    SDialogParams params;
    params.dialogId = dialogId;
    CAppMain::Get().SetDialogModules(params);
    params.owner = owner;
    params.modal = true;
    params.sizeGrip = sizeGrip;
    return params;
}
