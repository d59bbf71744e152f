// CDateTime: text through the locale formatters and by format codes.

#include "library/datetime/CDateTime.h"

#include <cstdio>

namespace {

// The locale formatters write at most this many characters and a terminator.
const int kFormatBufferSize = 256;

typedef int(WINAPI* LocaleFormatter)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int);

std::string FormatWith(LocaleFormatter formatter, const CDateTime& date, const std::string& pattern,
                       DWORD flags, LCID locale) {
    if (!date.IsValid()) {
        return std::string();
    }
    SYSTEMTIME systemTime = date.GetAsSystemTime();
    char buffer[kFormatBufferSize];
    if (formatter(locale, flags, &systemTime, pattern.c_str(), buffer, kFormatBufferSize) <= 0) {
        return std::string();
    }
    return buffer;
}

} // namespace

std::string CDateTime::FormatDate(const std::string& pattern, DWORD flags, LCID locale) const {
    return FormatWith(GetDateFormatA, *this, pattern, flags, locale);
}

std::string CDateTime::FormatTime(const std::string& pattern, DWORD flags, LCID locale) const {
    return FormatWith(GetTimeFormatA, *this, pattern, flags, locale);
}

std::string CDateTime::FormatDateTime(const std::string& datePattern,
                                      const std::string& timePattern, DWORD flags,
                                      LCID locale) const {
    if (!IsValid()) {
        return std::string();
    }
    return FormatDate(datePattern, flags, locale) + " " + FormatTime(timePattern, flags, locale);
}

// The fields are printed as the value holds them: no time-zone or daylight-saving
// normalisation (a universal time inside a local daylight-saving gap stays as it is),
// and any year from 100 to 9999.
std::string CDateTime::Format(const std::string& format) const {
    CCalendar::SFields fields;
    if (!CCalendar::GetFields(m_value, fields)) {
        return std::string();
    }
    std::string text;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            text += format[i];
            continue;
        }
        int number;
        const char* numberFormat = "%02d";
        switch (format[i + 1]) {
        case 'Y':
            number = fields.year;
            numberFormat = "%04d";
            break;
        case 'm':
            number = fields.month;
            break;
        case 'd':
            number = fields.day;
            break;
        case 'H':
            number = fields.hour;
            break;
        case 'M':
            number = fields.minute;
            break;
        case 'S':
            number = fields.second;
            break;
        case '%':
            text += '%';
            ++i;
            continue;
        default:
            text += format[i];
            continue;
        }
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, numberFormat, number);
        text += buffer;
        ++i;
    }
    return text;
}
