#include "library/settings/CINISetting.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// Numbers in the file always use ".", whatever the runtime library's locale says, so
// doubles go through the locale-free conversions of <charconv>.

// What strtod would give for a text that from_chars found out of range: an overflow
// (no exponent, or a positive one) is infinite, an underflow zero.
double OutOfRange(const char* first, const char* last, bool negative) {
    const std::string matched(first, last);
    const size_t exponent = matched.find_first_of("eE");
    const bool underflow = exponent != std::string::npos && exponent + 1 < matched.size() &&
                           matched[exponent + 1] == '-';
    const double magnitude = underflow ? 0.0 : HUGE_VAL;
    return negative ? -magnitude : magnitude;
}

} // namespace

CINISetting::CINISetting(std::string key) : m_key(std::move(key)) {}

const char* CINISetting::GetString(const char* defaultValue) const {
    return m_value.empty() ? defaultValue : m_value.c_str();
}

std::string CINISetting::GetStringStd(const std::string& defaultValue) const {
    return m_value.empty() ? defaultValue : m_value;
}

int32_t CINISetting::GetInt(int32_t defaultValue) const {
    if (m_value.empty()) {
        return defaultValue;
    }
    // long has 32 bits on Windows: out-of-range texts give LONG_MIN or LONG_MAX.
    return static_cast<int32_t>(std::strtol(m_value.c_str(), nullptr, 10));
}

uint32_t CINISetting::GetUInt(uint32_t defaultValue) const {
    if (m_value.empty()) {
        return defaultValue;
    }
    return static_cast<uint32_t>(std::strtoul(m_value.c_str(), nullptr, 10));
}

double CINISetting::GetDouble(double defaultValue) const {
    if (m_value.empty()) {
        return defaultValue;
    }
    // As strtod: leading white space, an optional sign, then the longest number.
    const char* first = m_value.c_str();
    const char* const last = first + m_value.size();
    while (first < last && std::isspace(static_cast<unsigned char>(*first))) {
        ++first;
    }
    bool negative = false;
    if (first < last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first < last && (*first == '+' || *first == '-')) {
        return 0.0; // a second sign: no number
    }
    double value = 0.0;
    const std::from_chars_result parsed = std::from_chars(first, last, value);
    if (parsed.ec == std::errc::result_out_of_range) {
        return OutOfRange(first, parsed.ptr, negative);
    }
    if (parsed.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

bool CINISetting::GetBool(bool defaultValue) const {
    if (m_value.empty()) {
        return defaultValue;
    }
    const char first = m_value[0];
    if (first != '\0' && std::strchr("0FNfn", first) != nullptr) {
        return false;
    }
    if (first != '\0' && std::strchr("1TYty", first) != nullptr) {
        return true;
    }
    return defaultValue;
}

void CINISetting::SetString(const char* value) {
    m_value = value != nullptr ? value : "";
}

void CINISetting::SetInt(int32_t value) {
    m_value = std::to_string(value);
}

void CINISetting::SetUInt(uint32_t value) {
    m_value = std::to_string(value);
}

void CINISetting::SetBool(bool value) {
    m_value = value ? "y" : "n";
}

void CINISetting::SetDouble(double value) {
    // Eight decimals as "%.8f"; the largest double has 309 integer digits.
    char text[400];
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed, 8);
    m_value.assign(text, written.ec == std::errc() ? written.ptr : text);
}
