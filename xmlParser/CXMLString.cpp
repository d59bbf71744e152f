#include "xmlParser/CXMLString.h"

#include <cstdlib>
#include <cstring>

char* CXMLString::Copy(const char* text) {
    return text ? Copy(text, std::strlen(text)) : nullptr;
}

char* CXMLString::Copy(const char* text, size_t length) {
    if (!text) {
        return nullptr;
    }
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy) {
        std::memcpy(copy, text, length);
        copy[length] = '\0';
    }
    return copy;
}

void CXMLString::Free(const char* text) {
    std::free(const_cast<char*>(text));
}

bool CXMLString::CopyAttribute(const char* name, const char* value, char** nameCopy,
                               char** valueCopy) {
    *nameCopy = Copy(name);
    *valueCopy = Copy(value);
    if (!*nameCopy || (value && !*valueCopy)) {
        Free(*nameCopy);
        Free(*valueCopy);
        *nameCopy = *valueCopy = nullptr;
        return false;
    }
    return true;
}

bool CXMLString::EqualNoCase(const char* a, const char* b) {
    if (!a || !b) {
        return false;
    }
    for (;; ++a, ++b) {
        if (ToLower(*a) != ToLower(*b)) {
            return false;
        }
        if (*a == '\0') {
            return true;
        }
    }
}

bool CXMLString::EqualNoCase(const char* a, const char* b, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (ToLower(a[i]) != ToLower(b[i])) {
            return false;
        }
    }
    return true;
}
