#pragma once

// The application object on a folder of its own with one open project whose activities
// and tally marks a test builds, "now" pinned, the model's zone set by the test; helpers
// that enter dates and times as a user does and read back what the project file holds.

#include "app/main/CAppMain.h"
#include "app/ui/SharedPictures.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "library/datetime/CTimeZone.h"
#include "library/system/CScratchFolder.h"
#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/EProjectFileFormat.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tracetest {

// The zone Wine reports under TZ=Europe/Amsterdam: UTC+1, summer time (UTC+2) from the last
// Sunday of March 02:00 to the last Sunday of October 03:00.
inline CTimeZone AmsterdamZone() {
    TIME_ZONE_INFORMATION zone;
    std::memset(&zone, 0, sizeof zone);
    zone.Bias = -60;
    zone.DaylightBias = -60;
    zone.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    zone.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    return CTimeZone(zone, TIME_ZONE_ID_STANDARD);
}

inline CDateTime Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    CDateTime date;
    date.SetDateTime(year, month, day, hour, minute, second);
    return date;
}

class CTraceFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        LoadIconsAndImageLists(GetModuleHandleA(nullptr));
    }

    // zone: the model's zone for the whole test (null: UTC).
    explicit CTraceFixture(const CTimeZone* zone = nullptr) {
        const CTimeZone utc;
        CModelTimeZone::Set(zone != nullptr ? zone : &utc);
        s_now = Date(2023, 6, 15, 14, 0, 0).GetValue();
        CDateTime::SetNowSource(&Now);
        m_folder.Write("InstallSettings.ini", "[Settings]\r\nPortableInstall=y\r\n");
        SAppOptions options;
        options.programFolder = m_folder.Path();
        options.mutexName.clear();
        m_app = std::make_unique<CAppMain>(options);
        m_project = m_app->GetProjects().CreateNew();
    }
    ~CTraceFixture() override {
        m_app.reset();
        CDateTime::SetNowSource(nullptr);
        CModelTimeZone::Set(nullptr);
    }

    CProjectState* State() const { return m_project->GetState(); }

    // One line per activity, indented by one blank a level; "-" marks a disabled one.
    void Build(std::initializer_list<const char*> lines) {
        std::vector<CActivity*> parents = {State()->GetRootActivity()};
        for (const std::string line : lines) {
            const size_t depth = line.find_first_not_of(' ');
            const bool enabled = line[depth] != '-';
            const std::string name = line.substr(enabled ? depth : depth + 1);
            CActivity* activity = new CActivity(State(), name, enabled);
            parents.resize(depth + 1);
            parents[depth]->AddChildActivity(activity, -1);
            parents.push_back(activity);
            m_a[name] = activity;
        }
    }
    // A tally mark on the activity, universal times (an invalid end: open).
    CTallymark* Add(const std::string& activity, const CDateTime& start,
                    const CDateTime& end = CDateTime()) {
        CActivity* target = m_a.at(activity);
        CTallymark* tallymark =
            end.IsValid() ? new CTallymark(target, start, end) : new CTallymark(target, start);
        target->GetTallymarks().Add(tallymark);
        return tallymark;
    }
    // The bytes of the committed state saved as a binary project file.
    std::string SavedBytes() {
        const std::string path = m_folder.File("saved.wkp");
        EXPECT_TRUE(m_project->Save(false, nullptr, path.c_str(), pffBinary));
        return m_folder.Read("saved.wkp");
    }
    // "activity start-end" of each tally mark of the activity, universal times.
    std::vector<std::string> Marks(const std::string& activity) {
        std::vector<std::string> marks;
        CTallymarks& tallymarks = m_a.at(activity)->GetTallymarks();
        for (CTallymark* t = tallymarks.GetFirst(); t != nullptr; t = tallymarks.GetNext()) {
            marks.push_back(
                activity + " " + t->GetStart().Format("%Y-%m-%d %H:%M:%S") + "-" +
                (t->IsOpen() ? std::string("open") : t->GetEnd(false).Format("%Y-%m-%d %H:%M:%S")));
        }
        return marks;
    }

    static CDateTime Now(bool) { return CDateTime(s_now); }

    static inline double s_now = 0;
    CScratchFolder m_folder;
    std::unique_ptr<CAppMain> m_app;
    CProject* m_project = nullptr;
    std::map<std::string, CActivity*> m_a;
};

// Picks the day in the month calendar as a click does: the selection, then the
// notification of the change to the dialog.
inline void PickDay(HWND dialog, int calendarId, const CDateTime& day) {
    HWND calendar = GetDlgItem(dialog, calendarId);
    ASSERT_NE(calendar, nullptr);
    SYSTEMTIME date = day.GetAsSystemTime();
    date.wHour = date.wMinute = date.wSecond = 0;
    SendMessageA(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&date));
    NMSELCHANGE change = {};
    change.nmhdr.hwndFrom = calendar;
    change.nmhdr.idFrom = static_cast<UINT_PTR>(calendarId);
    change.nmhdr.code = MCN_SELCHANGE;
    change.stSelStart = change.stSelEnd = date;
    SendMessageA(dialog, WM_NOTIFY, static_cast<WPARAM>(calendarId),
                 reinterpret_cast<LPARAM>(&change));
}

// Types the time of day of value into the three fields from firstId on.
inline void EnterTime(HWND dialog, int firstId, const CDateTime& value) {
    harness::SetItemText(dialog, firstId, std::to_string(value.GetHour()));
    harness::SetItemText(dialog, firstId + 1, std::to_string(value.GetMinute()));
    harness::SetItemText(dialog, firstId + 2, std::to_string(value.GetSecond()));
}

// The time fields' texts "h:m:s" from firstId on.
inline std::string ShownTime(HWND dialog, int firstId) {
    return harness::GetItemText(dialog, firstId) + ":" + harness::GetItemText(dialog, firstId + 1) +
           ":" + harness::GetItemText(dialog, firstId + 2);
}

} // namespace tracetest
