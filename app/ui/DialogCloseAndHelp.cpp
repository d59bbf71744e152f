#include "app/ui/DialogCloseAndHelp.h"

#include "app/main/CAppMain.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogWindow.h"

bool AnswerCloseAndHelp(CDialogWindow& dialog, CDialogMessageEvent& event, int topicStringId) {
    switch (event.message) {
    case WM_CLOSE:
        dialog.Close();
        return true;
    case WM_HELP:
        CAppMain::Get().ShowHelpPage(topicStringId, dialog.GetHwnd());
        event.result = TRUE;
        return true;
    default:
        return false;
    }
}
