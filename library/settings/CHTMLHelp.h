#pragma once

// CHTMLHelp: opens the program's compiled help file at a topic.
//
//   CHTMLHelp help;
//   if (help.SetFile(path) == 0) {
//       if (help.ShowTopic("intro.html", nullptr) == 2) {
//           std::string why = help.GetLastErrorText();   // may be empty
//       }
//   }
//
// The HTML Help entry point can be replaced (tests watch the calls made).

#include <windows.h>

#include <cstdint>
#include <string>

class CHTMLHelp {
public:
    using HtmlHelpFunction = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

    // function: the HTML Help entry point; null means the system's HtmlHelpA.
    explicit CHTMLHelp(HtmlHelpFunction function = nullptr);
    virtual ~CHTMLHelp() = default;

    // 0 when the file exists (it is kept and help becomes available); 1 otherwise
    // (the path is cleared and help is unavailable).
    int32_t SetFile(const std::string& path);
    bool IsAvailable() const { return m_available; }
    const std::string& GetFile() const { return m_file; }

    // Shows file::/topic, or file::/topic>windowType when a window type is given (not
    // null or empty); the desktop window owns the help window.
    // 0 when a help window came back, 1 when no help file is available, 2 when the help
    // system showed nothing.
    int32_t ShowTopic(const std::string& topic, const char* windowType) const;
    // The help system's description of its last failure; empty when it has none.
    std::string GetLastErrorText() const;

private:
    HtmlHelpFunction m_function;
    std::string m_file;
    bool m_available = false;
};
