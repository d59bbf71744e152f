#include "app/settings/SettingReaders.h"

#include "library/settings/CINISection.h"

#include <algorithm>

namespace {

constexpr int64_t kNumberLimit = 1000000000000000; // 10^15

template <class T>
T ReadInRange(CINISection& section, const char* key, T defaultValue, T minimum, T maximum) {
    int64_t value = 0;
    if (!ReadNumber(section, key, value) || value < minimum || value > maximum) {
        return defaultValue;
    }
    return static_cast<T>(value);
}

} // namespace

bool ReadNumber(CINISection& section, const char* key, int64_t& value) {
    const CINISetting* setting = section.GetSetting(key, false);
    if (setting == nullptr) {
        return false;
    }
    const std::string text = setting->GetStringStd(std::string());
    size_t position = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        position = 1;
    }
    if (position == text.size()) {
        return false;
    }
    int64_t magnitude = 0;
    for (; position < text.size(); ++position) {
        const char c = text[position];
        if (c < '0' || c > '9') {
            return false;
        }
        magnitude = std::min(magnitude * 10 + (c - '0'), kNumberLimit);
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

uint32_t ReadUInt(CINISection& section, const char* key, uint32_t defaultValue, uint32_t minimum,
                  uint32_t maximum) {
    return ReadInRange(section, key, defaultValue, minimum, maximum);
}

int32_t ReadInt(CINISection& section, const char* key, int32_t defaultValue, int32_t minimum,
                int32_t maximum) {
    return ReadInRange(section, key, defaultValue, minimum, maximum);
}

uint32_t ReadClampedUInt(CINISection& section, const char* key, uint32_t defaultValue,
                         uint32_t minimum, uint32_t maximum) {
    int64_t value = 0;
    if (!ReadNumber(section, key, value)) {
        return defaultValue;
    }
    return static_cast<uint32_t>(std::clamp<int64_t>(value, minimum, maximum));
}

bool ReadBool(CINISection& section, const char* key, bool defaultValue) {
    const CINISetting* setting = section.GetSetting(key, false);
    return setting != nullptr ? setting->GetBool(defaultValue) : defaultValue;
}

std::string ReadText(CINISection& section, const char* key, const std::string& defaultValue) {
    const CINISetting* setting = section.GetSetting(key, false);
    const std::string text =
        setting != nullptr ? setting->GetStringStd(defaultValue) : defaultValue;
    return text.size() <= kLongestText ? text : defaultValue;
}

std::string ReadLanguageKey(CINISection& section, const char* key,
                            const std::string& defaultValue) {
    const std::string text = ReadText(section, key, defaultValue);
    const size_t kLongestKey = 16;
    if (text.size() > kLongestKey) {
        return defaultValue;
    }
    for (char c : text) {
        const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                             (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!allowed) {
            return defaultValue;
        }
    }
    return text;
}

int32_t ReadColumnWidth(CINISection& section, const char* key) {
    return ReadInt(section, key, -1, -1, kLargestCoordinate);
}
