#include "xmlParser/CXMLWriter.h"

#include "xmlParser/CXMLEntities.h"
#include "xmlParser/SXMLElement.h"

#include <cstring>

size_t CXMLWriter::Render(const SXMLElement* element, int layout, const CXMLCharTable& table,
                          char* out) {
    CXMLWriter writer(table, out);
    writer.StartElement(element, layout);
    while (!writer.m_frames.empty()) {
        SFrame& frame = writer.m_frames.back();
        const SXMLElement* current = frame.element;
        if (frame.next == current->order.size()) {
            writer.EndElement(frame);
            writer.m_frames.pop_back();
            continue;
        }
        int32_t entry = current->order[frame.next++];
        int index = SXMLElement::IndexOf(entry);
        switch (SXMLElement::KindOf(entry)) {
        case xcText:
            writer.WriteText(current->texts[index], frame.layout);
            break;
        case xcClear:
            writer.WriteClear(current, index, frame.layout);
            break;
        default:
            writer.StartElement(current->children[index], frame.contentLayout);
            break;
        }
    }
    return writer.m_length;
}

int CXMLWriter::TagLayout(int layout, bool isDeclaration, bool onlyOneText) {
    return layout >= 0 && !isDeclaration && onlyOneText ? -2 : layout;
}

int CXMLWriter::ContentLayout(int layout, const char* name, bool isDeclaration) {
    return layout != -1 && name && !isDeclaration ? layout + 1 : layout;
}

void CXMLWriter::StartElement(const SXMLElement* element, int layout) {
    const int indent = layout >= 0 ? layout : 0;
    const bool hasContents = !element->order.empty();
    layout =
        TagLayout(layout, element->isDeclaration,
                  element->order.size() == 1 && SXMLElement::KindOf(element->order[0]) == xcText);
    if (element->name) {
        OpenStartTag(element->name, element->isDeclaration, element->attributes.data(),
                     element->attributes.size(), indent);
        CloseStartTag(element->isDeclaration, hasContents, layout);
    }
    m_frames.push_back(
        SFrame{element, layout, ContentLayout(layout, element->name, element->isDeclaration), 0});
}

void CXMLWriter::OpenStartTag(const char* name, bool isDeclaration, const SXMLAttr* attributes,
                              size_t count, int layout) {
    if (!name) {
        return;
    }
    PutTabs(layout);
    Put('<');
    if (isDeclaration) {
        Put('?');
    }
    Put(name);
    for (size_t i = 0; i < count; ++i) {
        const SXMLAttr& attribute = attributes[i];
        if (!attribute.name || !*attribute.name) {
            continue;
        }
        Put(' ');
        Put(attribute.name);
        if (attribute.value) {
            Put("=\"");
            PutEscaped(attribute.value);
            Put('"');
        }
    }
}

void CXMLWriter::CloseStartTag(bool isDeclaration, bool hasContents, int layout) {
    if (isDeclaration) {
        Put("?>");
        if (layout != -1) {
            Put('\n');
        }
    } else if (hasContents) {
        Put('>');
        if (layout >= 0) {
            Put('\n');
        }
    }
}

void CXMLWriter::EndElement(const SFrame& frame) {
    EndTag(frame.element->name, frame.element->isDeclaration, !frame.element->order.empty(),
           frame.layout);
}

void CXMLWriter::EndTag(const char* name, bool isDeclaration, bool hasContents, int layout) {
    if (!name || isDeclaration) {
        return;
    }
    if (!hasContents) {
        Put("/>");
    } else {
        PutTabs(layout);
        Put("</");
        Put(name);
        Put('>');
    }
    if (layout != -1) {
        Put('\n');
    }
}

void CXMLWriter::WriteText(const char* text, int layout) {
    if (!text || !*text) {
        return;
    }
    PutTabs(layout + 1);
    PutEscaped(text);
    if (layout >= 0) {
        Put('\n');
    }
}

void CXMLWriter::WriteClear(const SXMLElement* element, int index, int layout) {
    const SXMLClear& clear = element->clears[index];
    if (clear.openTag && *clear.openTag) {
        PutTabs(layout + 1);
        Put(clear.openTag);
    }
    if (clear.value) {
        Put(clear.value);
    }
    if (clear.closeTag) {
        Put(clear.closeTag);
    }
    if (layout != -1) {
        Put('\n');
    }
}

void CXMLWriter::Put(char c) {
    if (m_sink) {
        m_sink->push_back(c);
    } else if (m_out) {
        m_out[m_length] = c;
    }
    ++m_length;
}

void CXMLWriter::Put(const char* text) {
    size_t length = std::strlen(text);
    if (m_sink) {
        m_sink->append(text, length);
    } else if (m_out) {
        std::memcpy(m_out + m_length, text, length);
    }
    m_length += length;
}

void CXMLWriter::PutEscaped(const char* text) {
    if (m_sink && !std::strpbrk(text, "&<>\"'")) {
        // Nothing to replace: the bytes as they are, which is what Escape writes, since
        // no table takes these five characters for trailing bytes.
        Put(text);
        return;
    }
    if (m_sink) {
        const size_t length = CXMLEntities::Escape(text, m_table, nullptr);
        const size_t at = m_sink->size();
        m_sink->resize(at + length);
        CXMLEntities::Escape(text, m_table, &(*m_sink)[at]);
        m_length += length;
        return;
    }
    m_length += CXMLEntities::Escape(text, m_table, m_out ? m_out + m_length : nullptr);
}

void CXMLWriter::PutTabs(int count) {
    for (int i = 0; i < count; ++i) {
        Put('\t');
    }
}
