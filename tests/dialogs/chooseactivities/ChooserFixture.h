#pragma once

// The application object on a folder of its own with one open project whose tree and
// tally marks a test builds, for the chooser dialogs' tests (included by path from the
// other chooser test folders).

#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace choosertest {

class CChooserFixture : public harness::CDialogAppFixture {
protected:
    CChooserFixture() {
        StartApp(true);
        m_project = Projects().CreateNew();
    }

    CProjectState* State() const { return m_project->GetState(); }

    // One line per activity, indented by one blank a level.
    void Build(std::initializer_list<const char*> lines) {
        CActivity* root = State()->GetRootActivity();
        std::vector<CActivity*> parents = {root};
        for (const std::string line : lines) {
            const size_t depth = line.find_first_not_of(' ');
            CActivity* activity = new CActivity(State(), line.substr(depth), true);
            parents.resize(depth + 1);
            parents[depth]->AddChildActivity(activity, -1);
            parents.push_back(activity);
            m_a[line.substr(depth)] = activity;
        }
    }
    // A closed tally mark on the activity, start and end in UTC.
    void AddTallymark(const std::string& activity, double start, double end) {
        CActivity* target = m_a.at(activity);
        target->GetTallymarks().Add(new CTallymark(target, CDateTime(start), CDateTime(end)));
    }

    CProject* m_project = nullptr;
    std::map<std::string, CActivity*> m_a;
};

} // namespace choosertest
