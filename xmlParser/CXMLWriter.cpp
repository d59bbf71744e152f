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

void CXMLWriter::StartElement(const SXMLElement* element, int layout) {
    const int indent = layout >= 0 ? layout : 0;
    const bool hasContents = !element->order.empty();
    if (layout >= 0 && !element->isDeclaration && element->order.size() == 1 &&
        SXMLElement::KindOf(element->order[0]) == xcText) {
        layout = -2;
    }
    if (element->name) {
        PutTabs(indent);
        Put('<');
        if (element->isDeclaration) {
            Put('?');
        }
        Put(element->name);
        for (const SXMLAttr& attribute : element->attributes) {
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
        if (element->isDeclaration) {
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
    int contentLayout = layout;
    if (layout != -1 && element->name && !element->isDeclaration) {
        contentLayout = layout + 1;
    }
    m_frames.push_back(SFrame{element, layout, contentLayout, 0});
}

void CXMLWriter::EndElement(const SFrame& frame) {
    const SXMLElement* element = frame.element;
    if (!element->name || element->isDeclaration) {
        return;
    }
    if (element->order.empty()) {
        Put("/>");
    } else {
        PutTabs(frame.layout);
        Put("</");
        Put(element->name);
        Put('>');
    }
    if (frame.layout != -1) {
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
    if (m_out) {
        m_out[m_length] = c;
    }
    ++m_length;
}

void CXMLWriter::Put(const char* text) {
    size_t length = std::strlen(text);
    if (m_out) {
        std::memcpy(m_out + m_length, text, length);
    }
    m_length += length;
}

void CXMLWriter::PutEscaped(const char* text) {
    m_length += CXMLEntities::Escape(text, m_table, m_out ? m_out + m_length : nullptr);
}

void CXMLWriter::PutTabs(int count) {
    for (int i = 0; i < count; ++i) {
        Put('\t');
    }
}
