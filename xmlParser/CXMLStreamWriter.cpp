#include "xmlParser/CXMLStreamWriter.h"

#include "xmlParser/CXMLCharTable.h"
#include "xmlParser/SXMLOptions.h"

CXMLStreamWriter::CXMLStreamWriter(std::string& out, bool layout)
    : m_writer(CXMLCharTable::Current(), out),
      m_topLayout(layout && SXMLOptions::Current().dropWhiteSpace ? 0 : -1) {}

int CXMLStreamWriter::BeginContent() {
    if (m_open.empty()) {
        return m_topLayout;
    }
    SOpen& parent = m_open.back();
    if (!parent.hasContents && parent.name) {
        m_writer.CloseStartTag(false, true, parent.layout);
        parent.hasContents = true;
    }
    return CXMLWriter::ContentLayout(parent.layout, parent.name, false);
}

void CXMLStreamWriter::WriteDeclaration(const char* name) {
    const int layout = BeginContent();
    m_writer.OpenStartTag(name, true, nullptr, 0, layout >= 0 ? layout : 0);
    m_writer.CloseStartTag(true, false, layout);
}

void CXMLStreamWriter::StartElement(const char* name, const SXMLAttr* attributes, size_t count) {
    const int layout = BeginContent();
    m_writer.OpenStartTag(name, false, attributes, count, layout >= 0 ? layout : 0);
    m_open.push_back(SOpen{name, layout, false});
}

void CXMLStreamWriter::EndElement() {
    if (m_open.empty()) {
        return;
    }
    const SOpen element = m_open.back();
    m_open.pop_back();
    m_writer.EndTag(element.name, false, element.hasContents, element.layout);
}

void CXMLStreamWriter::WriteEmptyElement(const char* name, const SXMLAttr* attributes,
                                         size_t count) {
    const int layout = BeginContent();
    m_writer.OpenStartTag(name, false, attributes, count, layout >= 0 ? layout : 0);
    m_writer.EndTag(name, false, false, layout);
}

void CXMLStreamWriter::WriteTextElement(const char* name, const char* text) {
    const int depth = BeginContent();
    const int layout = CXMLWriter::TagLayout(depth, false, true);
    if (name) {
        m_writer.OpenStartTag(name, false, nullptr, 0, depth >= 0 ? depth : 0);
        m_writer.CloseStartTag(false, true, layout);
    }
    m_writer.WriteText(text, layout);
    m_writer.EndTag(name, false, true, layout);
}
