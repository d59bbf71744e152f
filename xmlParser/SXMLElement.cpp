#include "xmlParser/SXMLElement.h"

#include "xmlParser/CXMLString.h"

#include <algorithm>
#include <functional>
#include <new>

SXMLElement* SXMLElement::Create(const char* ownedName, bool isDeclaration) {
    SXMLElement* element = new (std::nothrow) SXMLElement;
    if (!element) {
        CXMLString::Free(ownedName);
        throw std::bad_alloc();
    }
    element->name = ownedName;
    element->isDeclaration = isDeclaration;
    return element;
}

void SXMLElement::Release(SXMLElement* element) {
    if (!element || --element->refCount > 0) {
        return;
    }
    if (element->parent) {
        int index = element->parent->FindChildIndex(element);
        if (index >= 0) {
            element->parent->RemoveChildAt(index);
        }
    }
    // Elements waiting to be destroyed are chained through their parent pointers, which
    // they no longer need: deep trees cost no stack and no extra memory.
    element->parent = nullptr;
    SXMLElement* pending = element;
    while (pending) {
        SXMLElement* dying = pending;
        pending = dying->parent;
        for (SXMLElement* child : dying->children) {
            child->parent = nullptr;
            if (--child->refCount == 0) {
                child->parent = pending;
                pending = child;
            }
        }
        dying->children.clear();
        dying->FreeContents();
        delete dying;
    }
}

int SXMLElement::ContentCount() const {
    return static_cast<int>(children.size() + texts.size() + clears.size() + attributes.size());
}

template <class T>
int SXMLElement::Insert(std::vector<T>& items, const T& item, EXMLContentKind kind, int position) {
    if (items.size() >= kMaxPerKind) {
        throw std::bad_alloc();
    }
    ReserveMore(items, 1);
    ReserveMore(order, 1);
    int count = OrderCount();
    int index = static_cast<int>(items.size());
    if (position < 0 || position >= count) {
        items.push_back(item);
        order.push_back(index * 4 + kind);
        return index;
    }
    for (int p = position; p < count; ++p) {
        if (KindOf(order[p]) == kind) {
            index = IndexOf(order[p]);
            break;
        }
    }
    for (int p = position; p < count; ++p) {
        if (KindOf(order[p]) == kind) {
            order[p] += 4;
        }
    }
    items.insert(items.begin() + index, item);
    order.insert(order.begin() + position, index * 4 + kind);
    return index;
}

template <class T>
void SXMLElement::Remove(std::vector<T>& items, EXMLContentKind kind, int index) {
    items.erase(items.begin() + index);
    int position = OrderPositionOf(kind, index);
    if (position >= 0) {
        order.erase(order.begin() + position);
        for (size_t p = position; p < order.size(); ++p) {
            if (KindOf(order[p]) == kind) {
                order[p] -= 4;
            }
        }
    }
    if (items.empty()) {
        items.shrink_to_fit();
    }
}

void SXMLElement::TakeChildrenOf(SXMLElement* source, int position) {
    const size_t moved = source->children.size();
    if (moved == 0) {
        return;
    }
    if (children.size() + moved > kMaxPerKind) {
        throw std::bad_alloc();
    }
    ReserveMore(children, moved);
    ReserveMore(order, moved);
    // From here on nothing allocates.
    const int count = OrderCount();
    if (position < 0 || position > count) {
        position = count;
    }
    int index = static_cast<int>(children.size());
    for (int p = position; p < count; ++p) {
        if (KindOf(order[p]) == xcChild) {
            if (index == static_cast<int>(children.size())) {
                index = IndexOf(order[p]);
            }
            order[p] += static_cast<int32_t>(moved * 4);
        }
    }
    // The new entries go to the end, then rotate into place: one pass over the tail.
    for (size_t i = 0; i < moved; ++i) {
        order.push_back(static_cast<int32_t>((index + i) * 4 + xcChild));
    }
    std::rotate(order.begin() + position, order.begin() + count, order.end());
    children.insert(children.begin() + index, source->children.begin(), source->children.end());
    for (size_t i = 0; i < moved; ++i) {
        children[index + i]->parent = this;
    }
    // The source keeps its other contents in their order; each child takes its count along.
    source->children.clear();
    source->order.erase(std::remove_if(source->order.begin(), source->order.end(),
                                       [](int32_t entry) { return KindOf(entry) == xcChild; }),
                        source->order.end());
}

int SXMLElement::InsertChild(SXMLElement* child, int position) {
    int index = Insert(children, child, xcChild, position);
    child->parent = this;
    return index;
}

int SXMLElement::InsertText(const char* ownedText, int position) {
    try {
        return Insert(texts, ownedText, xcText, position);
    } catch (...) {
        FreeString(ownedText);
        throw;
    }
}

int SXMLElement::InsertClear(const SXMLClear& ownedClear, int position) {
    try {
        return Insert(clears, ownedClear, xcClear, position);
    } catch (...) {
        FreeString(ownedClear.value);
        throw;
    }
}

void SXMLElement::AppendAttribute(const SXMLAttr& ownedAttribute) {
    try {
        if (attributes.size() >= kMaxPerKind) {
            throw std::bad_alloc();
        }
        attributes.push_back(ownedAttribute);
    } catch (...) {
        FreeString(ownedAttribute.name);
        FreeString(ownedAttribute.value);
        throw;
    }
}

void SXMLElement::RemoveChildAt(int index) {
    children[index]->parent = nullptr;
    Remove(children, xcChild, index);
}

void SXMLElement::RemoveTextAt(int index) {
    FreeString(texts[index]);
    Remove(texts, xcText, index);
}

void SXMLElement::RemoveClearAt(int index) {
    FreeString(clears[index].value);
    Remove(clears, xcClear, index);
}

void SXMLElement::RemoveAttributeAt(int index) {
    FreeString(attributes[index].name);
    FreeString(attributes[index].value);
    attributes.erase(attributes.begin() + index);
    if (attributes.empty()) {
        attributes.shrink_to_fit();
    }
}

int SXMLElement::FindChildIndex(const SXMLElement* child) const {
    for (size_t i = children.size(); i-- > 0;) {
        if (children[i] == child) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int SXMLElement::OrderPositionOf(EXMLContentKind kind, int index) const {
    int32_t entry = index * 4 + kind;
    // From the end: the contents removed most often (merged comments, unlinked
    // children of a dying tree) stand last.
    for (size_t p = order.size(); p-- > 0;) {
        if (order[p] == entry) {
            return static_cast<int>(p);
        }
    }
    return -1;
}

bool SXMLElement::IsSelfOrDescendantOf(const SXMLElement* other) const {
    for (const SXMLElement* e = this; e; e = e->parent) {
        if (e == other) {
            return true;
        }
    }
    return false;
}

void SXMLElement::FreeString(const char* text) const {
    const std::less<const char*> before;
    if (before(text, strings) || !before(text, strings + stringsSize)) {
        CXMLString::Free(text);
    }
}

void SXMLElement::FreeContents() {
    FreeString(name);
    name = nullptr;
    std::vector<SXMLElement*> held;
    held.swap(children);
    for (SXMLElement* child : held) {
        child->parent = nullptr;
        Release(child);
    }
    for (const char* text : texts) {
        FreeString(text);
    }
    for (const SXMLClear& clear : clears) {
        FreeString(clear.value);
    }
    for (const SXMLAttr& attribute : attributes) {
        FreeString(attribute.name);
        FreeString(attribute.value);
    }
    std::vector<const char*>().swap(texts);
    std::vector<SXMLClear>().swap(clears);
    std::vector<SXMLAttr>().swap(attributes);
    std::vector<int32_t>().swap(order);
    CXMLString::Free(strings);
    strings = nullptr;
    stringsSize = 0;
}

void SXMLElement::Compact() {
    const size_t slack = 8;
    if (children.capacity() > children.size() + slack) {
        children.shrink_to_fit();
    }
    if (texts.capacity() > texts.size() + slack) {
        texts.shrink_to_fit();
    }
    if (order.capacity() > order.size() + slack) {
        order.shrink_to_fit();
    }
}
