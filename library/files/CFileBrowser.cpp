#include "library/files/CFileBrowser.h"

#include "library/dialogs/CModalScope.h"

#include "library/system/CWindowsVersion.h"

#include <dlgs.h>

#include <cstring>
#include <utility>

namespace {

// The window property of the hook dialog that leads back to its browser.
const char* const BrowserProperty = "Tallymarks.CFileBrowser";

// The file name box: a combo box on newer systems, an edit box on older ones.
HWND FileNameBox(HWND dialog) {
    HWND box = GetDlgItem(dialog, cmb13);
    return box != nullptr ? box : GetDlgItem(dialog, edt1);
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

} // namespace

void CFileBrowser::SetFilter(const char* filter) {
    m_filter.clear();
    if (filter == nullptr) {
        return;
    }
    // Up to the empty text that ends the list; its zero is the one c_str() adds.
    const char* entry = filter;
    while (*entry != '\0') {
        const size_t length = std::strlen(entry);
        m_filter.append(entry, length + 1);
        entry += length + 1;
    }
}

void CFileBrowser::SetExtensionHandler(std::vector<std::string> extensions) {
    m_extensions = std::move(extensions);
    m_handler = &CFileBrowser::ExtensionHandler;
}

void CFileBrowser::SetReadOnlyBox(bool show, bool startClear) {
    m_readOnlyBox = show;
    m_readOnlyBoxClear = startClear;
}

bool CFileBrowser::Browse() {
    m_chosen = false;
    m_path.clear();
    m_chosenFilterIndex = 0;
    m_readOnlyChecked = false;
    m_handlerError = nullptr;

    std::string folder = m_initialFolder;
    std::string fileName = m_initialPath;
    const size_t slash = m_initialPath.rfind('\\');
    if (slash != std::string::npos) {
        folder = m_initialPath.substr(0, slash);
        fileName = m_initialPath.substr(slash + 1);
    }
    char file[MAX_PATH] = {};
    if (fileName.size() < MAX_PATH) {
        std::memcpy(file, fileName.c_str(), fileName.size() + 1);
    }

    OPENFILENAMEA ofn = {};
    // Systems before Windows 2000 know only the shorter structure.
    ofn.lStructSize =
        CWindowsVersion::Get().code > 6 ? sizeof(OPENFILENAMEA) : OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = m_owner;
    ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    ofn.nFilterIndex = m_filterIndex;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = m_title.empty() ? nullptr : m_title.c_str();
    ofn.lpstrDefExt = nullptr;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (m_handler) {
        ofn.Flags |= OFN_ENABLEHOOK;
        ofn.lpfnHook = &CFileBrowser::HookProcedure;
        ofn.lCustData = reinterpret_cast<LPARAM>(this);
    }
    if (!m_noOverwritePrompt) {
        ofn.Flags |= OFN_OVERWRITEPROMPT;
    }
    if (!m_readOnlyBox) {
        ofn.Flags |= OFN_HIDEREADONLY;
    } else if (!m_readOnlyBoxClear) {
        ofn.Flags |= OFN_READONLY;
    }
    if (m_mode != Save) {
        ofn.Flags |= OFN_FILEMUSTEXIST;
    }

    BOOL chosen;
    {
        CModalScope moment;
        chosen = m_mode == Save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    }
    if (m_handlerError) {
        std::exception_ptr error = std::exchange(m_handlerError, nullptr);
        std::rethrow_exception(error);
    }
    if (!chosen) {
        return false;
    }
    m_chosen = true;
    m_path = file;
    m_chosenFilterIndex = ofn.nFilterIndex;
    m_readOnlyChecked = (ofn.Flags & OFN_READONLY) != 0;
    return true;
}

UINT_PTR CALLBACK CFileBrowser::HookProcedure(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto* ofn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        SetPropA(hook, BrowserProperty, reinterpret_cast<HANDLE>(ofn->lCustData));
        return TRUE;
    }
    case WM_NOTIFY: {
        auto* browser = reinterpret_cast<CFileBrowser*>(GetPropA(hook, BrowserProperty));
        if (browser == nullptr) {
            return FALSE;
        }
        return browser->OnNotify(hook, *reinterpret_cast<const OFNOTIFYA*>(lParam)) ? TRUE : FALSE;
    }
    case WM_DESTROY:
        RemovePropA(hook, BrowserProperty);
        return FALSE;
    default:
        return FALSE;
    }
}

bool CFileBrowser::OnNotify(HWND hook, const OFNOTIFYA& notification) {
    if (!m_handler || m_handlerError) {
        return false;
    }
    const HWND dialog = GetParent(hook);
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = m_handler(*this, dialog, notification, result);
    } catch (...) {
        // No exception may cross the system's dialog code: keep it, close the dialog
        // and let Browse throw it again.
        m_handlerError = std::current_exception();
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return false;
    }
    const UINT code = notification.hdr.code;
    if (handled && (code == CDN_FILEOK || code == CDN_SHAREVIOLATION)) {
        SetWindowLongPtrA(hook, DWLP_MSGRESULT, result);
        return true;
    }
    return false;
}

bool CFileBrowser::ExtensionHandler(CFileBrowser& browser, HWND dialog,
                                    const OFNOTIFYA& notification, LRESULT&) {
    if (notification.hdr.code != CDN_TYPECHANGE || notification.lpOFN == nullptr) {
        return false;
    }
    const DWORD index = notification.lpOFN->nFilterIndex;
    const std::vector<std::string>& extensions = browser.GetExtensions();
    if (index < 1 || index > extensions.size() || extensions[index - 1].empty()) {
        return false;
    }
    const HWND box = FileNameBox(dialog);
    if (box == nullptr) {
        return false;
    }
    const std::string typed = WindowText(box);
    const std::string changed = ReplaceExtension(typed, extensions[index - 1]);
    if (changed != typed) {
        SetWindowTextA(box, changed.c_str());
    }
    return false;
}

std::string CFileBrowser::ReplaceExtension(const std::string& name, const std::string& extension) {
    const size_t folderEnd = name.find_last_of("\\/");
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || (folderEnd != std::string::npos && dot < folderEnd)) {
        return name;
    }
    return name.substr(0, dot + 1) + extension;
}
