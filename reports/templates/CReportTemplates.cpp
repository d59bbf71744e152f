#include "reports/templates/CReportTemplates.h"

#include "app/main/CAppMain.h"
#include "library/system/CApp.h"
#include "library/text/CText.h"

#include "resources/ResourceIds.h"

#include <windows.h>

#include <vector>

namespace {

const char* const kExtension = "wkr";
// The most refused templates that the message names one by one.
const size_t kMaxListedFailures = 20;

// The pattern "*.wkr" also finds longer extensions ("x.wkrx"); only ".wkr" counts.
bool HasIndexExtension(const std::string& name) {
    const std::string ending = std::string(".") + kExtension;
    return name.size() > ending.size() &&
           lstrcmpiA(name.c_str() + name.size() - ending.size(), ending.c_str()) == 0;
}

// The index files of folder in the order of the system's search; false with the system's
// error code when the search failed for another reason than finding nothing.
bool FindIndexFiles(const std::string& folder, std::vector<std::string>& names, DWORD& error) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\*." + kExtension).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND;
    }
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            HasIndexExtension(data.cFileName)) {
            names.push_back(data.cFileName);
        }
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return true;
}

// The line of a refused template in the message: its name, with the reason where the
// user can act on it.
std::string DescribeFailure(const std::string& name, CReportTemplate::EProblem problem) {
    unsigned int id = 0;
    switch (problem) {
    case CReportTemplate::EProblem::CategoryTooDeep:
        id = IDS_REPORT_TEMPLATE_TOO_DEEP;
        break;
    case CReportTemplate::EProblem::ContentOutsideFolder:
        id = IDS_REPORT_TEMPLATE_CONTENT_OUTSIDE;
        break;
    default:
        return name;
    }
    CText line(id);
    // The name last: it may hold text that looks like a placeholder.
    line.ReplaceWithNumber("[MAXLEVELS]", CReportTemplate::kMaxCategoryLevels, true);
    line.ReplaceWithString("[TEMPLATE]", name, true);
    return line.GetString();
}

} // namespace

std::string CReportTemplates::GetFolder() {
    std::string programFolder;
    if (CAppMain::Exists()) {
        programFolder = CAppMain::Get().GetProgramFolder();
    } else {
        programFolder = CApp().GetModuleFolder();
    }
    while (!programFolder.empty() && programFolder.back() == '\\') {
        programFolder.pop_back();
    }
    CText folder(IDS_REPORT_TEMPLATE_FOLDER);
    folder.ReplaceWithString("[INSTALLPATH]", programFolder, true);
    return folder.GetString();
}

CError CReportTemplates::Load() {
    const bool installed =
        CAppMain::Exists() && CAppMain::Get().GetSetInstall().GetReportsInstalled();
    return LoadFrom(GetFolder(), installed);
}

CError CReportTemplates::LoadFrom(const std::string& folder, bool reportsInstalled) {
    m_root.reset();
    m_root = std::make_unique<CReportTemplateCategory>(std::string());
    CText message(IDS_REPORT_TEMPLATES_ERROR);
    std::vector<std::string> names;
    if (GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES) {
        DWORD error = 0;
        if (!FindIndexFiles(folder, names, error)) {
            message.ReplaceWithText("[ERROR]", CText(IDS_REPORT_TEMPLATES_SEARCH_ERROR), true);
            message.ReplaceWithSystemError("[ERROR]", error, CText(IDS_UNKNOWN_ERROR).GetCStr(),
                                           true);
            return CError(1, message.GetString());
        }
    }
    if (names.empty()) {
        message.ReplaceWithText("[ERROR]",
                                CText(reportsInstalled ? IDS_REPORT_TEMPLATES_MISSING
                                                       : IDS_REPORT_TEMPLATES_NOT_INSTALLED),
                                true);
        return CError(1, message.GetString());
    }
    std::string failed;
    size_t failures = 0;
    for (const std::string& name : names) {
        auto reportTemplate = std::make_unique<CReportTemplate>();
        if (reportTemplate->Load(folder, name)) {
            m_root->AddTemplate(std::move(reportTemplate));
        } else if (++failures <= kMaxListedFailures) {
            failed += "\n" + DescribeFailure(name, reportTemplate->GetProblem());
        }
    }
    if (failures == 0) {
        return CError();
    }
    if (failures > kMaxListedFailures) {
        CText more(IDS_REPORT_TEMPLATES_MORE);
        more.ReplaceWithNumber("[NUMBER]", static_cast<int32_t>(failures - kMaxListedFailures),
                               true);
        failed += "\n" + more.GetString();
    }
    message.ReplaceWithText("[ERROR]", CText(IDS_REPORT_TEMPLATES_FAILED), true);
    message.ReplaceWithString("[FAILEDTEMPLATES]", failed, true);
    return CError(1, message.GetString());
}
