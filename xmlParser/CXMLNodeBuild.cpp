#include "xmlParser/CXMLNode.h"

#include "xmlParser/CXMLString.h"
#include "xmlParser/SXMLElement.h"

#include <new>

namespace {

const char* const kCDATAOpen = "<![CDATA[";
const char* const kCDATAClose = "]]>";

} // namespace

CXMLNode CXMLNode::CreateTopNode(const char* name, bool isDeclaration) {
    char* copy = CXMLString::Copy(name);
    if (name && !copy) {
        return CXMLNode();
    }
    try {
        return Adopt(SXMLElement::Create(copy, isDeclaration));
    } catch (const std::bad_alloc&) {
        return CXMLNode();
    }
}

CXMLNode CXMLNode::AddChild(const char* name, bool isDeclaration, int position) {
    return AddChildOwned(CXMLString::Copy(name), isDeclaration, position);
}

CXMLNode CXMLNode::AddChildOwned(char* name, bool isDeclaration, int position) {
    if (!m_element || !name) {
        CXMLString::Free(name);
        return CXMLNode();
    }
    return InsertNewChild(name, isDeclaration, position);
}

CXMLNode CXMLNode::InsertNewChild(char* name, bool isDeclaration, int position) {
    try {
        SXMLElement* child = SXMLElement::Create(name, isDeclaration);
        try {
            m_element->InsertChild(child, position);
        } catch (...) {
            SXMLElement::Release(child);
            throw;
        }
        return CXMLNode(child);
    } catch (const std::bad_alloc&) {
        return CXMLNode();
    }
}

SXMLAttr CXMLNode::AddAttribute(const char* name, const char* value) {
    char* nameCopy = nullptr;
    char* valueCopy = nullptr;
    if (!CXMLString::CopyAttribute(name, value, &nameCopy, &valueCopy)) {
        return SXMLAttr();
    }
    return AddAttributeOwned(nameCopy, valueCopy);
}

SXMLAttr CXMLNode::AddAttributeOwned(char* name, char* value) {
    if (!m_element || !name) {
        CXMLString::Free(name);
        CXMLString::Free(value);
        return SXMLAttr();
    }
    return InsertAttribute(name, value);
}

SXMLAttr CXMLNode::InsertAttribute(char* name, char* value) {
    try {
        m_element->AppendAttribute(SXMLAttr{name, value});
        return m_element->attributes.back();
    } catch (const std::bad_alloc&) {
        return SXMLAttr();
    }
}

const char* CXMLNode::AddText(const char* text, int position) {
    return AddTextOwned(CXMLString::Copy(text), position);
}

const char* CXMLNode::AddTextOwned(char* text, int position) {
    if (!m_element || !text) {
        CXMLString::Free(text);
        return nullptr;
    }
    return InsertText(text, position);
}

const char* CXMLNode::InsertText(char* text, int position) {
    try {
        m_element->InsertText(text, position);
        return text;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

SXMLClear CXMLNode::AddClearContent(const char* value, const char* openTag, const char* closeTag,
                                    int position) {
    return AddClearOwned(CXMLString::Copy(value), openTag, closeTag, position);
}

SXMLClear CXMLNode::AddClearOwned(char* value, const char* openTag, const char* closeTag,
                                  int position) {
    if (!m_element || !value) {
        CXMLString::Free(value);
        return SXMLClear();
    }
    return InsertClear(value, openTag, closeTag, position);
}

SXMLClear CXMLNode::InsertClear(char* value, const char* openTag, const char* closeTag,
                                int position) {
    SXMLClear clear{value, openTag ? openTag : kCDATAOpen, closeTag ? closeTag : kCDATAClose};
    try {
        m_element->InsertClear(clear, position);
        return clear;
    } catch (const std::bad_alloc&) {
        return SXMLClear();
    }
}

CXMLNode CXMLNode::AttachChild(const CXMLNode& child, int position) {
    SXMLElement* element = child.m_element;
    if (!m_element || !element || m_element->IsSelfOrDescendantOf(element)) {
        return CXMLNode();
    }
    try {
        if (element->name) {
            MoveChild(element, position);
        } else {
            m_element->TakeChildrenOf(element, position);
        }
    } catch (const std::bad_alloc&) {
        return CXMLNode();
    }
    return child;
}

void CXMLNode::MoveChild(SXMLElement* child, int position) {
    // All memory first, so that a failure leaves both elements as they were.
    SXMLElement::ReserveMore(m_element->children, 1);
    SXMLElement::ReserveMore(m_element->order, 1);
    SXMLElement* former = child->parent;
    if (former) {
        int index = former->FindChildIndex(child);
        // A child moved within this element counts the position without itself. One
        // that already stands at the position stays there.
        if (former == m_element && position >= 0 &&
            former->OrderPositionOf(xcChild, index) < position) {
            --position;
        }
        former->RemoveChildAt(index);
    } else {
        ++child->refCount;
    }
    m_element->InsertChild(child, position);
}
