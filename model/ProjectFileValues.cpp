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

// `value` (0 to 10^width - 1) in exactly `width` decimal digits.
void PutDigits(char* at, int value, int width) {
    for (int i = width; i-- > 0;) {
        at[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

} // namespace

void FormatFileDateTime(const CDateTime& date, char (&text)[kFileDateTimeSize]) {
    text[0] = '\0';
    CCalendar::SFields fields;
    if (!CCalendar::GetFields(date.GetValue(), fields)) {
        return;
    }
    // The digits are written by hand because a save formats two dates per tally mark;
    // every field of a date in the calendar's range fits its width.
    if (fields.year < 0 || fields.year > 9999) {
        std::snprintf(text, kFileDateTimeSize, "%04d-%02d-%02d %02d:%02d:%02d", fields.year,
                      fields.month, fields.day, fields.hour, fields.minute, fields.second);
        return;
    }
    PutDigits(text, fields.year, 4);
    text[4] = '-';
    PutDigits(text + 5, fields.month, 2);
    text[7] = '-';
    PutDigits(text + 8, fields.day, 2);
    text[10] = ' ';
    PutDigits(text + 11, fields.hour, 2);
    text[13] = ':';
    PutDigits(text + 14, fields.minute, 2);
    text[16] = ':';
    PutDigits(text + 17, fields.second, 2);
    text[19] = '\0';
}

std::string FormatFileDateTime(const CDateTime& date) {
    char text[kFileDateTimeSize];
    FormatFileDateTime(date, text);
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
