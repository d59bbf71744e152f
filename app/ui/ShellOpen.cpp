#include "app/ui/ShellOpen.h"

#include "library/dialogs/ShowMessageBox.h"
#include "library/text/CText.h"
#include "library/text/ShellExecuteErrorText.h"
#include "resources/ResourceIds.h"

#include <shellapi.h>

#include <cstdint>

bool ShellOpenFile(HWND owner, const char* verb, const std::string& file, const CText& message,
                   const CText& caption) {
    const intptr_t result =
        reinterpret_cast<intptr_t>(ShellExecuteA(owner, verb, file.c_str(), "", "", SW_SHOWNORMAL));
    if (result > 32) {
        return true;
    }
    CText text(message);
    text.ReplaceWithString("[FILEPATH]", file, true);
    text.ReplaceWithText("[ERROR]", CText(GetShellExecuteErrorTextId(result)), true);
    ShowMessageBox(owner, text, caption, MB_OK | MB_ICONERROR);
    return false;
}

bool OpenWebPage(HWND owner, const std::string& address, const CText& message,
                 const CText& caption) {
    return ShellOpenFile(owner, "open", address, message, caption);
}

std::string GetUpdateWebPageAddress(const char* source) {
    CText address(IDS_UPDATE_PAGE_ADDRESS);
    address.Replace("[SOURCE]", source, true);
    return address;
}

bool OpenUpdateWebPage(HWND owner, const char* source) {
    return OpenWebPage(owner, GetUpdateWebPageAddress(source), CText(IDS_UPDATE_PAGE_ERROR),
                       CText(IDS_UPDATE_PAGE_ERROR_CAPTION));
}
