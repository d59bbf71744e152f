#include "dialogs/PeriodPresets.h"

bool ApplyPeriodPreset(EPeriodPreset preset, const SPeriodPresetBasis& basis, CDateTime& start,
                       CDateTime& end) {
    const CDateTime& now = basis.now;
    switch (preset) {
    case EPeriodPreset::EntireProject:
        if (!basis.hasData) {
            return false;
        }
        start = basis.firstAvailable;
        end = basis.working ? now : basis.lastAvailable;
        return true;
    case EPeriodPreset::ThisYear:
        start = now.GetYearStart();
        end = now.GetNextYearStart();
        return true;
    case EPeriodPreset::PrevYear:
        start = now.GetYearStartOffset(-1);
        end = now.GetYearStart();
        return true;
    case EPeriodPreset::ThisMonth:
        start = now.GetMonthStart();
        end = now.GetNextMonthStart();
        return true;
    case EPeriodPreset::PrevMonth:
        start = now.GetMonthStartOffset(-1);
        end = now.GetMonthStart();
        return true;
    case EPeriodPreset::ThisWeek:
        start = now.GetWeekStart(basis.firstDayOfWeek);
        end = now.GetNextWeekStart(basis.firstDayOfWeek);
        return true;
    case EPeriodPreset::PrevWeek:
        start = now.GetWeekStartOffset(-1, basis.firstDayOfWeek);
        end = now.GetWeekStart(basis.firstDayOfWeek);
        return true;
    case EPeriodPreset::Today:
        start = now.GetDayStart();
        end = now.GetNextDayStart();
        return true;
    case EPeriodPreset::Yesterday:
        start = now.GetDayStartOffset(-1);
        end = now.GetDayStart();
        return true;
    case EPeriodPreset::ThisHour:
        start = now.GetHourStart();
        end = now.GetNextHourStart();
        return true;
    case EPeriodPreset::PrevHour:
        start = now.GetHourStartOffset(-1);
        end = now.GetHourStart();
        return true;
    case EPeriodPreset::SetToNow:
        end = now;
        return true;
    }
    return false;
}
