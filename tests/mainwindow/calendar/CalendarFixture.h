#pragma once

// A modeless test dialog with a month calendar and a time of day, the application object
// (for the first day of the week) and a project state whose date index marks the days.

#include "CalendarTestIds.h"
#include "app/main/CAppMain.h"
#include "library/datetime/CTimeZone.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/system/CScratchFolder.h"
#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

namespace calendartest {

inline CDateTime Date(int year, int month, int day, int hour = 0) {
    CDateTime date;
    date.SetDateTime(year, month, day, hour, 0, 0);
    return date;
}

class CCalendarFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
    }
    CCalendarFixture() {
        const CTimeZone utc;
        CModelTimeZone::Set(&utc);
        s_now = Date(2023, 6, 15, 14).GetValue();
        CDateTime::SetNowSource(&Now);
        m_folder.Write("InstallSettings.ini", "[Settings]\r\nPortableInstall=y\r\n");
        SAppOptions options;
        options.programFolder = m_folder.Path();
        options.mutexName.clear();
        m_app = std::make_unique<CAppMain>(options);
        m_project = std::make_unique<CProject>();
        m_activity = new CActivity(State(), "A", true);
        State()->GetRootActivity()->AddChildActivity(m_activity, -1);
    }
    ~CCalendarFixture() override {
        if (m_dialog.IsOpen()) {
            m_dialog.Close();
        }
        m_project.reset();
        m_app.reset();
        CDateTime::SetNowSource(nullptr);
        CModelTimeZone::Set(nullptr);
    }
    void SetUp() override {
        SDialogParams params;
        params.dialogId = IDD_CALENDAR_TEST;
        params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
        params.modal = false;
        params.showMode = 1;
        ASSERT_EQ(m_dialog.Create(params), 0);
    }

    CProjectState* State() const { return m_project->GetState(); }
    HWND Dialog() const { return m_dialog.GetHwnd(); }
    HWND Item(int id) const { return GetDlgItem(Dialog(), id); }
    // A tally mark on the activity, universal times (an invalid end: open).
    void Add(const CDateTime& start, const CDateTime& end = CDateTime()) {
        m_activity->GetTallymarks().Add(end.IsValid() ? new CTallymark(m_activity, start, end)
                                                      : new CTallymark(m_activity, start));
    }
    static CDateTime Now(bool) { return CDateTime(s_now); }

    static inline double s_now = 0;
    CScratchFolder m_folder;
    std::unique_ptr<CAppMain> m_app;
    std::unique_ptr<CProject> m_project;
    CActivity* m_activity = nullptr;
    CDialogWindow m_dialog;
};

} // namespace calendartest
