#pragma once

#include "library/events/CEventTypeNoResult.h"

namespace bench {

// The event of the signal benchmarks: a number that the slots add up, so that the work of
// every call shows in a checksum.
class CBenchEvent : public CEventTypeNoResult {
public:
    explicit CBenchEvent(int value) : m_value(value) {}
    int m_value;
};

} // namespace bench
