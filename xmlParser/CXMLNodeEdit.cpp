#include "xmlParser/CXMLNode.h"

#include "xmlParser/CXMLString.h"
#include "xmlParser/SXMLElement.h"

#include <new>
#include <utility>
#include <vector>

namespace {

char* OwnedCopy(const char* text) {
    char* copy = CXMLString::Copy(text);
    if (text && !copy) {
        throw std::bad_alloc();
    }
    return copy;
}

// A copy of one element without its children (their array is only reserved).
SXMLElement* CloneRecord(const SXMLElement* source) {
    SXMLElement* copy = SXMLElement::Create(OwnedCopy(source->name), source->isDeclaration);
    try {
        copy->texts.reserve(source->texts.size());
        for (const char* text : source->texts) {
            copy->texts.push_back(OwnedCopy(text));
        }
        copy->clears.reserve(source->clears.size());
        for (const SXMLClear& clear : source->clears) {
            copy->clears.push_back(
                SXMLClear{OwnedCopy(clear.value), clear.openTag, clear.closeTag});
        }
        copy->attributes.reserve(source->attributes.size());
        for (const SXMLAttr& attribute : source->attributes) {
            char* name = nullptr;
            char* value = nullptr;
            if (!CXMLString::CopyAttribute(attribute.name, attribute.value, &name, &value)) {
                throw std::bad_alloc();
            }
            copy->attributes.push_back(SXMLAttr{name, value});
        }
        copy->order = source->order;
        copy->children.reserve(source->children.size());
    } catch (...) {
        SXMLElement::Release(copy);
        throw;
    }
    return copy;
}

// Index of the stored string `stored` among `items` (by identity), or -1.
template <class T, class F>
int IndexOfStored(const std::vector<T>& items, const char* stored, F field) {
    for (size_t i = 0; stored && i < items.size(); ++i) {
        if (field(items[i]) == stored) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const char* TextOf(const char* text) {
    return text;
}
const char* ValueOf(const SXMLClear& clear) {
    return clear.value;
}
const char* NameOf(const SXMLAttr& attribute) {
    return attribute.name;
}

} // namespace

void CXMLNode::Rename(const char* name) {
    RenameOwned(CXMLString::Copy(name));
}

void CXMLNode::RenameOwned(char* name) {
    if (!m_element || !name) {
        CXMLString::Free(name);
        return;
    }
    m_element->FreeString(m_element->name);
    m_element->name = name;
}

SXMLAttr CXMLNode::ReplaceAttribute(int index, const char* name, const char* value) {
    if (index < 0 || index >= GetAttributeCount()) {
        return AddAttribute(name, value);
    }
    char* nameCopy = nullptr;
    char* valueCopy = nullptr;
    if (!CXMLString::CopyAttribute(name, value, &nameCopy, &valueCopy)) {
        return SXMLAttr();
    }
    SXMLAttr& attribute = m_element->attributes[index];
    m_element->FreeString(attribute.name);
    m_element->FreeString(attribute.value);
    attribute = SXMLAttr{nameCopy, valueCopy};
    return attribute;
}

SXMLAttr CXMLNode::ReplaceAttribute(const char* oldName, const char* name, const char* value) {
    return ReplaceAttribute(FindAttributeIndex(oldName, 0), name, value);
}

SXMLAttr CXMLNode::ReplaceAttribute(const SXMLAttr& old, const char* name, const char* value) {
    int index = m_element ? IndexOfStored(m_element->attributes, old.name, NameOf) : -1;
    return ReplaceAttribute(index, name, value);
}

const char* CXMLNode::ReplaceText(int index, const char* text) {
    if (index < 0 || index >= GetTextCount()) {
        return AddText(text);
    }
    char* copy = CXMLString::Copy(text);
    if (!copy) {
        return nullptr;
    }
    m_element->FreeString(m_element->texts[index]);
    m_element->texts[index] = copy;
    return copy;
}

const char* CXMLNode::ReplaceText(const char* oldText, const char* text) {
    int index = m_element ? IndexOfStored(m_element->texts, oldText, TextOf) : -1;
    return ReplaceText(index, text);
}

SXMLClear CXMLNode::ReplaceClear(int index, const char* value) {
    if (index < 0 || index >= GetClearCount()) {
        return AddClearContent(value);
    }
    char* copy = CXMLString::Copy(value);
    if (!copy) {
        return SXMLClear();
    }
    SXMLClear& clear = m_element->clears[index];
    CXMLString::Free(clear.value);
    clear.value = copy;
    return clear;
}

SXMLClear CXMLNode::ReplaceClear(const char* oldValue, const char* value) {
    int index = m_element ? IndexOfStored(m_element->clears, oldValue, ValueOf) : -1;
    return ReplaceClear(index, value);
}

void CXMLNode::RemoveAttribute(int index) {
    if (index >= 0 && index < GetAttributeCount()) {
        m_element->RemoveAttributeAt(index);
    }
}

void CXMLNode::RemoveAttribute(const char* name) {
    RemoveAttribute(FindAttributeIndex(name, 0));
}

void CXMLNode::RemoveAttribute(const SXMLAttr& attribute) {
    if (m_element) {
        RemoveAttribute(IndexOfStored(m_element->attributes, attribute.name, NameOf));
    }
}

void CXMLNode::RemoveText(int index) {
    if (index >= 0 && index < GetTextCount()) {
        m_element->RemoveTextAt(index);
    }
}

void CXMLNode::RemoveText(const char* text) {
    if (m_element) {
        RemoveText(IndexOfStored(m_element->texts, text, TextOf));
    }
}

void CXMLNode::RemoveClear(int index) {
    if (index >= 0 && index < GetClearCount()) {
        m_element->RemoveClearAt(index);
    }
}

void CXMLNode::RemoveClear(const char* value) {
    if (m_element) {
        RemoveClear(IndexOfStored(m_element->clears, value, ValueOf));
    }
}

void CXMLNode::RemoveClear(const SXMLClear& clear) {
    RemoveClear(clear.value);
}

void CXMLNode::ClearAndDetach() {
    if (!m_element) {
        return;
    }
    if (SXMLElement* parent = m_element->parent) {
        parent->RemoveChildAt(parent->FindChildIndex(m_element));
        --m_element->refCount; // the parent's reference; this handle still holds one
    }
    m_element->FreeContents();
}

CXMLNode CXMLNode::CloneTree() const {
    if (!m_element) {
        return CXMLNode();
    }
    try {
        CXMLNode top = Adopt(CloneRecord(m_element));
        std::vector<std::pair<const SXMLElement*, SXMLElement*>> pending{
            {m_element, top.m_element}};
        while (!pending.empty()) {
            std::pair<const SXMLElement*, SXMLElement*> next = pending.back();
            pending.pop_back();
            for (const SXMLElement* child : next.first->children) {
                SXMLElement* copy = CloneRecord(child);
                copy->parent = next.second;
                next.second->children.push_back(copy);
                pending.emplace_back(child, copy);
            }
        }
        return top;
    } catch (const std::bad_alloc&) {
        return CXMLNode();
    }
}
