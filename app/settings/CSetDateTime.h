#pragma once

// CSetDateTime: the first day of the week and the standard working hours (user file,
// section "Application").
//
// The first day of the week counts 0 = Sunday ... 6 = Saturday. Without a stored day in
// that range it comes from the user's locale, asked through the query given at
// construction (tests give their own). Code below the application (statistics, weeks of
// the date index) does not see this object: its callers pass GetFirstDayOfWeek() on.
//
// The working hours are two CDateTime values of which only the time of day counts.

#include "library/datetime/CDateTime.h"
#include "library/settings/IPersistentObject.h"

#include <functional>

class CSetDateTime : public IPersistentObject {
public:
    // The locale's first day of the week counted from Monday = 0 (as the system counts
    // it), or -1 when the system cannot tell.
    using LocaleFirstDayQuery = std::function<int()>;

    explicit CSetDateTime(LocaleFirstDayQuery query = &QueryLocaleFirstDay);
    ~CSetDateTime() override;

    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    int& GetFirstDayOfWeek() { return m_firstDayOfWeek; }
    CDateTime& GetWorkStart() { return m_workStart; }
    CDateTime& GetWorkEnd() { return m_workEnd; }

    // The user default locale's first day of the week (LOCALE_IFIRSTDAYOFWEEK), Monday = 0;
    // -1 when the call fails or answers something else than a day.
    static int QueryLocaleFirstDay();

private:
    void SetDefaults();
    // The locale's first day counted from Sunday = 0; Monday when the locale cannot tell.
    int GetLocaleFirstDay() const;

    LocaleFirstDayQuery m_query;
    int m_firstDayOfWeek;
    CDateTime m_workStart;
    CDateTime m_workEnd;
};
