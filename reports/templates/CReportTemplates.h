#pragma once

// CReportTemplates: the report templates of the installation, read from the template
// folder of the user-interface language into a tree of categories:
//
//   CReportTemplates templates;
//   CError error = templates.Load();          // the tree is built also when this fails
//   for (CReportTemplateCategory* node = templates.GetRoot()->GetFirstChild(); ...)
//
// Usage notes:
// - The folder is string 40108 with "[INSTALLPATH]" replaced by the program folder.
// - Load answers code -1 when every index file in the folder was a valid template, else
//   code 1 with a message for the user: no folder or no index file, a failed folder search
//   (with the system's error), or the list of the index files that were not valid (the
//   first twenty, with the reason where the user can act on it, then how many more); the
//   valid ones are in the tree all the same.

#include "library/text/CError.h"
#include "reports/templates/CReportTemplateCategory.h"

#include <memory>
#include <string>

class CReportTemplates {
public:
    CReportTemplates() = default;
    CReportTemplates(const CReportTemplates&) = delete;
    CReportTemplates& operator=(const CReportTemplates&) = delete;
    virtual ~CReportTemplates() = default;

    // Loads from the installation's template folder.
    CError Load();
    // Loads from folder; reportsInstalled chooses the message when there is nothing to load.
    CError LoadFrom(const std::string& folder, bool reportsInstalled);

    // The root (empty name, no template); null before the first load.
    CReportTemplateCategory* GetRoot() const { return m_root.get(); }

    // The installation's template folder, without a trailing backslash.
    static std::string GetFolder();

private:
    std::unique_ptr<CReportTemplateCategory> m_root;
};
