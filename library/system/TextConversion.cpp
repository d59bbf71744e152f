#include "library/system/TextConversion.h"

#include <cstdlib>

namespace {

// Sizes the target by a first call of the runtime conversion, then converts; both
// directions stop at the first terminating zero, as the runtime conversions do.
template <class Out, class In>
std::basic_string<Out> Convert(const In* text, size_t (*convert)(Out*, const In*, size_t)) {
    if (text == nullptr || *text == In()) {
        return std::basic_string<Out>();
    }
    const size_t failed = static_cast<size_t>(-1);
    const size_t needed = convert(nullptr, text, 0);
    if (needed == failed) {
        return std::basic_string<Out>();
    }
    std::basic_string<Out> target(needed + 1, Out());
    const size_t converted = convert(&target[0], text, target.size());
    if (converted == failed) {
        return std::basic_string<Out>();
    }
    target.resize(converted);
    return target;
}

size_t ToWide(wchar_t* target, const char* text, size_t size) {
    return std::mbstowcs(target, text, size);
}

size_t ToBytes(char* target, const wchar_t* text, size_t size) {
    return std::wcstombs(target, text, size);
}

} // namespace

std::wstring ToWideText(const char* text) {
    return Convert(text, &ToWide);
}

std::wstring ToWideText(const std::string& text) {
    return ToWideText(text.c_str());
}

std::string ToCodePageText(const wchar_t* text) {
    return Convert(text, &ToBytes);
}

std::string ToCodePageText(const std::wstring& text) {
    return ToCodePageText(text.c_str());
}
