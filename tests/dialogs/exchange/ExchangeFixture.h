#pragma once

// Two fixture projects on disk for the import and export dialog: "Home", the current
// project, and "Work", the one exchanged with; the application object on a folder of its
// own and a pinned clock (the tests run with TZ=UTC).
//
// Home: Dev 13 March 09:00-10:00.
// Work: Dev 13 March 10:00-12:00, Dev\Code 12 March 22:00 to 13 March 02:00, Mail without
// tally marks, Meet 14 March 08:00-09:00 (outside the period of 13 March).

#include "dialogs/CDataExchangeDlg.h"
#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/CTallymarks.h"
#include "model/EProjectFileFormat.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace exchangetest {

// Wednesday 13 March 2024, 00:00 UTC.
const double kDay = 45364.0;
const double kHour = 1.0 / 24.0;
// Monday 18 March 2024, 12:00.
const double kNow = kDay + 5.5;

inline double& Now() {
    static double now = kNow;
    return now;
}

inline CDateTime PinnedNow(bool utc) {
    return utc ? CDateTime(Now()) : CDateTime(Now()).UtcToLocal();
}

class CExchangeFixture : public harness::CDialogAppFixture {
protected:
    CExchangeFixture() {
        StartApp(true);
        Now() = kNow;
        CDateTime::SetNowSource(&PinnedNow);
    }
    ~CExchangeFixture() override {
        CDateTime::SetNowSource(nullptr);
        m_app.reset();
    }
    std::string PathOf(const std::string& name) const { return m_folder.Path() + "\\" + name; }

    static CActivity* AddActivity(CActivity* parent, const std::string& name) {
        CActivity* activity = new CActivity(parent->GetProjectState(), name, true);
        parent->AddChildActivity(activity, -1);
        return activity;
    }
    static void AddMark(CActivity* activity, double startHours, double endHours) {
        activity->GetTallymarks().Add(new CTallymark(activity, CDateTime(kDay + startHours * kHour),
                                                     CDateTime(kDay + endHours * kHour)));
    }
    // Writes Home and Work in format, Work with a running tally mark on Mail when asked.
    void WriteProjects(int format, bool workRunning = false) {
        const char* extension = format == pffXML ? ".xml" : ".wkp";
        m_homePath = PathOf(std::string("Home") + extension);
        m_workPath = PathOf(std::string("Work") + extension);
        CProject* home = Projects().CreateNew();
        home->GetState()->SetName("Home");
        AddMark(AddActivity(home->GetState()->GetRootActivity(), "Dev"), 9, 10);
        ASSERT_TRUE(home->Save(false, nullptr, m_homePath.c_str(), format));
        CProject* work = Projects().CreateNew();
        CProjectState* state = work->GetState();
        state->SetName("Work");
        CActivity* dev = AddActivity(state->GetRootActivity(), "Dev");
        AddMark(dev, 10, 12);
        AddMark(AddActivity(dev, "Code"), -2, 2);
        CActivity* mail = AddActivity(state->GetRootActivity(), "Mail");
        AddMark(AddActivity(state->GetRootActivity(), "Meet"), 32, 33);
        if (workRunning) {
            ASSERT_TRUE(Projects().StartWorking(work, mail));
        }
        ASSERT_TRUE(work->Save(false, nullptr, m_workPath.c_str(), format));
        Projects().Close(home, true);
        Projects().Close(work, true);
        m_homeBytes = ReadFile(m_homePath);
        m_workBytes = ReadFile(m_workPath);
        ASSERT_FALSE(m_workBytes.empty());
    }
    CProject* OpenHome() {
        return Projects().OpenPath(m_homePath, CProjects::kOpenAndSwitch, true);
    }
    std::string ReadFile(const std::string& path) const {
        return m_folder.Read(path.substr(m_folder.Path().size() + 1));
    }
    // Every tally mark of state as "path start end" in hours from 13 March, "open" for a
    // running one, sorted.
    static std::vector<std::string> Records(const CProjectState* state) {
        std::vector<std::string> records;
        CActivity* root = state->GetRootActivity();
        for (CActivity* activity = root->GetNextInSubtree(root); activity != nullptr;
             activity = activity->GetNextInSubtree(root)) {
            CTallymarks& marks = activity->GetTallymarks();
            for (CTallymark* mark = marks.GetFirst(); mark != nullptr; mark = marks.GetNext()) {
                auto hours = [](const CDateTime& date) {
                    return std::to_string(std::lround((date.GetValue() - kDay) / kHour));
                };
                records.push_back(activity->GetPath() + " " + hours(mark->GetStart()) + " " +
                                  (mark->IsOpen() ? "open" : hours(mark->GetEnd(false))));
            }
        }
        std::sort(records.begin(), records.end());
        return records;
    }
    static void Run(harness::CUiScript& script, CDataExchangeDlg& dialog, unsigned direction) {
        harness::RunDialog(script, dialog, CDataExchangeDlg::GetDialogId(direction), true);
    }
    // The period of 13 March (local time).
    static void ChooseDay(CDataExchangeDlg& dialog) {
        dialog.SetPeriod(CDateTime(kDay).UtcToLocal(), CDateTime(kDay + 1).UtcToLocal());
    }

    std::string m_homePath, m_workPath, m_homeBytes, m_workBytes;
};

} // namespace exchangetest
