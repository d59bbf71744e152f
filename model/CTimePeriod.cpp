#include "model/CTimePeriod.h"

CTimePeriod::CTimePeriod(const CDateTime& start, const CDateTime& end)
    : m_start(start), m_end(end) {}

CTimePeriod::CTimePeriod(const CDateTime& start1, const CDateTime& end1, const CDateTime& start2,
                         const CDateTime& end2)
    : m_start(start1 < start2 ? start2 : start1), m_end(end2 < end1 ? end2 : end1) {}
