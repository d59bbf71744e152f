#pragma once

// The application object on a folder of its own with one open project (activities A, A1
// below A, B and the disabled Off), "now" pinned to 15 June 2023 14:00 UTC, and helpers that
// enter dates and times as a user does.

#include "harness/CDialogAppFixture.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "library/dialogs/CDialogWindow.h"
#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tracetest {

inline CDateTime Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    CDateTime date;
    date.SetDateTime(year, month, day, hour, minute, second);
    return date;
}

class CTraceFixture : public harness::CDialogAppFixture {
protected:
    CTraceFixture() {
        CModelTimeZone::Set(&m_utc);
        CDateTime::SetNowSource([](bool) { return Date(2023, 6, 15, 14); });
        StartApp(true);
        m_project = Projects().CreateNew();
        for (const char* name : {"A", "A1", "B", "Off"}) {
            m_a[name] = new CActivity(State(), name, name[0] != 'O');
            (name[1] == '1' ? m_a["A"] : State()->GetRootActivity())
                ->AddChildActivity(m_a[name], -1);
        }
    }
    ~CTraceFixture() override {
        m_app.reset();
        CDateTime::SetNowSource(nullptr);
        CModelTimeZone::Set(nullptr);
    }
    CProjectState* State() const { return m_project->GetState(); }
    // A tally mark on the activity, universal times (an invalid end: open).
    CTallymark* Add(const std::string& activity, const CDateTime& start,
                    const CDateTime& end = CDateTime()) {
        CActivity* target = m_a.at(activity);
        CTallymark* mark =
            end.IsValid() ? new CTallymark(target, start, end) : new CTallymark(target, start);
        target->GetTallymarks().Add(mark);
        return mark;
    }
    // The committed state as the bytes of a saved project file.
    std::string SavedBytes() {
        EXPECT_TRUE(m_project->Save(false, nullptr, m_folder.File("p.wkp").c_str(), 1));
        return m_folder.Read("p.wkp");
    }
    // "activity start-end" of each tally mark of the activity, universal times.
    std::vector<std::string> Marks(const std::string& activity) {
        std::vector<std::string> marks;
        CTallymarks& all = m_a.at(activity)->GetTallymarks();
        for (CTallymark* t = all.GetFirst(); t != nullptr; t = all.GetNext()) {
            marks.push_back(activity + " " + t->GetStart().Format("%Y-%m-%d %H:%M:%S") + "-" +
                            (t->IsOpen() ? "open" : t->GetEnd(false).Format("%Y-%m-%d %H:%M:%S")));
        }
        return marks;
    }
    // Runs the dialog from the template while the script runs.
    void Run(harness::CUiScript& script, CDialogWindow& dialog, int dialogId) {
        harness::RunDialog(script, dialog, dialogId);
    }
    static HWND Hwnd() { return harness::ActiveWindow(); }

    const CTimeZone m_utc;
    CProject* m_project = nullptr;
    std::map<std::string, CActivity*> m_a;
};

// Picks the calendar's day and types the time into the three fields after it, as a user
// does: the calendar reports its new selection to the dialog, each field its change.
inline void Enter(HWND dialog, int calendarId, int hoursId, const CDateTime& value) {
    HWND calendar = GetDlgItem(dialog, calendarId);
    NMSELCHANGE change = {{calendar, static_cast<UINT_PTR>(calendarId), MCN_SELCHANGE}, {}, {}};
    change.stSelStart = change.stSelEnd = value.GetDayStart().GetAsSystemTime();
    SendMessageA(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&change.stSelStart));
    SendMessageA(dialog, WM_NOTIFY, calendarId, reinterpret_cast<LPARAM>(&change));
    const int parts[] = {value.GetHour(), value.GetMinute(), value.GetSecond()};
    for (int i = 0; i < 3; ++i) {
        harness::SetItemText(dialog, hoursId + i, std::to_string(parts[i]));
    }
}

inline std::string ShownTime(HWND dialog, int hoursId) {
    return harness::GetItemText(dialog, hoursId) + ":" + harness::GetItemText(dialog, hoursId + 1) +
           ":" + harness::GetItemText(dialog, hoursId + 2);
}

} // namespace tracetest
