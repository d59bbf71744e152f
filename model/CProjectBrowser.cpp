#include "model/CProjectBrowser.h"

#include "library/files/CFileBrowser.h"
#include "library/text/CText.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/EProjectFileFormat.h"
#include "model/ILastProjectFolder.h"
#include "resources/ResourceIds.h"

namespace {

// The filter list in the system's layout: text, pattern, ..., and an empty text.
std::string BuildFilter(bool withAllFiles) {
    std::string filter;
    auto add = [&filter](unsigned int textId, const char* pattern) {
        filter += CText(textId).GetString();
        filter += '\0';
        filter += pattern;
        filter += '\0';
    };
    add(IDS_FILTER_PROJECT_FILES, "*.wkp");
    add(IDS_FILTER_XML_FILES, "*.xml");
    if (withAllFiles) {
        add(IDS_FILTER_ALL_FILES, "*.*");
    }
    return filter;
}

unsigned int TitleId(int purpose) {
    switch (purpose) {
    case CProjectBrowser::bpImport:
        return IDS_BROWSE_IMPORT_PROJECT;
    case CProjectBrowser::bpExport:
        return IDS_BROWSE_EXPORT_PROJECT;
    case CProjectBrowser::bpSave:
        return IDS_BROWSE_SAVE_PROJECT;
    default:
        return IDS_BROWSE_OPEN_PROJECT;
    }
}

} // namespace

void CProjectBrowser::Reset() {
    m_confirmed = false;
    m_filePath.clear();
    m_format = 0;
}

bool CProjectBrowser::Browse(int purpose, HWND owner, const std::string& proposedName,
                             int currentFormat) {
    const bool saving = purpose == bpExport || purpose == bpSave;
    CFileBrowser browser;
    browser.SetMode(saving ? CFileBrowser::Save : CFileBrowser::Open);
    browser.SetOwner(owner);
    browser.SetTitle(CText(TitleId(purpose)).GetString());
    browser.SetInitialFolder(ILastProjectFolder::GetCurrent().GetLastPath());
    browser.SetInitialPath(proposedName);
    const std::string filter = BuildFilter(!saving);
    browser.SetFilter(filter.c_str());
    browser.SetFilterIndex(currentFormat == pffXML ? 2 : 1);
    if (saving) {
        browser.SetExtensionHandler({"wkp", "xml"});
        browser.SetNoOverwritePrompt(purpose == bpExport);
    }
    if (!browser.Browse()) {
        m_confirmed = false;
        return false;
    }
    const bool xml = browser.GetChosenFilterIndex() == 2;
    m_confirmed = true;
    // An existing file without extension that is opened keeps its name: adding one would
    // name a file that is not there.
    m_filePath =
        saving ? AddDefaultExtension(browser.GetPath(), xml ? "xml" : "wkp") : browser.GetPath();
    m_format = xml ? pffXML : pffBinary;
    ILastProjectFolder::GetCurrent().SetLastPathFromFile(m_filePath);
    return true;
}

std::string CProjectBrowser::ProposedName(const CProject& project) {
    const CFilePath file = project.GetFilePath(false);
    return file.IsValid() ? file.GetPath() : project.GetState()->GetName();
}

std::string CProjectBrowser::AddDefaultExtension(const std::string& path,
                                                 const std::string& extension) {
    const size_t slash = path.find_last_of("\\/");
    const size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        return path;
    }
    return path + "." + extension;
}
