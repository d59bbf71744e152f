#pragma once

// A small project for report tests: activities named by their paths ("Work\Design"), tally
// marks given in local time, the model's zone chosen per test, and templates written to a
// scratch folder and read back as the program reads them.

#include "harness/TestTimeZones.h"
#include "library/datetime/CDateTime.h"
#include "library/datetime/CTimeZone.h"
#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "reports/generator/CReport.h"
#include "reports/templates/CReportTemplate.h"
#include "reports/templates/CReportTemplates.h"

#include "../../library/system/CScratchFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace reporttest {

inline CDateTime Local(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    CDateTime date;
    EXPECT_TRUE(date.SetDateTime(year, month, day, hour, minute, second));
    return date;
}

using harness::CentralEuropeanZone;

class CReportFixture : public ::testing::Test {
protected:
    CReportFixture() { UseZone(CTimeZone()); }
    ~CReportFixture() override {
        m_state.reset();
        CModelTimeZone::Set(nullptr);
    }

    void UseZone(const CTimeZone& zone) {
        m_zone = zone;
        CModelTimeZone::Set(&m_zone);
    }

    // The activity at path, made with its missing ancestors.
    CActivity* Activity(const std::string& path) {
        auto found = m_activities.find(path);
        if (found != m_activities.end()) {
            return found->second;
        }
        const size_t slash = path.rfind('\\');
        CActivity* parent = slash == std::string::npos ? m_state->GetRootActivity()
                                                       : Activity(path.substr(0, slash));
        CActivity* activity = new CActivity(
            m_state.get(), slash == std::string::npos ? path : path.substr(slash + 1), true);
        parent->AddChildActivity(activity, -1);
        m_activities[path] = activity;
        return activity;
    }

    // A closed tally mark from start to end (local time) on the activity at path.
    void Mark(const std::string& path, const CDateTime& start, const CDateTime& end) {
        CActivity* activity = Activity(path);
        activity->GetTallymarks().Add(
            new CTallymark(activity, start.LocalToUtc(m_zone), end.LocalToUtc(m_zone)));
    }

    std::set<CActivity*> Chosen(const std::vector<std::string>& paths) {
        std::set<CActivity*> chosen;
        for (const std::string& path : paths) {
            chosen.insert(Activity(path));
        }
        return chosen;
    }

    // A template of the format (csv, tab, html, xml, rtf, txt) holding content.
    std::unique_ptr<CReportTemplate> Template(const std::string& format,
                                              const std::string& content) {
        const std::string name = "t" + std::to_string(++m_templates);
        EXPECT_TRUE(m_folder.Write(name, content));
        EXPECT_TRUE(m_folder.Write(name + ".wkr", "[Settings]\r\nCategorization=T\r\nDescription=D"
                                                  "\r\nFileNameType=F\r\nDefaultExtension=x\r\n"
                                                  "Format=" +
                                                      format + "\r\nContentFile=" + name));
        auto reportTemplate = std::make_unique<CReportTemplate>();
        EXPECT_TRUE(reportTemplate->Load(m_folder.Path(), name + ".wkr"));
        return reportTemplate;
    }

    // The report of the chosen activities over the local period.
    std::string Generate(const std::string& format, const std::string& content,
                         const std::vector<std::string>& chosen, const CDateTime& start,
                         const CDateTime& end, int statisticsPer = 1, int rounding = 0,
                         int notation = 0, bool includeEmptyActivities = false,
                         bool includeEmptyPeriods = false) {
        CReport report(nullptr, m_state.get(), notation, statisticsPer, rounding);
        return report.Generate(start, end, Chosen(chosen), *Template(format, content),
                               includeEmptyActivities, includeEmptyPeriods);
    }

    CTimeZone m_zone;
    std::unique_ptr<CProjectState> m_state = std::make_unique<CProjectState>();
    std::map<std::string, CActivity*> m_activities;
    CScratchFolder m_folder;
    int m_templates = 0;
};

// A folder of the source tree. A relative source name (a compiler cache keeps them
// relative) starts from the build folder, the parent of this program's folder.
inline std::string SourceFolder(const std::string& relative) {
    std::string file = __FILE__;
    if (!file.empty() && file[0] != '/' && file.find(':') == std::string::npos) {
        char self[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        const std::string program = self;
        file = program.substr(0, program.rfind('\\')) + "\\..\\" + file;
    }
    return file.substr(0, file.find("tests/reports/generator")) + relative;
}

// Every template of templates, in the order of their tree.
inline std::vector<const CReportTemplate*> AllTemplates(const CReportTemplates& templates) {
    std::vector<const CReportTemplate*> all;
    const CReportTemplateCategory* root = templates.GetRoot();
    for (const CReportTemplateCategory* node = root->GetNextInSubtree(root); node != nullptr;
         node = node->GetNextInSubtree(root)) {
        if (node->GetTemplate() != nullptr) {
            all.push_back(node->GetTemplate());
        }
    }
    return all;
}

} // namespace reporttest
