#include "model/ProjectFileValues.h"

#include "library/datetime/CCalendar.h"

#include <cstdio>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// One decimal integer as "%d" reads it; a value beyond any date field is held at a
// bound that no field accepts, so that long digit runs cannot overflow.
bool ReadInteger(const char*& at, int& value) {
    while (IsSpace(*at)) {
        ++at;
    }
    bool negative = false;
    if (*at == '+' || *at == '-') {
        negative = *at == '-';
        ++at;
    }
    if (*at < '0' || *at > '9') {
        return false;
    }
    const int kBound = 1000000;
    int result = 0;
    for (; *at >= '0' && *at <= '9'; ++at) {
        if (result < kBound) {
            result = result * 10 + (*at - '0');
        }
    }
    value = negative ? -result : result;
    return true;
}

bool ReadLiteral(const char*& at, char literal) {
    if (*at != literal) {
        return false;
    }
    ++at;
    return true;
}

} // namespace

std::string FormatFileDateTime(const CDateTime& date) {
    CCalendar::SFields fields;
    if (!CCalendar::GetFields(date.GetValue(), fields)) {
        return std::string();
    }
    char text[64];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d:%02d", fields.year, fields.month,
                  fields.day, fields.hour, fields.minute, fields.second);
    return text;
}

bool ParseFileDateTime(const char* text, CDateTime& date) {
    if (text == nullptr) {
        return false;
    }
    int year, month, day, hour, minute, second;
    const char* at = text;
    if (!ReadInteger(at, year) || !ReadLiteral(at, '-') || !ReadInteger(at, month) ||
        !ReadLiteral(at, '-') || !ReadInteger(at, day)) {
        return false;
    }
    while (IsSpace(*at)) {
        ++at;
    }
    if (!ReadInteger(at, hour) || !ReadLiteral(at, ':') || !ReadInteger(at, minute) ||
        !ReadLiteral(at, ':') || !ReadInteger(at, second)) {
        return false;
    }
    // Two-digit years are this century's; a four-digit year stands as written.
    if (year >= 0 && year <= 99) {
        year += 2000;
    }
    CDateTime value;
    if (!value.SetDateTime(year, month, day, hour, minute, second)) {
        return false;
    }
    date = value;
    return true;
}

bool ParseYesNoText(const char* text, bool& value) {
    if (text == nullptr) {
        return false;
    }
    switch (text[0]) {
    case '0':
    case 'F':
    case 'N':
    case 'f':
    case 'n':
        value = false;
        return true;
    case '1':
    case 'T':
    case 'Y':
    case 't':
    case 'y':
        value = true;
        return true;
    default:
        return false;
    }
}
