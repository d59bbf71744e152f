#include "xmlParser/XMLTextConversion.h"

#include <climits>
#include <cstdlib>

// strtod and strtol give what atof, atol and atoi give for numbers in range, and a
// defined answer for numbers out of it: the nearest value that fits.

double TextToDouble(const char* text, double fallback) {
    return text && *text ? std::strtod(text, nullptr) : fallback;
}

long TextToLong(const char* text, long fallback) {
    return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

int TextToInt(const char* text, int fallback) {
    if (!text || !*text) {
        return fallback;
    }
    long value = std::strtol(text, nullptr, 10);
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

char TextToChar(const char* text, char fallback) {
    return text && *text ? static_cast<char>(TextToInt(text, 0)) : fallback;
}
