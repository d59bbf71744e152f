#include "harness/DialogRun.h"

namespace harness {

int RunDialog(CUiScript& script, CDialogWindow& dialog, SDialogParams params) {
    params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
    int exitCode = -2;
    script.Run([&] { exitCode = dialog.Create(params); });
    return exitCode;
}

int RunDialog(CUiScript& script, CDialogWindow& dialog, int dialogId, bool sizeGrip) {
    SDialogParams params;
    params.dialogId = dialogId;
    params.sizeGrip = sizeGrip;
    return RunDialog(script, dialog, params);
}

} // namespace harness
