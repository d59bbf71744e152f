#include "app/settings/CSetDateTime.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

#include <windows.h>

#include <utility>

namespace {

const char* const kSection = "Application";
const char* const kFirstDayOfWeek = "FirstDayOfWeek";

constexpr int kMonday = 1;

// The three keys of one time of day and its default.
struct STimeKeys {
    const char* hour;
    const char* minute;
    const char* second;
    int defaultHour;
};

const STimeKeys kWorkStartKeys = {"StdWorkHoursStartH", "StdWorkHoursStartM", "StdWorkHoursStartS",
                                  9};
const STimeKeys kWorkEndKeys = {"StdWorkHoursEndH", "StdWorkHoursEndM", "StdWorkHoursEndS", 17};

// A time of day on the first day of the scale; every field out of range gives its default.
CDateTime ReadTime(CINISection& section, const STimeKeys& keys) {
    const int second = static_cast<int>(ReadUInt(section, keys.second, 0, 0, 59));
    const int minute = static_cast<int>(ReadUInt(section, keys.minute, 0, 0, 59));
    const int hour = static_cast<int>(
        ReadUInt(section, keys.hour, static_cast<uint32_t>(keys.defaultHour), 0, 23));
    CDateTime time(0.0);
    time.SetTime(hour, minute, second);
    return time;
}

void WriteTime(CINISection& section, const STimeKeys& keys, const CDateTime& time) {
    section.GetSetting(keys.hour, true)->SetUInt(static_cast<uint32_t>(time.GetHour()));
    section.GetSetting(keys.minute, true)->SetUInt(static_cast<uint32_t>(time.GetMinute()));
    section.GetSetting(keys.second, true)->SetUInt(static_cast<uint32_t>(time.GetSecond()));
}

CDateTime DefaultTime(int hour) {
    CDateTime time(0.0);
    time.SetTime(hour, 0, 0);
    return time;
}

} // namespace

CSetDateTime::CSetDateTime(LocaleFirstDayQuery query) : m_query(std::move(query)) {
    SetDefaults();
}

CSetDateTime::~CSetDateTime() = default;

int CSetDateTime::QueryLocaleFirstDay() {
    char text[10] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, text, sizeof(text)) == 0) {
        return -1;
    }
    if (text[0] < '0' || text[0] > '6' || text[1] != '\0') {
        return -1;
    }
    return text[0] - '0';
}

int CSetDateTime::GetLocaleFirstDay() const {
    const int mondayBased = m_query ? m_query() : -1;
    if (mondayBased < 0 || mondayBased > 6) {
        return kMonday;
    }
    return (mondayBased + 1) % 7;
}

void CSetDateTime::SetDefaults() {
    m_firstDayOfWeek = GetLocaleFirstDay();
    m_workStart = DefaultTime(kWorkStartKeys.defaultHour);
    m_workEnd = DefaultTime(kWorkEndKeys.defaultHour);
}

void CSetDateTime::Load(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    m_firstDayOfWeek = ReadInt(section, kFirstDayOfWeek, -1, 0, 6);
    if (m_firstDayOfWeek < 0) {
        m_firstDayOfWeek = GetLocaleFirstDay();
    }
    m_workStart = ReadTime(section, kWorkStartKeys);
    m_workEnd = ReadTime(section, kWorkEndKeys);
}

void CSetDateTime::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    section.GetSetting(kFirstDayOfWeek, true)->SetInt(m_firstDayOfWeek);
    WriteTime(section, kWorkStartKeys, m_workStart);
    WriteTime(section, kWorkEndKeys, m_workEnd);
}
