#pragma once

// Validated reading of the settings objects' keys. A stored value counts only when it
// is what the key holds: a whole decimal number within the key's range, a flag by its
// first letter, or text; a missing, empty or damaged value gives the default. So a
// hand-edited settings file can never put an object into a state its users do not expect.

#include <cstddef>
#include <cstdint>
#include <string>

class CINISection;

// The value of key as a whole decimal number: an optional sign and digits, nothing else.
// Numbers beyond +-10^15 count as +-10^15 (beyond every range of a setting). False when
// the key is missing, empty or not such a number.
bool ReadNumber(CINISection& section, const char* key, int64_t& value);
// The number when it lies in minimum..maximum, else the default.
uint32_t ReadUInt(CINISection& section, const char* key, uint32_t defaultValue, uint32_t minimum,
                  uint32_t maximum);
int32_t ReadInt(CINISection& section, const char* key, int32_t defaultValue, int32_t minimum,
                int32_t maximum);
// The number moved into minimum..maximum; the default when there is no number.
uint32_t ReadClampedUInt(CINISection& section, const char* key, uint32_t defaultValue,
                         uint32_t minimum, uint32_t maximum);
// By the first letter as CINISetting::GetBool reads it; the default otherwise.
bool ReadBool(CINISection& section, const char* key, bool defaultValue);
// The text; the default when the key is missing, empty or longer than the longest path
// the system knows (kLongestText characters).
constexpr size_t kLongestText = 32767;
std::string ReadText(CINISection& section, const char* key, const std::string& defaultValue);
// A language abbreviation ("EN"): 1 to 16 letters, digits, "-" or "_"; the default
// otherwise.
std::string ReadLanguageKey(CINISection& section, const char* key, const std::string& defaultValue);

// What a window's coordinates and sizes can be: within 16 bits either side of 0. A width of
// a column reads as -1 (the language's layout number) outside 0 .. kLargestCoordinate.
constexpr int32_t kLargestCoordinate = 32767;
int32_t ReadColumnWidth(CINISection& section, const char* key);
