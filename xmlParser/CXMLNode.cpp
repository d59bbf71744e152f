#include "xmlParser/CXMLNode.h"

#include "xmlParser/CXMLString.h"
#include "xmlParser/SXMLContent.h"
#include "xmlParser/SXMLElement.h"

CXMLNode::CXMLNode(SXMLElement* element) : m_element(element) {
    if (m_element) {
        ++m_element->refCount;
    }
}

CXMLNode CXMLNode::Adopt(SXMLElement* element) {
    CXMLNode node;
    node.m_element = element;
    return node;
}

CXMLNode::CXMLNode(const CXMLNode& other) : CXMLNode(other.m_element) {}

CXMLNode::CXMLNode(CXMLNode&& other) noexcept : m_element(other.m_element) {
    other.m_element = nullptr;
}

CXMLNode& CXMLNode::operator=(const CXMLNode& other) {
    if (m_element != other.m_element) {
        SXMLElement* old = m_element;
        m_element = other.m_element;
        if (m_element) {
            ++m_element->refCount;
        }
        SXMLElement::Release(old);
    }
    return *this;
}

CXMLNode& CXMLNode::operator=(CXMLNode&& other) noexcept {
    if (this != &other) {
        SXMLElement* old = m_element;
        m_element = other.m_element;
        other.m_element = nullptr;
        SXMLElement::Release(old);
    }
    return *this;
}

CXMLNode::~CXMLNode() {
    SXMLElement::Release(m_element);
}

const char* CXMLNode::GetLibraryVersion() {
    return "v2.38";
}

const char* CXMLNode::GetName() const {
    return m_element ? m_element->name : nullptr;
}

bool CXMLNode::IsDeclarationNode() const {
    return m_element && m_element->isDeclaration;
}

CXMLNode CXMLNode::GetParent() const {
    return CXMLNode(m_element ? m_element->parent : nullptr);
}

int CXMLNode::GetChildCount() const {
    return m_element ? static_cast<int>(m_element->children.size()) : 0;
}

int CXMLNode::GetTextCount() const {
    return m_element ? static_cast<int>(m_element->texts.size()) : 0;
}

int CXMLNode::GetClearCount() const {
    return m_element ? static_cast<int>(m_element->clears.size()) : 0;
}

int CXMLNode::GetAttributeCount() const {
    return m_element ? static_cast<int>(m_element->attributes.size()) : 0;
}

int CXMLNode::GetContentCount() const {
    return m_element ? m_element->ContentCount() : 0;
}

CXMLNode CXMLNode::GetChild(int index) const {
    if (index < 0 || index >= GetChildCount()) {
        return CXMLNode();
    }
    return CXMLNode(m_element->children[index]);
}

int CXMLNode::FindChildIndex(const char* name, int from) const {
    int count = GetChildCount();
    for (int i = from < 0 ? count : from; i < count; ++i) {
        if (CXMLString::EqualNoCase(m_element->children[i]->name, name)) {
            return i;
        }
    }
    return -1;
}

CXMLNode CXMLNode::FindChild(const char* name, int* runningIndex) const {
    int index = FindChildIndex(name, runningIndex ? *runningIndex : 0);
    if (index < 0) {
        return CXMLNode();
    }
    if (runningIndex) {
        *runningIndex = index + 1;
    }
    return CXMLNode(m_element->children[index]);
}

int CXMLNode::FindNthChildIndex(const char* name, int n) const {
    if (n < 0) {
        for (int i = GetChildCount(); i-- > 0;) {
            if (CXMLString::EqualNoCase(m_element->children[i]->name, name)) {
                return i;
            }
        }
        return -1;
    }
    int index = -1;
    for (int from = 0; n >= 0 && (index = FindChildIndex(name, from)) >= 0; --n) {
        from = index + 1;
    }
    return index;
}

CXMLNode CXMLNode::FindNthChild(const char* name, int n) const {
    int index = FindNthChildIndex(name, n);
    return index < 0 ? CXMLNode() : CXMLNode(m_element->children[index]);
}

CXMLNode CXMLNode::FindChildWithAttribute(const char* name, const char* attributeName,
                                          const char* attributeValue, int* runningIndex) const {
    for (int from = runningIndex ? *runningIndex : 0;;) {
        int index = FindChildIndex(name, from);
        if (index < 0) {
            return CXMLNode();
        }
        for (const SXMLAttr& attribute : m_element->children[index]->attributes) {
            if (CXMLString::EqualNoCase(attribute.name, attributeName) &&
                (!attributeValue || CXMLString::EqualNoCase(attribute.value, attributeValue))) {
                if (runningIndex) {
                    *runningIndex = index + 1;
                }
                return CXMLNode(m_element->children[index]);
            }
        }
        from = index + 1;
    }
}

int CXMLNode::CountChildren(const char* name) const {
    int count = 0;
    for (int i = 0; i < GetChildCount(); ++i) {
        if (CXMLString::EqualNoCase(m_element->children[i]->name, name)) {
            ++count;
        }
    }
    return count;
}

const char* CXMLNode::GetText(int index) const {
    return index >= 0 && index < GetTextCount() ? m_element->texts[index] : nullptr;
}

SXMLClear CXMLNode::GetClearContent(int index) const {
    return index >= 0 && index < GetClearCount() ? m_element->clears[index] : SXMLClear();
}

SXMLAttr CXMLNode::GetAttributeAt(int index) const {
    return index >= 0 && index < GetAttributeCount() ? m_element->attributes[index] : SXMLAttr();
}

const char* CXMLNode::GetAttributeNameAt(int index) const {
    return GetAttributeAt(index).name;
}

const char* CXMLNode::GetAttributeValueAt(int index) const {
    return GetAttributeAt(index).value;
}

int CXMLNode::FindAttributeIndex(const char* name, int n) const {
    if (n < 0) {
        return -1;
    }
    for (int i = 0; i < GetAttributeCount(); ++i) {
        if (CXMLString::EqualNoCase(m_element->attributes[i].name, name) && n-- == 0) {
            return i;
        }
    }
    return -1;
}

const char* CXMLNode::GetAttribute(const char* name, int n) const {
    return GetAttributeValueAt(FindAttributeIndex(name, n));
}

bool CXMLNode::HasAttribute(const char* name) const {
    return FindAttributeIndex(name, 0) >= 0;
}

SXMLContent CXMLNode::GetContentAt(int index) const {
    SXMLContent content;
    if (index < 0 || !m_element) {
        return content;
    }
    int attributeCount = GetAttributeCount();
    if (index < attributeCount) {
        content.kind = xcAttribute;
        content.attribute = m_element->attributes[index];
        return content;
    }
    index -= attributeCount;
    if (index >= m_element->OrderCount()) {
        return content;
    }
    int32_t entry = m_element->order[index];
    int kindIndex = SXMLElement::IndexOf(entry);
    content.kind = SXMLElement::KindOf(entry);
    switch (content.kind) {
    case xcChild:
        content.child = CXMLNode(m_element->children[kindIndex]);
        break;
    case xcText:
        content.text = m_element->texts[kindIndex];
        break;
    default:
        content.clear = m_element->clears[kindIndex];
        break;
    }
    return content;
}

int CXMLNode::GetOrderIndexOfText(int index) const {
    return index >= 0 && index < GetTextCount() ? m_element->OrderPositionOf(xcText, index) : -1;
}

int CXMLNode::GetOrderIndexOfText(const char* text) const {
    for (int i = 0; text && i < GetTextCount(); ++i) {
        if (m_element->texts[i] == text) {
            return m_element->OrderPositionOf(xcText, i);
        }
    }
    return -1;
}

int CXMLNode::GetOrderIndexOfClear(int index) const {
    return index >= 0 && index < GetClearCount() ? m_element->OrderPositionOf(xcClear, index) : -1;
}

int CXMLNode::GetOrderIndexOfClear(const char* value) const {
    for (int i = 0; value && i < GetClearCount(); ++i) {
        if (m_element->clears[i].value == value) {
            return m_element->OrderPositionOf(xcClear, i);
        }
    }
    return -1;
}

int CXMLNode::GetOrderIndexOfChild(int index) const {
    return index >= 0 && index < GetChildCount() ? m_element->OrderPositionOf(xcChild, index) : -1;
}

int CXMLNode::GetOrderIndexOfChild(const CXMLNode& child) const {
    if (!m_element || !child.m_element) {
        return -1;
    }
    return GetOrderIndexOfChild(m_element->FindChildIndex(child.m_element));
}

int CXMLNode::GetOrderIndexOfChild(const char* name, int n) const {
    return GetOrderIndexOfChild(FindNthChildIndex(name, n));
}
