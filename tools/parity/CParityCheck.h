#pragma once

// Compares a language module with the program's own resources and lists every
// difference a user would see: something missing or extra, a control of another class
// or style, a placeholder or leading line break lost, a layout number missing, a window
// class or program name changed, a dialog template of the other kind (DIALOG against
// DIALOGEX), a default column width that no longer fits its column, a resource that only
// the program may carry, or an exported symbol other than the entry routine.

#include "CModuleResources.h"

#include <string>
#include <vector>

class CParityCheck {
public:
    CParityCheck(const CModuleResources& program, const CModuleResources& module)
        : m_program(program), m_module(module) {}

    // Each difference found, one line of text each.
    std::vector<std::string> Run();

    // The bracketed placeholders of a text ("[PROJECT]"), sorted.
    static std::vector<std::string> Placeholders(const std::string& text);
    static size_t LeadingLineBreaks(const std::string& text);

private:
    void CompareStrings();
    void CompareDialogs();
    void CompareDialog(unsigned id, const SDialogTemplate& english, const SDialogTemplate& dutch);
    void CompareMenus();
    void CompareData();
    void CompareText(const std::string& where, const std::string& english,
                     const std::string& dutch);
    void CheckTypes();
    void CheckExports();
    void Add(const std::string& finding) { m_findings.push_back(finding); }

    const CModuleResources& m_program;
    const CModuleResources& m_module;
    std::vector<std::string> m_findings;
};
