#include "library/text/ToHexString.h"

#include <cstdio>

std::string ToHexString(uint32_t value) {
    char text[16];
    snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned int>(value));
    return text;
}
