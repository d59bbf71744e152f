#include "xmlParser/CXMLNode.h"

#include "xmlParser/CXMLCharTable.h"
#include "xmlParser/CXMLWriter.h"
#include "xmlParser/SXMLOptions.h"

#include <cstdlib>
#include <new>

char* CXMLNode::CreateText(bool layout, size_t* length) const {
    if (length) {
        *length = 0;
    }
    if (!m_element) {
        return nullptr;
    }
    const int startLayout = layout && SXMLOptions::Current().dropWhiteSpace ? 0 : -1;
    const CXMLCharTable& table = CXMLCharTable::Current();
    try {
        size_t size = CXMLWriter::Render(m_element, startLayout, table, nullptr);
        char* text = static_cast<char*>(std::malloc(size + 1));
        if (!text) {
            return nullptr;
        }
        CXMLWriter::Render(m_element, startLayout, table, text);
        text[size] = '\0';
        if (length) {
            *length = size;
        }
        return text;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void FreeXMLText(char* text) {
    std::free(text);
}
