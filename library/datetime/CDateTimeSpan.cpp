#include "library/datetime/CDateTimeSpan.h"

#include <climits>
#include <cmath>
#include <cstdio>

CDateTimeSpan::CDateTimeSpan() : m_value(kInvalidValue) {}

CDateTimeSpan::CDateTimeSpan(double days) : m_value(days) {}

CDateTimeSpan::CDateTimeSpan(int days, int hours, int minutes, int seconds)
    : m_value(days + hours / 24.0 + minutes / 1440.0 + seconds / 86400.0) {
    if (!IsValid()) {
        m_value = kInvalidValue;
    }
}

CDateTimeSpan& CDateTimeSpan::operator=(double days) {
    m_value = days;
    return *this;
}

CDateTimeSpan& CDateTimeSpan::SetValue(double days) {
    m_value = days;
    return *this;
}

CDateTimeSpan& CDateTimeSpan::SetValue(const CDateTimeSpan& span) {
    m_value = span.m_value;
    return *this;
}

bool CDateTimeSpan::IsValid() const {
    return m_value >= -kMaximumValue && m_value <= kMaximumValue;
}

CDateTimeSpan CDateTimeSpan::operator+(const CDateTimeSpan& other) const {
    CDateTimeSpan result(*this);
    result += other;
    return result;
}

CDateTimeSpan CDateTimeSpan::operator-(const CDateTimeSpan& other) const {
    CDateTimeSpan result(*this);
    result -= other;
    return result;
}

CDateTimeSpan CDateTimeSpan::operator-() const {
    return IsValid() ? CDateTimeSpan(-m_value) : CDateTimeSpan();
}

CDateTimeSpan& CDateTimeSpan::operator+=(const CDateTimeSpan& other) {
    m_value = (IsValid() && other.IsValid()) ? m_value + other.m_value : kInvalidValue;
    if (!IsValid()) {
        m_value = kInvalidValue;
    }
    return *this;
}

CDateTimeSpan& CDateTimeSpan::operator-=(const CDateTimeSpan& other) {
    return *this += -other;
}

double CDateTimeSpan::GetTotalDays() const {
    return IsValid() ? m_value : kInvalidValue;
}

double CDateTimeSpan::GetTotalHours() const {
    return IsValid() ? m_value * 24.0 : kInvalidValue;
}

double CDateTimeSpan::GetTotalMinutes() const {
    return IsValid() ? m_value * 1440.0 : kInvalidValue;
}

double CDateTimeSpan::GetTotalSeconds() const {
    return IsValid() ? m_value * 86400.0 : kInvalidValue;
}

long long CDateTimeSpan::GetRoundedSeconds() const {
    return static_cast<long long>(std::floor(std::fabs(m_value) * 86400.0 + 0.5));
}

int CDateTimeSpan::GetPart(long long divisor, long long modulus) const {
    if (!IsValid()) {
        return INT_MIN;
    }
    long long part = GetRoundedSeconds() / divisor;
    if (modulus != 0) {
        part %= modulus;
    }
    return static_cast<int>(m_value < 0 ? -part : part);
}

int CDateTimeSpan::GetDays() const {
    return GetPart(86400, 0);
}

int CDateTimeSpan::GetHours() const {
    return GetPart(3600, 24);
}

int CDateTimeSpan::GetMinutes() const {
    return GetPart(60, 60);
}

int CDateTimeSpan::GetSeconds() const {
    return GetPart(1, 60);
}

std::string CDateTimeSpan::FormatHMS(int minimumParts) const {
    if (!IsValid()) {
        return std::string();
    }
    long long total = GetRoundedSeconds();
    long long parts[3] = {total / 3600, total / 60 % 60, total % 60};
    std::string text;
    for (int i = 0; i < 3; ++i) {
        // Part i is written when it is non-zero or when at least 3 - i parts are wanted.
        if (parts[i] == 0 && minimumParts < 3 - i) {
            continue;
        }
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, "%s%02lld", text.empty() ? "" : ":", parts[i]);
        text += buffer;
    }
    if (m_value < 0 && total != 0) {
        text.insert(0, "-");
    }
    return text;
}
