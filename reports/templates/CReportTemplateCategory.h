#pragma once

// CReportTemplateCategory: one node of the tree in which the report templates are shown.
// A pure category has a name and children; a leaf has a name and owns one template.
//
//   root.AddTemplate(std::move(report));   // placed along its Categorization
//
// Usage notes:
// - A Categorization "Lists\Per day" puts a leaf "Per day" under a category "Lists".
//   Categories are matched without regard to case (the first spelling stays) and shared;
//   leaves are never merged, so two templates of one Categorization give two leaves.
// - Children keep the order in which they were first made.

#include "library/trees/CTreeNode.h"
#include "reports/templates/CReportTemplate.h"

#include <memory>
#include <string>

class CReportTemplateCategory : public CTreeNode<CReportTemplateCategory> {
public:
    // A pure category; with a template, a leaf that owns it.
    explicit CReportTemplateCategory(std::string name,
                                     std::unique_ptr<CReportTemplate> reportTemplate = nullptr);
    ~CReportTemplateCategory() override = default;

    const std::string& GetName() const { return m_name; }
    // Null for a pure category.
    CReportTemplate* GetTemplate() const { return m_template.get(); }

    // Inserts the template along its own Categorization.
    void AddTemplate(std::unique_ptr<CReportTemplate> reportTemplate);
    // Inserts the template along path, below this node.
    void InsertTemplate(std::unique_ptr<CReportTemplate> reportTemplate, const std::string& path);

private:
    std::string m_name;
    std::unique_ptr<CReportTemplate> m_template;
};
