#pragma once

#include "CBenchEvent.h"
#include "library/events/CSlot.h"

namespace bench {

// A listener of the signal benchmarks: adds up the values it hears.
class CBenchSlot : public CSlot<CBenchEvent> {
public:
    long long m_sum = 0;

protected:
    bool OnEvent(CBenchEvent& event) override {
        m_sum += event.m_value;
        return false;
    }
};

} // namespace bench
