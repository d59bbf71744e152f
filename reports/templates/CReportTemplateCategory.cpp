#include "reports/templates/CReportTemplateCategory.h"

#include <windows.h>

CReportTemplateCategory::CReportTemplateCategory(std::string name,
                                                 std::unique_ptr<CReportTemplate> reportTemplate)
    : m_name(std::move(name)), m_template(std::move(reportTemplate)) {}

void CReportTemplateCategory::AddTemplate(std::unique_ptr<CReportTemplate> reportTemplate) {
    if (reportTemplate == nullptr) {
        return;
    }
    const std::string path = reportTemplate->GetCategorization();
    InsertTemplate(std::move(reportTemplate), path);
}

void CReportTemplateCategory::InsertTemplate(std::unique_ptr<CReportTemplate> reportTemplate,
                                             const std::string& path) {
    // Walks down level by level; each level consumes one part of the path, which is never
    // copied whole again, so a path of any length is inserted in time linear in it.
    CReportTemplateCategory* node = this;
    size_t from = 0;
    for (size_t slash = path.find('\\'); slash != std::string::npos;
         slash = path.find('\\', from)) {
        const std::string head = path.substr(from, slash - from);
        from = slash + 1;
        CReportTemplateCategory* child = node->GetFirstChild();
        while (child != nullptr && lstrcmpiA(child->GetName().c_str(), head.c_str()) != 0) {
            child = child->GetNextSibling();
        }
        if (child == nullptr) {
            child = new CReportTemplateCategory(head);
            node->InsertChild(child, -1);
        }
        node = child;
    }
    node->InsertChild(new CReportTemplateCategory(path.substr(from), std::move(reportTemplate)),
                      -1);
}
