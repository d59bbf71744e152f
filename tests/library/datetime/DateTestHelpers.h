#pragma once

#include "library/datetime/CDateTime.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// A date from valid fields; fails the test when the fields are refused.
inline CDateTime MakeDate(int year, int month, int day, int hour = 0, int minute = 0,
                          int second = 0) {
    CDateTime date;
    EXPECT_TRUE(date.SetDateTime(year, month, day, hour, minute, second))
        << year << "-" << month << "-" << day << " " << hour << ":" << minute << ":" << second;
    return date;
}

// "YYYY-MM-DD HH:MM:SS" of the date's fields as the getters give them.
inline std::string FieldText(const CDateTime& date) {
    if (!date.IsValid()) {
        return "invalid";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", date.GetYear(),
                  date.GetMonth(), date.GetDay(), date.GetHour(), date.GetMinute(),
                  date.GetSecond());
    return text;
}

inline std::string FieldText(const SYSTEMTIME& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.wYear, time.wMonth,
                  time.wDay, time.wHour, time.wMinute, time.wSecond);
    return text;
}
