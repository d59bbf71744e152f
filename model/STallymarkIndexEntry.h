#pragma once

#include <functional>

class CTallymark;

// One tally mark in an index by date. key is the indexed date (start or end) on the linear
// time line of CDateTime, so that the order is the order of time, also before 1900; read
// the dates themselves from the tally mark. Entries order by key, then by the tally mark's
// address: tally marks with equal dates follow no meaningful order.
struct STallymarkIndexEntry {
    double key;
    CTallymark* tallymark;

    bool operator<(const STallymarkIndexEntry& other) const {
        if (key != other.key) {
            return key < other.key;
        }
        return std::less<CTallymark*>()(tallymark, other.tallymark);
    }
};
