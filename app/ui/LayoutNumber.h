#pragma once

#include <cstdint>

// Resolves a stored number that is still -1 ("not set") to the layout number that
// the language gives: the first two bytes of the data resource `id` (signed,
// little-endian) from the current resource module, 0 when that resource is missing
// or shorter. Any other value is left alone.
void GetLayoutNumber(int32_t& value, unsigned int id);
