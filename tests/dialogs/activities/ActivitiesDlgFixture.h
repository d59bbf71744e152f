#pragma once

// Runs the manage activities dialog on a fixture project that the application object
// opened from a file, and reads what the dialog's list shows.

#include "app/main/CAppMain.h"
#include "dialogs/CActivitiesDlg.h"
#include "harness/CUiScript.h"
#include "library/system/CScratchFolder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CActivity;
class CProject;
class CProjectState;

namespace activitiestest {

class CActivitiesDlgFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    CActivitiesDlgFixture();
    ~CActivitiesDlgFixture() override;

    // Saves a project with one activity per line (indented by one blank a level; a
    // trailing "*" books one closed tally mark on it), opens it and returns it.
    CProject* OpenFixture(std::initializer_list<const char*> lines);
    // Runs the dialog on project while script runs; the dialog's exit code.
    int RunDialog(harness::CUiScript& script, CProject* project);
    // Saves project's committed state to a file of its own, closes the project (which
    // holds its file while open) and returns the file's bytes.
    std::string SaveCopyAndClose(CProject* project);
    // The fixture file as it was written, before the project was opened.
    const std::string& OriginalBytes() const { return m_original; }

    HWND Dlg() const;
    HWND List() const;
    // Each row as indent blanks and name.
    std::vector<std::string> Rows() const;
    // The rows that state's tree calls for, walked independently of the list.
    static std::vector<std::string> TreeRows(CProjectState* state);
    // The activity of the edit copy with that name.
    CActivity* Find(const std::string& name) const;
    // The enabled command buttons, as their ids in order.
    std::vector<int> EnabledButtons() const;

    // Script actions.
    void SelectName(const std::string& name) const;
    // A key sent to the list, with Ctrl held when control is set.
    void Key(WORD key, bool control = false) const;
    // Types name into the running label edit and ends it with Enter.
    void FinishEdit(const std::string& name) const;

    CScratchFolder m_folder;
    std::unique_ptr<CAppMain> m_app;
    CActivitiesDlg* m_dialog = nullptr;
    std::string m_original;
};

} // namespace activitiestest
