// CDateTime: conversions to and from the system's time records, variants and OLE text.

#include "library/datetime/CDateTime.h"

#include "library/datetime/CTimeZone.h"

#include <oleauto.h>

#include <cstring>
#include <vector>

namespace {

// The platform converters accept out-of-range fields (hour 24, 30 February, year 99 as
// 1999), so every record is checked before it is handed to them.
bool AreSystemTimeFieldsValid(const SYSTEMTIME& systemTime) {
    return CCalendar::AreDateFieldsValid(systemTime.wYear, systemTime.wMonth, systemTime.wDay) &&
           CCalendar::AreTimeFieldsValid(systemTime.wHour, systemTime.wMinute, systemTime.wSecond);
}

CDateTime::NowSource g_nowSource = nullptr;

} // namespace

CDateTime::CDateTime(const SYSTEMTIME& systemTime) : m_value(kInvalidValue) {
    if (!AreSystemTimeFieldsValid(systemTime)) {
        return;
    }
    SYSTEMTIME whole = systemTime;
    whole.wMilliseconds = 0;
    double value;
    if (SystemTimeToVariantTime(&whole, &value) && CCalendar::IsInRange(value)) {
        m_value = value;
    }
}

CDateTime& CDateTime::SetFromSystemTime(const SYSTEMTIME& systemTime) {
    return *this = CDateTime(systemTime);
}

SYSTEMTIME CDateTime::GetAsSystemTime() const {
    SYSTEMTIME systemTime;
    std::memset(&systemTime, 0, sizeof systemTime);
    if (!IsValid() || !VariantTimeToSystemTime(m_value, &systemTime)) {
        std::memset(&systemTime, 0, sizeof systemTime);
        return systemTime;
    }
    // The platform takes the day of week from the day before rounding; a time that rounds
    // up to midnight would carry the previous day's.
    systemTime.wDayOfWeek = static_cast<WORD>(CCalendar::GetWeekday(
        CCalendar::GetDayNumber(systemTime.wYear, systemTime.wMonth, systemTime.wDay)));
    return systemTime;
}

void CDateTime::SetNowSource(NowSource source) {
    g_nowSource = source;
}

CDateTime CDateTime::Now(bool utc) {
    if (g_nowSource != nullptr) {
        return g_nowSource(utc);
    }
    SYSTEMTIME now;
    if (utc) {
        GetSystemTime(&now);
    } else {
        GetLocalTime(&now);
    }
    return CDateTime(now);
}

bool CDateTime::SetFromTm(const std::tm& time) {
    return SetDateTime(time.tm_year + 1900, time.tm_mon + 1, time.tm_mday, time.tm_hour,
                       time.tm_min, time.tm_sec);
}

bool CDateTime::GetAsTm(std::tm& time) const {
    CCalendar::SFields fields;
    if (!CCalendar::GetFields(m_value, fields)) {
        return false;
    }
    std::memset(&time, 0, sizeof time);
    time.tm_year = fields.year - 1900;
    time.tm_mon = fields.month - 1;
    time.tm_mday = fields.day;
    time.tm_hour = fields.hour;
    time.tm_min = fields.minute;
    time.tm_sec = fields.second;
    time.tm_wday = fields.dayOfWeek;
    time.tm_yday = fields.dayOfYear - 1;
    time.tm_isdst = -1;
    return true;
}

bool CDateTime::SetFromTimeT(std::time_t time) {
    const std::tm* local = std::localtime(&time);
    if (local == nullptr) {
        m_value = kInvalidValue;
        return false;
    }
    return SetFromTm(*local);
}

bool CDateTime::GetAsTimeT(std::time_t& time) const {
    std::tm fields;
    if (!GetAsTm(fields)) {
        return false;
    }
    std::time_t converted = std::mktime(&fields);
    if (converted == static_cast<std::time_t>(-1)) {
        return false;
    }
    time = converted;
    return true;
}

bool CDateTime::SetFromFileTime(const FILETIME& fileTime) {
    return SetFromFileTime(fileTime, CTimeZone::GetCurrent());
}

bool CDateTime::SetFromFileTime(const FILETIME& fileTime, const CTimeZone& zone) {
    SYSTEMTIME universal;
    if (!FileTimeToSystemTime(&fileTime, &universal)) {
        m_value = kInvalidValue;
        return false;
    }
    *this = CDateTime(universal).UtcToLocal(zone);
    return IsValid();
}

bool CDateTime::GetAsFileTime(FILETIME& fileTime) const {
    if (!IsValid()) {
        return false;
    }
    SYSTEMTIME systemTime = GetAsSystemTime();
    return SystemTimeToFileTime(&systemTime, &fileTime) != FALSE;
}

bool CDateTime::SetFromDosDateTime(WORD dosDate, WORD dosTime) {
    m_value = kInvalidValue;
    int year = 1980 + (dosDate >> 9);
    int month = (dosDate >> 5) & 0x0F;
    int day = dosDate & 0x1F;
    int hour = dosTime >> 11;
    int minute = (dosTime >> 5) & 0x3F;
    int second = (dosTime & 0x1F) * 2;
    double value;
    if (!CCalendar::AreDateFieldsValid(year, month, day) ||
        !CCalendar::AreTimeFieldsValid(hour, minute, second) ||
        !DosDateTimeToVariantTime(dosDate, dosTime, &value)) {
        return false;
    }
    m_value = value;
    return IsValid();
}

bool CDateTime::SetFromVariant(const VARIANT& variant) {
    m_value = kInvalidValue;
    if (V_VT(&variant) == VT_DATE) {
        m_value = V_DATE(&variant);
    } else {
        VARIANT date;
        VariantInit(&date);
        if (SUCCEEDED(VariantChangeType(&date, const_cast<VARIANT*>(&variant), 0, VT_DATE))) {
            m_value = V_DATE(&date);
        }
        VariantClear(&date);
    }
    if (!IsValid()) {
        m_value = kInvalidValue;
        return false;
    }
    return true;
}

bool CDateTime::GetAsVariant(VARIANT& variant) const {
    VariantClear(&variant);
    if (!IsValid()) {
        return false;
    }
    V_VT(&variant) = VT_DATE;
    V_DATE(&variant) = m_value;
    return true;
}

bool CDateTime::SetFromText(const wchar_t* text, ULONG flags, LCID locale) {
    m_value = kInvalidValue;
    DATE value;
    if (text == nullptr ||
        FAILED(VarDateFromStr(const_cast<OLECHAR*>(text), locale, flags, &value))) {
        return false;
    }
    m_value = value;
    if (!IsValid()) {
        m_value = kInvalidValue;
        return false;
    }
    return true;
}

bool CDateTime::SetFromText(const char* text, ULONG flags, LCID locale) {
    m_value = kInvalidValue;
    if (text == nullptr) {
        return false;
    }
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) {
        return false;
    }
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length) != length) {
        return false;
    }
    return SetFromText(wide.data(), flags, locale);
}

std::string CDateTime::GetAsText(ULONG flags, LCID locale) const {
    BSTR wide = nullptr;
    if (!IsValid() || FAILED(VarBstrFromDate(m_value, locale, flags, &wide)) || wide == nullptr) {
        return std::string();
    }
    std::string text;
    int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length > 1) {
        std::vector<char> narrow(static_cast<size_t>(length));
        if (WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow.data(), length, nullptr, nullptr) ==
            length) {
            text.assign(narrow.data(), static_cast<size_t>(length - 1));
        }
    }
    SysFreeString(wide);
    return text;
}
