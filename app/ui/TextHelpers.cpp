#include "app/ui/TextHelpers.h"

#include <io.h>

#include <cstring>

bool ParseBoolText(const std::string& text, bool defaultValue, bool& value) {
    const char first = text.empty() ? '\0' : text[0];
    if (first != '\0' && std::strchr("0FNfn", first) != nullptr) {
        value = false;
        return true;
    }
    if (first != '\0' && std::strchr("1TYty", first) != nullptr) {
        value = true;
        return true;
    }
    value = defaultValue;
    return false;
}

void AppendCommaSeparated(std::string& list, const std::string& item) {
    if (!list.empty()) {
        list += ", ";
    }
    list += item;
}

void ReplaceChar(std::string& text, char from, char to) {
    for (char& c : text) {
        if (c == from) {
            c = to;
        }
    }
}

std::string MakeFileNameSafe(const std::string& text) {
    std::string safe = text;
    for (char& c : safe) {
        if (c != '\0' && std::strchr("\\/\"?:*<>|", c) != nullptr) {
            c = '_';
        }
    }
    return safe;
}

int GetExtensionStart(const std::string& path) {
    const std::string::size_type dot = path.rfind('.');
    if (dot == std::string::npos) {
        return -1;
    }
    const std::string::size_type backslash = path.rfind('\\');
    if (backslash != std::string::npos && backslash > dot) {
        return -1;
    }
    return static_cast<int>(dot + 1);
}

std::string GetFileExtension(const std::string& path) {
    const int start = GetExtensionStart(path);
    return start < 0 ? std::string() : path.substr(static_cast<std::string::size_type>(start));
}

void AddDefaultExtension(std::string& path, const std::string& extension) {
    if (GetFileExtension(path).empty()) {
        path += ".";
        path += extension;
    }
}

bool FileExists(const std::string& path) {
    return _access(path.c_str(), 0) == 0;
}

std::string EscapeMenuText(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        escaped += c;
        if (c == '&') {
            escaped += '&';
        }
    }
    return escaped;
}
