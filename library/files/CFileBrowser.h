#pragma once

// CFileBrowser: the system's open or save file dialog.
//
//   CFileBrowser browser;
//   browser.SetMode(CFileBrowser::Save);
//   browser.SetOwner(dialog);
//   browser.SetInitialPath("C:\\Data\\plan.wkp");      // opens in C:\Data
//   browser.SetFilter("Projects (*.wkp)\0*.wkp\0XML (*.xml)\0*.xml\0");
//   browser.SetFilterIndex(1);
//   browser.SetExtensionHandler({"wkp", "xml"});       // the typed name follows the filter
//   if (browser.Browse()) {
//       Open(browser.GetPath(), browser.GetChosenFilterIndex());
//   }
//
// A notification handler sees every notification of the dialog (CDN_*). When it
// returns true for CDN_FILEOK or CDN_SHAREVIOLATION, its result becomes the dialog's
// answer (a non-zero answer to CDN_FILEOK keeps the dialog open). An exception thrown
// by the handler closes the dialog and is thrown again by Browse.

#include <windows.h>
#include <commdlg.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

class CFileBrowser {
public:
    enum EMode : int32_t { Open = 0, Save = 1 };
    // (browser, file dialog window, notification, result): true when handled.
    using NotificationHandler =
        std::function<bool(CFileBrowser&, HWND, const OFNOTIFYA&, LRESULT&)>;

    CFileBrowser() = default;
    virtual ~CFileBrowser() = default;

    void SetMode(EMode mode) { m_mode = mode; }
    // A path whose last backslash splits it into folder and file name; without a
    // backslash the whole text is the file name and the initial folder applies.
    void SetInitialPath(const std::string& path) { m_initialPath = path; }
    void SetInitialFolder(const std::string& folder) { m_initialFolder = folder; }
    void SetOwner(HWND owner) { m_owner = owner; }
    // Pairs of display text and pattern, each zero-terminated, ending with an empty
    // text (a second zero). Copied.
    void SetFilter(const char* filter);
    // 1-based index of the filter selected at the start (0: the system's choice).
    void SetFilterIndex(DWORD index) { m_filterIndex = index; }
    // Empty: the system's title.
    void SetTitle(const std::string& title) { m_title = title; }
    // False: the save dialog asks before an existing file is chosen.
    void SetNoOverwritePrompt(bool noPrompt) { m_noOverwritePrompt = noPrompt; }
    void SetNotificationHandler(NotificationHandler handler) { m_handler = std::move(handler); }
    // Installs ExtensionHandler with one extension (without the dot) per filter, in
    // filter order; an empty entry leaves the name alone for its filter.
    void SetExtensionHandler(std::vector<std::string> extensions);
    // show: the read-only check box is shown; it starts checked unless startClear.
    void SetReadOnlyBox(bool show, bool startClear);

    // Shows the dialog modally; true when the user chose a file. The results are set,
    // and cleared when nothing was chosen.
    bool Browse();
    bool IsChosen() const { return m_chosen; }
    const std::string& GetPath() const { return m_path; }
    DWORD GetChosenFilterIndex() const { return m_chosenFilterIndex; }
    bool IsReadOnlyChecked() const { return m_readOnlyChecked; }
    const std::vector<std::string>& GetExtensions() const { return m_extensions; }

    // On a change of the file type, gives the typed file name the extension that the
    // browser's extension list holds for the new filter. Always returns false.
    static bool ExtensionHandler(CFileBrowser& browser, HWND dialog, const OFNOTIFYA& notification,
                                 LRESULT& result);
    // name with the text behind its last "." replaced by extension. Only a "." after
    // the last "\" or "/" starts an extension: a name without one comes back unchanged.
    static std::string ReplaceExtension(const std::string& name, const std::string& extension);

private:
    static UINT_PTR CALLBACK HookProcedure(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnNotify(HWND hook, const OFNOTIFYA& notification);

    EMode m_mode = Open;
    std::string m_initialPath;
    std::string m_initialFolder;
    HWND m_owner = nullptr;
    std::string m_filter; // with its inner zeros; c_str() adds the final one
    DWORD m_filterIndex = 0;
    std::string m_title;
    bool m_noOverwritePrompt = true;
    NotificationHandler m_handler;
    std::vector<std::string> m_extensions;
    bool m_readOnlyBox = false;
    bool m_readOnlyBoxClear = false;

    bool m_chosen = false;
    std::string m_path;
    DWORD m_chosenFilterIndex = 0;
    bool m_readOnlyChecked = false;
    std::exception_ptr m_handlerError;
};
