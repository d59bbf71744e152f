#include "library/system/CFixedRangeNumber.h"

#include <utility>

CFixedRangeNumber::CFixedRangeNumber(int32_t minimum, int32_t maximum, bool wrap)
    : m_value(0), m_minimum(minimum), m_maximum(maximum), m_wrap(wrap) {
    if (m_minimum > m_maximum) {
        std::swap(m_minimum, m_maximum);
    }
    m_value = m_minimum;
}

void CFixedRangeNumber::SetValue(int32_t value) {
    Apply(value);
}

void CFixedRangeNumber::Apply(int64_t value) {
    const int64_t minimum = m_minimum;
    const int64_t maximum = m_maximum;
    if (m_wrap) {
        // The remainder does in one step what adding or subtracting the size until
        // the value fits would do in up to 2^32 steps.
        const int64_t size = maximum - minimum + 1;
        int64_t offset = (value - minimum) % size;
        if (offset < 0) {
            offset += size;
        }
        value = minimum + offset;
    } else if (value < minimum) {
        value = minimum;
    } else if (value > maximum) {
        value = maximum;
    }
    m_value = static_cast<int32_t>(value);
}

CFixedRangeNumber& CFixedRangeNumber::Increment() {
    return *this += 1;
}

CFixedRangeNumber CFixedRangeNumber::operator++(int) {
    CFixedRangeNumber old(*this);
    *this += 1;
    return old;
}

CFixedRangeNumber& CFixedRangeNumber::Decrement() {
    return *this -= 1;
}

CFixedRangeNumber CFixedRangeNumber::operator--(int) {
    CFixedRangeNumber old(*this);
    *this -= 1;
    return old;
}

CFixedRangeNumber& CFixedRangeNumber::operator+=(int32_t amount) {
    Apply(static_cast<int64_t>(m_value) + amount);
    return *this;
}

CFixedRangeNumber& CFixedRangeNumber::operator-=(int32_t amount) {
    Apply(static_cast<int64_t>(m_value) - amount);
    return *this;
}
