#pragma once

// CFixedRangeNumber: an integer that never leaves the closed range [minimum, maximum].
//
// With wrap set, values past one end come back in from the other end (any number maps
// into the range as if by adding or subtracting the range's size as often as needed);
// without it they stop at the ends.
//
//   CFixedRangeNumber tip(0, 21, true);
//   tip.SetValue(storedIndex);   // any stored number lands on a valid tip
//   ++tip;                       // after the last tip comes the first again

#include <cstdint>

class CFixedRangeNumber {
public:
    // Starts at the minimum. A reversed range (minimum above maximum) is taken with its
    // ends swapped, so that the range is never empty.
    CFixedRangeNumber(int32_t minimum, int32_t maximum, bool wrap);
    virtual ~CFixedRangeNumber() = default;

    void SetValue(int32_t value);
    int32_t GetValue() const { return m_value; }

    // Prefix steps (change, then give the object) and postfix steps (give a copy of
    // the old state, then change).
    CFixedRangeNumber& Increment();
    CFixedRangeNumber& Decrement();
    CFixedRangeNumber& operator++() { return Increment(); }
    CFixedRangeNumber& operator--() { return Decrement(); }
    CFixedRangeNumber operator++(int);
    CFixedRangeNumber operator--(int);
    CFixedRangeNumber& operator+=(int32_t amount);
    CFixedRangeNumber& operator-=(int32_t amount);

private:
    // Brings a value into the range and stores it; computed on 64 bits so that no
    // step of the arithmetic overflows.
    void Apply(int64_t value);

    int32_t m_value;
    int32_t m_minimum;
    int32_t m_maximum;
    bool m_wrap;
};
