#pragma once

// The rounding of report times to a unit (a second, a minute, six minutes, a quarter of
// an hour, half an hour, an hour or a day).
//
// Times are lengths in days with a binary fraction, so a span of exactly 7 min 30 s can
// come out a hair below or above its true value. Rounding therefore goes through whole
// seconds first and decides on integers: exact halves of a unit always go away from zero.

#include "library/datetime/CDateTimeSpan.h"

#include <cstdint>

// The number of rounding units in a day for a rounding code (0 second ... 5 hour); 1 (a
// whole day) for any other code.
std::int32_t GetUnitsPerDay(std::int32_t roundingCode);

// The span rounded to the nearest multiple of a day / unitsPerDay, halves away from zero;
// unitsPerDay must divide 86400. An invalid span stays invalid.
CDateTimeSpan RoundToUnit(const CDateTimeSpan& span, std::int32_t unitsPerDay);
