#pragma once

#include <string>

// A signed length of time in days (the fraction is part of a day), on the linear scale
// of CDateTime. Valid within +-3615897 days; every operation that cannot produce a
// valid length produces the invalid marker instead of throwing, and integer getters
// answer INT_MIN for an invalid span.
class CDateTimeSpan {
public:
    static constexpr double kMaximumValue = 3615897.0;
    static constexpr double kInvalidValue = -3615898.0;

    // The invalid marker.
    CDateTimeSpan();
    explicit CDateTimeSpan(double days);
    // days + hours / 24 + minutes / 1440 + seconds / 86400; the marker when out of range.
    CDateTimeSpan(int days, int hours, int minutes, int seconds);

    CDateTimeSpan& operator=(double days);
    CDateTimeSpan& SetValue(double days);
    CDateTimeSpan& SetValue(const CDateTimeSpan& span);
    double GetValue() const { return m_value; }

    static double GetInvalidValue() { return kInvalidValue; }
    bool IsValid() const;

    // The marker when a side is invalid or the result is out of range.
    CDateTimeSpan operator+(const CDateTimeSpan& other) const;
    CDateTimeSpan operator-(const CDateTimeSpan& other) const;
    CDateTimeSpan operator-() const;
    CDateTimeSpan& operator+=(const CDateTimeSpan& other);
    CDateTimeSpan& operator-=(const CDateTimeSpan& other);

    // Compare the stored lengths as they stand.
    bool operator==(const CDateTimeSpan& other) const { return m_value == other.m_value; }
    bool operator!=(const CDateTimeSpan& other) const { return m_value != other.m_value; }
    bool operator<(const CDateTimeSpan& other) const { return m_value < other.m_value; }
    bool operator>(const CDateTimeSpan& other) const { return m_value > other.m_value; }
    bool operator<=(const CDateTimeSpan& other) const { return m_value <= other.m_value; }
    bool operator>=(const CDateTimeSpan& other) const { return m_value >= other.m_value; }

    // The length in days, hours, minutes or seconds; the marker when invalid.
    double GetTotalDays() const;
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;

    // The length rounded to the nearest second and split into whole days, hours (0-23),
    // minutes (0-59) and seconds (0-59); each part carries the span's sign.
    int GetDays() const;
    int GetHours() const;
    int GetMinutes() const;
    int GetSeconds() const;

    // "H:MM:SS" rounded to the nearest second. Hours are written when non-zero or
    // minimumParts >= 3, minutes when non-zero or minimumParts >= 2, seconds when non-zero
    // or minimumParts >= 1; every part has at least two digits and hours have no upper
    // limit (123:04:05). A negative span is its length preceded by "-"; an invalid span
    // gives "".
    std::string FormatHMS(int minimumParts) const;

private:
    // The absolute length in whole seconds, rounded to the nearest; the span must be valid.
    long long GetRoundedSeconds() const;
    int GetPart(long long divisor, long long modulus) const;

    double m_value;
};
