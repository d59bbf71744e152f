#include "library/text/CText.h"

#include "library/system/CResourceModule.h"

#include <cstring>
#include <windows.h>

namespace {

CResourceModule& StartupModule() {
    static CResourceModule* module = new CResourceModule(); // lives as long as the process
    return *module;
}

CResourceModule*& TextModule() {
    static CResourceModule* module = &StartupModule();
    return module;
}

// A string resource holds at most 65535 UTF-16 units, two bytes each at most in a
// double-byte code page: a buffer of this size always holds the whole string.
constexpr int kLargestBuffer = 1 << 18;

// Loads string `id` of one module instance into text with a buffer that doubles
// while the string fills it. False when the instance has no such string (or an
// empty one).
bool LoadFromInstance(HINSTANCE instance, unsigned int id, std::string& text) {
    for (int size = 256;; size *= 2) {
        text.assign(static_cast<size_t>(size), '\0');
        int length = LoadStringA(instance, id, &text[0], size);
        if (length <= 0) {
            text.clear();
            return false;
        }
        if (length + 1 < size || size >= kLargestBuffer) {
            text.resize(static_cast<size_t>(length));
            return true;
        }
    }
}

} // namespace

CText::CText(const char* text) : m_text(text ? text : "") {}

CText::CText(const std::string& text) : m_text(text) {}

CText::CText(const CText& other) = default;

CText::CText(unsigned int id, const CResourceModule& module, const char* defaultText) {
    LoadFrom(id, module, defaultText);
}

CText::CText(unsigned int id, const char* defaultText) {
    Load(id, defaultText);
}

CText::~CText() = default;

CText& CText::operator=(const CText& other) = default;

CText& CText::operator=(const std::string& text) {
    m_text = text;
    return *this;
}

CText& CText::operator=(const char* text) {
    m_text = text ? text : "";
    return *this;
}

void CText::LoadFrom(unsigned int id, const CResourceModule& module, const char* defaultText) {
    if (LoadFromInstance(module.GetInstance(), id, m_text)) {
        return;
    }
    if (module.HasFallback() && LoadFromInstance(module.GetFallbackInstance(), id, m_text)) {
        return;
    }
    m_text = defaultText ? defaultText : "";
}

void CText::Load(unsigned int id, const char* defaultText) {
    LoadFrom(id, *TextModule(), defaultText);
}

void CText::Replace(const char* placeholder, const char* replacement, bool firstOnly) {
    if (placeholder == nullptr || *placeholder == '\0') {
        return;
    }
    const size_t placeholderLength = strlen(placeholder);
    const std::string insert = replacement ? replacement : "";
    size_t position = 0;
    while ((position = m_text.find(placeholder, position, placeholderLength)) !=
           std::string::npos) {
        m_text.replace(position, placeholderLength, insert);
        if (firstOnly) {
            return;
        }
        position += insert.size();
    }
}

void CText::ReplaceWithString(const char* placeholder, const std::string& value, bool firstOnly) {
    Replace(placeholder, value.c_str(), firstOnly);
}

void CText::ReplaceWithText(const char* placeholder, const CText& value, bool firstOnly) {
    Replace(placeholder, value.GetCStr(), firstOnly);
}

void CText::ReplaceWithNumber(const char* placeholder, int32_t value, bool firstOnly) {
    Replace(placeholder, std::to_string(value).c_str(), firstOnly);
}

void CText::ReplaceWithLong(const char* placeholder, long value, bool firstOnly) {
    Replace(placeholder, std::to_string(value).c_str(), firstOnly);
}

void CText::ReplaceWithSystemError(const char* placeholder, uint32_t code, const char* defaultText,
                                   bool firstOnly) {
    std::string text = std::to_string(code) + " - ";
    char* message = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<LPSTR>(&message), 0, nullptr);
    if (length > 0 && message != nullptr) {
        text.append(message, length);
    } else if (defaultText != nullptr) {
        text += defaultText;
    }
    if (message != nullptr) {
        LocalFree(message);
    }
    Replace(placeholder, text.c_str(), firstOnly);
}

void CText::ReplaceWithLastError(const char* placeholder, const char* defaultText, bool firstOnly) {
    ReplaceWithSystemError(placeholder, GetLastError(), defaultText, firstOnly);
}

void CText::SetResourceModule(CResourceModule* module) {
    TextModule() = module ? module : &StartupModule();
}
