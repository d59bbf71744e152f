#pragma once
// CProjectBrowser: asks the user for a project file with the system's open or save dialog
// and keeps the answer: whether a file was chosen, its path and the format that the chosen
// filter stands for.
//
//   CProjectBrowser browser;
//   if (browser.Browse(CProjectBrowser::bpSave, owner, "Plan", pffXML)) {
//       Save(browser.GetFilePath(), browser.GetFormat());
//   }
//
// The dialog starts in the folder of the last chosen project file
// (ILastProjectFolder::GetCurrent), unless the proposed name holds a folder.
#include <windows.h>
#include <string>

class CProject;

class CProjectBrowser {
public:
    // What the file is chosen for; any other value counts as opening.
    enum EPurpose : int { bpOpen = 0, bpImport = 1, bpExport = 2, bpSave = 3 };

    CProjectBrowser() = default;
    CProjectBrowser(const CProjectBrowser&) = default;
    CProjectBrowser& operator=(const CProjectBrowser&) = default;
    virtual ~CProjectBrowser() = default;

    // Back to nothing chosen: unconfirmed, empty path, format 0.
    void Reset();
    // Shows the dialog; returns IsConfirmed. A cancelled dialog leaves path and format as
    // they were. The save purposes give a name without extension the extension of the
    // chosen filter; the open purposes take the chosen file as it is.
    bool Browse(int purpose, HWND owner, const std::string& proposedName, int currentFormat);

    // A confirmed answer without the dialog, for a location that is already known.
    void Choose(const std::string& filePath, int format) {
        m_confirmed = true;
        m_filePath = filePath;
        m_format = format;
    }

    bool IsConfirmed() const { return m_confirmed; }
    const std::string& GetFilePath() const { return m_filePath; }
    // pffBinary or pffXML once a file was chosen, else 0.
    int GetFormat() const { return m_format; }

    // The name to propose when project is saved to a new location: its file's path when it
    // has a file, else its name alone, so that the dialog starts in the last project folder
    // and not in the working folder that a path made from the name alone would hold.
    static std::string ProposedName(const CProject& project);

    // path with "." and extension appended when its file name has no extension.
    static std::string AddDefaultExtension(const std::string& path, const std::string& extension);

private:
    bool m_confirmed = false;
    std::string m_filePath;
    int m_format = 0;
};
