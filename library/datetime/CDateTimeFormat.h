#pragma once

#include <string>

// The picture patterns (GetDateFormatA / GetTimeFormatA) with which the program shows
// dates and times. They follow the day, month and year order and the date separator of
// the user's locale, with the program's own choice of elements: abbreviated month
// names, four-digit years, two-digit numeric fields and a 24-hour clock.
//
// One instance serves the whole program (Instance()); the constructor that takes the
// locale's answers builds the same patterns for any locale.
class CDateTimeFormat {
public:
    // Reads the user's default locale.
    CDateTimeFormat();
    // The answers of the locale to LOCALE_SDATE and LOCALE_IDATE, nullptr for a failed
    // query. A separator other than exactly one character counts as failed and gives
    // "/"; order "1" is day-month-year, "2" year-month-day, anything else month-day-year.
    CDateTimeFormat(const char* separator, const char* order);
    virtual ~CDateTimeFormat();

    // The program's instance, built on first use and never destroyed, so that it stays
    // usable while other static objects are torn down.
    static const CDateTimeFormat& Instance();

    const char* GetYearFormat() const;
    const std::string& GetMonthYearFormat() const { return m_monthYear; }
    const std::string& GetTextDateFormat() const { return m_textDate; }
    const std::string& GetNumericDateFormat() const { return m_numericDate; }
    const std::string& GetWeekdayDateFormat() const { return m_weekdayDate; }
    const char* GetHourFormat() const;
    const char* GetTimeOfDayFormat() const;
    const char* GetPaddedTimeOfDayFormat() const;

private:
    void Build(const char* separator, const char* order);

    std::string m_monthYear;
    std::string m_textDate;
    std::string m_numericDate;
    std::string m_weekdayDate;
};
