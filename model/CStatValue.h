#pragma once

#include "library/datetime/CDateTimeSpan.h"
#include "model/CStatInt.h"

// The time registered in one statistics interval.
class CStatValue {
public:
    // A total of zero for the interval.
    explicit CStatValue(const CStatInt& interval) : m_interval(interval) {}
    CStatValue(const CStatValue&) = default;
    CStatValue& operator=(const CStatValue&) = default;
    virtual ~CStatValue() = default;

    // In days.
    const CDateTimeSpan& GetTotal() const { return m_total; }
    const CStatInt& GetInterval() const { return m_interval; }
    void AddTime(const CDateTimeSpan& span) { m_total += span; }

private:
    CDateTimeSpan m_total{0.0};
    CStatInt m_interval;
};
