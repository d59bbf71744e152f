#include "library/datetime/CDateTimeFormat.h"

#include <windows.h>

#include <cstring>

namespace {

// The answer of a locale query into a two-character buffer (one character and the
// terminator), or nullptr when the query fails, as it does for a longer answer.
const char* QueryLocale(LCTYPE type, char (&buffer)[2]) {
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) > 0 ? buffer : nullptr;
}

} // namespace

CDateTimeFormat::CDateTimeFormat() {
    char separator[2];
    char order[2];
    Build(QueryLocale(LOCALE_SDATE, separator), QueryLocale(LOCALE_IDATE, order));
}

CDateTimeFormat::CDateTimeFormat(const char* separator, const char* order) {
    Build(separator, order);
}

void CDateTimeFormat::Build(const char* separator, const char* order) {
    std::string quoted = "'/'";
    if (separator != nullptr && std::strlen(separator) == 1) {
        // Quoted so that a separator that is itself a picture letter shows literally; a
        // quote inside quotes is written twice.
        quoted = separator[0] == '\'' ? "''''" : "'" + std::string(separator) + "'";
    }
    std::string dateOrder = order != nullptr ? order : "";
    if (dateOrder == "1") {
        m_monthYear = "MMM yyyy";
        m_textDate = "d MMM yyyy";
        m_numericDate = "dd" + quoted + "MM" + quoted + "yyyy";
    } else if (dateOrder == "2") {
        m_monthYear = "yyyy MMM";
        m_textDate = "yyyy MMM d";
        m_numericDate = "yyyy" + quoted + "MM" + quoted + "dd";
    } else {
        m_monthYear = "MMM yyyy";
        m_textDate = "MMM d yyyy";
        m_numericDate = "MM" + quoted + "dd" + quoted + "yyyy";
    }
    m_weekdayDate = "ddd " + m_textDate;
}

CDateTimeFormat::~CDateTimeFormat() {}

const CDateTimeFormat& CDateTimeFormat::Instance() {
    static const CDateTimeFormat* instance = new CDateTimeFormat();
    return *instance;
}

const char* CDateTimeFormat::GetYearFormat() const {
    return "yyyy";
}

const char* CDateTimeFormat::GetHourFormat() const {
    return "H";
}

const char* CDateTimeFormat::GetTimeOfDayFormat() const {
    return "H':'mm':'ss";
}

const char* CDateTimeFormat::GetPaddedTimeOfDayFormat() const {
    return "HH':'mm':'ss";
}
