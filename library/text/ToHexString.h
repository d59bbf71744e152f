#pragma once

#include <cstdint>
#include <string>

// "0x" and eight upper-case hexadecimal digits, leading zeros kept: 0x0000BEEF.
std::string ToHexString(uint32_t value);
