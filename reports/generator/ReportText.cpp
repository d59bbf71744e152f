#include "reports/generator/ReportText.h"

namespace {

const char kEscape = '\x01';
const char kEscapedEscape = '\x01';
const char kEscapedBracket = '\x02';

} // namespace

namespace reporttext {

std::string ProtectValue(const std::string& value) {
    if (value.find_first_of("[\x01") == std::string::npos) {
        return value;
    }
    std::string result;
    result.reserve(value.size() + 8);
    for (char c : value) {
        if (c == '[') {
            result += kEscape;
            result += kEscapedBracket;
        } else if (c == kEscape) {
            result += kEscape;
            result += kEscapedEscape;
        } else {
            result += c;
        }
    }
    return result;
}

std::string ProtectTemplate(const std::string& content) {
    if (content.find(kEscape) == std::string::npos) {
        return content;
    }
    std::string result;
    result.reserve(content.size() + 8);
    for (char c : content) {
        result += c;
        if (c == kEscape) {
            result += kEscapedEscape;
        }
    }
    return result;
}

std::string RestoreValues(std::string text) {
    // In place: every pair shrinks to its byte, so the text is never held twice.
    size_t read = text.find(kEscape);
    if (read == std::string::npos) {
        return text;
    }
    size_t write = read;
    for (; read < text.size(); ++read) {
        if (text[read] == kEscape && read + 1 < text.size()) {
            ++read;
            text[write++] = text[read] == kEscapedBracket ? '[' : kEscape;
        } else {
            text[write++] = text[read];
        }
    }
    text.resize(write);
    return text;
}

void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& value) {
    if (placeholder.empty()) {
        return;
    }
    size_t found = text.find(placeholder);
    if (found == std::string::npos) {
        return;
    }
    std::string result;
    result.reserve(text.size() + value.size());
    size_t from = 0;
    while (found != std::string::npos) {
        result.append(text, from, found - from);
        result += value;
        from = found + placeholder.size();
        found = text.find(placeholder, from);
    }
    result.append(text, from, std::string::npos);
    text.swap(result);
}

} // namespace reporttext
